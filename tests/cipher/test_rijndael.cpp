#include "cipher/rijndael.h"
#include "tests/support/testsupport.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

using namespace Qt::Literals::StringLiterals;
using pptdrill::CipherError;
using pptdrill::MessageButtons;
using pptdrill::MessageIcon;
using pptdrill::Rijndael;
using pptdrill::test::FakeMessageBoxes;
using pptdrill::test::TempProgramFolder;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes fromHex(const char* hex)
{
    const QByteArray raw = QByteArray::fromHex(QByteArray(hex));
    return Bytes(raw.begin(), raw.end());
}

Bytes sequence(std::size_t n, std::uint8_t first = 0)
{
    Bytes b(n);
    std::iota(b.begin(), b.end(), first);
    return b;
}

Bytes randomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    Bytes b(n);
    for (auto& x : b)
        x = static_cast<std::uint8_t>(gen());
    return b;
}

Bytes decryptBlockAt(const Rijndael& c, const Bytes& ct, std::size_t offset)
{
    Bytes out(16);
    c.blockDecrypt(out, ct, 0, static_cast<int>(offset));
    return out;
}

Rijndael keyedSample(int bits = 128)
{
    Rijndael c;
    c.setCipherKey(sequence(32), bits);
    return c;
}

void writeFile(const QString& name, const Bytes& data)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(reinterpret_cast<const char*>(data.data()), qint64(data.size())), qint64(data.size()));
}

Bytes readFile(const QString& name)
{
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = f.readAll();
    return Bytes(all.begin(), all.end());
}

struct Vector
{
    int bits;
    const char* key;
    const char* plain;
    const char* cipher;
};

// FIPS-197 Appendix B and the Appendix C example vectors.
const Vector kVectors[] = {
    {128, "2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
     "3925841d02dc09fbdc118597196a0b32"},
    {128, "000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
     "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {192, "000102030405060708090a0b0c0d0e0f1011121314151617", "00112233445566778899aabbccddeeff",
     "dda97ca4864cdfe06eaf70a0ec0d7191"},
    {256, "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
     "00112233445566778899aabbccddeeff", "8ea2b7ca516745bfeafc49904b496089"},
};

} // namespace

TEST(Rijndael, StandardVectorsEncryptDecryptAndInPlace)
{
    for (const Vector& v : kVectors) {
        SCOPED_TRACE(v.key);
        Rijndael c;
        EXPECT_EQ(c.setCipherKey(fromHex(v.key), v.bits), 0);
        EXPECT_EQ(c.rounds(), v.bits / 32 + 6);
        const Bytes plain = fromHex(v.plain);
        const Bytes cipher = fromHex(v.cipher);

        Bytes out(16);
        c.blockEncrypt(plain, out, 0, 0);
        EXPECT_EQ(out, cipher);
        Bytes back(16);
        c.blockDecrypt(back, cipher, 0, 0);
        EXPECT_EQ(back, plain);

        Bytes buf = plain;
        c.blockEncrypt(buf, buf, 0, 0);
        EXPECT_EQ(buf, cipher);
        c.blockDecrypt(buf, buf, 0, 0);
        EXPECT_EQ(buf, plain);

        // Offsets on both sides.
        Bytes src(40, 0xAA);
        std::copy(plain.begin(), plain.end(), src.begin() + 7);
        Bytes dst(40, 0x55);
        c.blockEncrypt(src, dst, 7, 21);
        EXPECT_EQ(Bytes(dst.begin() + 21, dst.begin() + 37), cipher);
        EXPECT_EQ(dst[20], 0x55);
        EXPECT_EQ(dst[37], 0x55);
    }
}

TEST(Rijndael, BlockOffsetsOutsideTheArrayThrowAndWriteNothing)
{
    const Rijndael c = keyedSample();
    Bytes src(32, 1);
    Bytes dst(32, 9);
    EXPECT_THROW(c.blockEncrypt(src, dst, -1, 0), std::out_of_range);
    EXPECT_THROW(c.blockEncrypt(src, dst, 17, 0), std::out_of_range);
    EXPECT_THROW(c.blockEncrypt(src, dst, 0, 17), std::out_of_range);
    EXPECT_THROW(c.blockDecrypt(dst, src, 0, 17), std::out_of_range);
    EXPECT_THROW(c.blockDecrypt(dst, Bytes(15), 0, 0), std::out_of_range);
    EXPECT_EQ(dst, Bytes(32, 9));
    EXPECT_NO_THROW(c.blockEncrypt(src, dst, 16, 16));
}

TEST(Rijndael, IllegalKeyBitsSignalErrorOneAndKeepTheOldKey)
{
    const Vector& v = kVectors[1];
    Rijndael c;
    c.setCipherKey(fromHex(v.key), 128);
    for (int bits : {64, 0, 129, 512}) {
        try {
            c.setCipherKey(sequence(64), bits);
            ADD_FAILURE() << "no error for " << bits;
        } catch (const CipherError& e) {
            EXPECT_EQ(e.number(), 1);
            EXPECT_EQ(e.description(), u"Rijndael.setCipherKey - Illegal keyBits Value"_s);
        }
    }
    EXPECT_THROW(c.setCipherKey(Bytes(31), 256), std::out_of_range);
    EXPECT_EQ(c.rounds(), 10);
    Bytes out(16);
    c.blockEncrypt(fromHex(v.plain), out, 0, 0);
    EXPECT_EQ(out, fromHex(v.cipher));
}

TEST(Rijndael, KeyStringIsCodePageBytesCutOrFilledTo32)
{
    const Bytes plain = sequence(16);
    auto encryptWith = [&](const Rijndael& c) {
        Bytes out(16);
        c.blockEncrypt(plain, out, 0, 0);
        return out;
    };

    Rijndael byString, byBytes;
    byString.setCipherKeyString(u"abcd"_s, 128);
    Bytes key{'a', 'b', 'c', 'd'};
    key.resize(16, 0);
    byBytes.setCipherKey(key, 128);
    EXPECT_EQ(encryptWith(byString), encryptWith(byBytes));

    // Longer than 32 bytes: cut; non-ASCII text goes in as UTF-8.
    const QString phrase = u"朔禾软件0123456789abcdefghijklmnop"_s;
    const QByteArray utf8 = phrase.toUtf8().left(32);
    byString.setCipherKeyString(phrase, 256);
    byBytes.setCipherKey(Bytes(utf8.begin(), utf8.end()), 256);
    EXPECT_EQ(encryptWith(byString), encryptWith(byBytes));
}

TEST(Rijndael, ArrayEncryptLayoutWithAndWithoutLengthByte)
{
    const Rijndael c = keyedSample();
    const Bytes sixteen = sequence(16, 1);

    Bytes ct;
    EXPECT_EQ(c.arrayEncrypt(sixteen, ct, true), 0);
    ASSERT_EQ(ct.size(), 32u);
    EXPECT_EQ(decryptBlockAt(c, ct, 0), sixteen);
    EXPECT_EQ(decryptBlockAt(c, ct, 16), Bytes(16, 0));

    EXPECT_EQ(c.arrayEncrypt(sixteen, ct, false), 0);
    ASSERT_EQ(ct.size(), 16u);
    EXPECT_EQ(decryptBlockAt(c, ct, 0), sixteen);

    const Bytes twenty = sequence(20, 1);
    c.arrayEncrypt(twenty, ct, true);
    ASSERT_EQ(ct.size(), 32u);
    Bytes last{17, 18, 19, 20};
    last.resize(15, 0);
    last.push_back(4);
    EXPECT_EQ(decryptBlockAt(c, ct, 16), last);
    Bytes pt;
    EXPECT_EQ(c.arrayDecrypt(pt, ct, true), 0);
    EXPECT_EQ(pt, twenty);

    // Without the length byte the zero fill comes back.
    c.arrayEncrypt(twenty, ct, false);
    ASSERT_EQ(ct.size(), 32u);
    EXPECT_EQ(c.arrayDecrypt(pt, ct, false), 0);
    Bytes padded = twenty;
    padded.resize(32, 0);
    EXPECT_EQ(pt, padded);
}

TEST(Rijndael, ArrayRoundTripsEveryLengthAndReusedOutputs)
{
    const Rijndael c = keyedSample(256);
    Bytes ct(100, 0xEE); // stale contents must not leak into the result
    Bytes pt(100, 0xEE);
    // n = 0 included: the enciphered empty buffer comes back empty.
    for (std::size_t n = 0; n <= 50; ++n) {
        SCOPED_TRACE(n);
        const Bytes data = randomBytes(n, unsigned(n));
        c.arrayEncrypt(data, ct, true);
        EXPECT_EQ(ct.size(), n - n % 16 + 16);
        EXPECT_EQ(c.arrayDecrypt(pt, ct, true), 0);
        EXPECT_EQ(pt, data);

        c.arrayEncrypt(data, ct, false);
        EXPECT_EQ(ct.size(), (n + 15) / 16 * 16);
        EXPECT_EQ(c.arrayDecrypt(pt, ct, false), 0);
        ASSERT_EQ(pt.size(), ct.size());
        EXPECT_TRUE(std::equal(data.begin(), data.end(), pt.begin()));
        EXPECT_TRUE(std::all_of(pt.begin() + long(n), pt.end(), [](std::uint8_t b) { return b == 0; }));
    }
}

TEST(Rijndael, ArrayOperationsOnTheirOwnOutputBuffer)
{
    const Rijndael c = keyedSample();
    const Bytes data = randomBytes(37, 5);
    Bytes expected;
    c.arrayEncrypt(data, expected, true);

    Bytes buf = data;
    c.arrayEncrypt(buf, buf, true);
    EXPECT_EQ(buf, expected);
    EXPECT_EQ(c.arrayDecrypt(buf, buf, true), 0);
    EXPECT_EQ(buf, data);
}

TEST(Rijndael, ArrayDecryptSizeAndLengthFieldFailures)
{
    FakeMessageBoxes boxes;
    const Rijndael c = keyedSample();

    Bytes pt(5, 0x77);
    EXPECT_EQ(c.arrayDecrypt(pt, Bytes(17), false), -1);
    EXPECT_EQ(pt, Bytes(5, 0x77));
    // With the length byte an empty buffer is malformed too.
    EXPECT_EQ(c.arrayDecrypt(pt, Bytes(), true), -1);
    EXPECT_EQ(pt, Bytes(5, 0x77));
    ASSERT_EQ(boxes.shown.size(), 2u);
    for (const auto& box : boxes.shown) {
        EXPECT_EQ(box.text, u"ciphertext size not a multiple of block size"_s);
        EXPECT_EQ(box.title, u"朔禾软件"_s);
        EXPECT_EQ(box.icon, MessageIcon::None);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
    }
    EXPECT_EQ(c.arrayDecrypt(pt, Bytes(), false), 0);
    EXPECT_TRUE(pt.empty());

    // A last block whose length byte reads 200.
    Bytes clear = sequence(32);
    clear[31] = 200;
    Bytes ct(32);
    c.blockEncrypt(clear, ct, 0, 0);
    c.blockEncrypt(clear, ct, 16, 16);
    boxes.shown.clear();
    EXPECT_EQ(c.arrayDecrypt(pt, ct, true), 1);
    EXPECT_EQ(pt, clear);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, u"warning - incorrect length field"_s);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::None);
}

class RijndaelFiles : public ::testing::Test
{
protected:
    TempProgramFolder folder;
    Rijndael c = keyedSample(192);
    QString plain = folder.file(u"plain.bin"_s);
    QString cipher = folder.file(u"cipher.bin"_s);
    QString back = folder.file(u"back.bin"_s);

    // Encrypts `data` through files, checks the stored form equals the buffer
    // form with the length byte, and that decryption restores it.
    void roundTrip(const Bytes& data)
    {
        writeFile(plain, data);
        EXPECT_EQ(c.fileEncrypt(plain, cipher), 0);
        Bytes expected;
        c.arrayEncrypt(data, expected, true);
        EXPECT_TRUE(readFile(cipher) == expected);
        EXPECT_EQ(c.fileDecrypt(back, cipher), 0);
        EXPECT_TRUE(readFile(back) == data);
    }
};

TEST_F(RijndaelFiles, EmptyFileGivesOneBlockAndDecryptsToNothing)
{
    FakeMessageBoxes boxes;
    roundTrip({});
    EXPECT_EQ(QFileInfo(cipher).size(), 16);
    EXPECT_TRUE(QFileInfo::exists(back));
    EXPECT_EQ(QFileInfo(back).size(), 0);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(RijndaelFiles, ChunkBoundaryAndLargeFilesRoundTrip)
{
    roundTrip(randomBytes(4'000'000, 1));
    EXPECT_EQ(QFileInfo(cipher).size(), 4'000'016);
    roundTrip(randomBytes(3'999'999, 2));
    EXPECT_EQ(QFileInfo(cipher).size(), 4'000'000);
    roundTrip(randomBytes(9'000'007, 3));
    EXPECT_EQ(QFileInfo(cipher).size(), 9'000'016);
}

TEST_F(RijndaelFiles, OlderLongerOutputFilesAreReplacedWhole)
{
    writeFile(cipher, Bytes(1000, 0xCC));
    writeFile(back, Bytes(1000, 0xCC));
    roundTrip(sequence(40));
}

TEST_F(RijndaelFiles, SizeErrorOpensAndWritesNothing)
{
    FakeMessageBoxes boxes;
    writeFile(cipher, Bytes(17));
    EXPECT_EQ(c.fileDecrypt(back, cipher), 1);
    writeFile(cipher, Bytes());
    EXPECT_EQ(c.fileDecrypt(back, cipher), 1);
    EXPECT_FALSE(QFileInfo::exists(back));
    ASSERT_EQ(boxes.shown.size(), 2u);
    for (const auto& box : boxes.shown) {
        EXPECT_EQ(box.text, u"File Size Error - ciphertext file not a multiple of block size"_s);
        EXPECT_EQ(box.icon, MessageIcon::None);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
    }
}

TEST_F(RijndaelFiles, BadLengthByteWritesTheWholeLastChunk)
{
    FakeMessageBoxes boxes;
    Bytes clear = randomBytes(48, 9);
    clear[47] = 16;
    Bytes ct;
    c.arrayEncrypt(clear, ct, false);
    writeFile(cipher, ct);
    EXPECT_EQ(c.fileDecrypt(back, cipher), 0);
    EXPECT_EQ(readFile(back), clear);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              u"warning - incorrect length field in decrypted file.\r\nWrong key or keysize?"_s);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::None);
}

TEST_F(RijndaelFiles, FileErrorsReachTheCaller)
{
    const QString missing = folder.file(u"missing.bin"_s);
    EXPECT_THROW(c.fileEncrypt(missing, cipher), std::runtime_error);
    EXPECT_FALSE(QFileInfo::exists(cipher));
    EXPECT_THROW(c.fileDecrypt(back, missing), std::runtime_error);
    writeFile(plain, sequence(10));
    EXPECT_THROW(c.fileEncrypt(plain, folder.file(u"no/such/folder.bin"_s)), std::runtime_error);
}
