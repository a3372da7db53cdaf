#include "cipher/rijndael.h"

#include "platform/messagebox.h"

#include <QFile>
#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <string>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

CipherError::CipherError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number)
{
}

QString CipherError::description() const
{
    return QString::fromStdString(what());
}

namespace {

// GF(2^8) arithmetic over x^8 + x^4 + x^3 + x + 1, and the cipher's lookup tables.
struct Tables
{
    std::array<std::uint8_t, 256> sbox{};
    std::array<std::uint8_t, 256> invSbox{};
    // fwd[k][x] combines SubBytes and MixColumns for byte x in row k; inv likewise
    // for the inverse steps. Table k is table 0 rotated left by 8k bits.
    std::array<std::array<std::uint32_t, 256>, 4> fwd{};
    std::array<std::array<std::uint32_t, 256>, 4> inv{};
    std::array<std::uint32_t, 10> rcon{};
};

constexpr std::uint8_t times2(std::uint8_t x)
{
    return static_cast<std::uint8_t>((x << 1) ^ ((x & 0x80) ? 0x1B : 0));
}

constexpr std::uint8_t rotl8(std::uint8_t x, int k)
{
    return static_cast<std::uint8_t>((x << k) | (x >> (8 - k)));
}

constexpr std::uint32_t bytesToWord(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    return std::uint32_t(b0) | std::uint32_t(b1) << 8 | std::uint32_t(b2) << 16 | std::uint32_t(b3) << 24;
}

constexpr Tables buildTables()
{
    Tables t;
    std::array<std::uint8_t, 256> exp{};
    std::array<int, 256> log{};
    exp[0] = 1;
    for (int i = 1; i < 256; ++i) {
        exp[i] = exp[i - 1] ^ times2(exp[i - 1]); // times the generator 3
        log[exp[i]] = i;
    }
    auto mul = [&](std::uint8_t a, std::uint8_t b) -> std::uint8_t {
        if (a == 0 || b == 0)
            return 0;
        return exp[(log[a] + log[b]) % 255];
    };

    t.sbox[0] = 0x63;
    t.invSbox[0x63] = 0;
    for (int x = 1; x < 256; ++x) {
        const std::uint8_t y = exp[255 - log[x]];
        const auto s =
            static_cast<std::uint8_t>(y ^ rotl8(y, 1) ^ rotl8(y, 2) ^ rotl8(y, 3) ^ rotl8(y, 4) ^ 0x63);
        t.sbox[x] = s;
        t.invSbox[s] = static_cast<std::uint8_t>(x);
    }

    std::uint8_t rc = 1;
    for (std::uint32_t& r : t.rcon) {
        r = rc;
        rc = times2(rc);
    }

    for (int x = 0; x < 256; ++x) {
        const std::uint8_t s = t.sbox[x];
        const std::uint32_t f = bytesToWord(times2(s), s, s, static_cast<std::uint8_t>(times2(s) ^ s));
        const std::uint8_t v = t.invSbox[x];
        const std::uint32_t g = bytesToWord(mul(0x0E, v), mul(0x09, v), mul(0x0D, v), mul(0x0B, v));
        for (int k = 0; k < 4; ++k) {
            t.fwd[k][x] = std::rotl(f, 8 * k);
            t.inv[k][x] = std::rotl(g, 8 * k);
        }
    }
    return t;
}

// Computed by the compiler: every instance shares one read-only copy.
constexpr Tables kTables = buildTables();

constexpr auto& Te0 = kTables.fwd[0];
constexpr auto& Te1 = kTables.fwd[1];
constexpr auto& Te2 = kTables.fwd[2];
constexpr auto& Te3 = kTables.fwd[3];
constexpr auto& Td0 = kTables.inv[0];
constexpr auto& Td1 = kTables.inv[1];
constexpr auto& Td2 = kTables.inv[2];
constexpr auto& Td3 = kTables.inv[3];
constexpr auto& Sbox = kTables.sbox;
constexpr auto& InvSbox = kTables.invSbox;

static_assert(Sbox[0x00] == 0x63 && Sbox[0x53] == 0xED && InvSbox[0xED] == 0x53);
static_assert(kTables.rcon[9] == 0x36);

constexpr std::size_t kBlock = 16;
// The most a file operation holds in memory: 250,000 blocks.
constexpr qint64 kFileChunk = 4'000'000;

inline std::uint32_t loadWord(const std::uint8_t* p)
{
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    if constexpr (std::endian::native == std::endian::big)
        w = __builtin_bswap32(w);
    return w;
}

inline void storeWord(std::uint8_t* p, std::uint32_t w)
{
    if constexpr (std::endian::native == std::endian::big)
        w = __builtin_bswap32(w);
    std::memcpy(p, &w, 4);
}

inline std::uint8_t b0(std::uint32_t w)
{
    return static_cast<std::uint8_t>(w);
}
inline std::uint8_t b1(std::uint32_t w)
{
    return static_cast<std::uint8_t>(w >> 8);
}
inline std::uint8_t b2(std::uint32_t w)
{
    return static_cast<std::uint8_t>(w >> 16);
}
inline std::uint8_t b3(std::uint32_t w)
{
    return static_cast<std::uint8_t>(w >> 24);
}

// One block, unchecked. `in` and `out` may be the same memory: the whole block is
// read before anything is written. With no key set (rounds 0) the result is
// meaningless but stays within the schedule.
inline void encryptBlock(const std::uint32_t* __restrict rk, int rounds, const std::uint8_t* in,
                         std::uint8_t* out)
{
    std::uint32_t s0 = loadWord(in) ^ rk[0];
    std::uint32_t s1 = loadWord(in + 4) ^ rk[1];
    std::uint32_t s2 = loadWord(in + 8) ^ rk[2];
    std::uint32_t s3 = loadWord(in + 12) ^ rk[3];
    for (int r = 1; r < rounds; ++r) {
        rk += 4;
        const std::uint32_t t0 = Te0[b0(s0)] ^ Te1[b1(s1)] ^ Te2[b2(s2)] ^ Te3[b3(s3)] ^ rk[0];
        const std::uint32_t t1 = Te0[b0(s1)] ^ Te1[b1(s2)] ^ Te2[b2(s3)] ^ Te3[b3(s0)] ^ rk[1];
        const std::uint32_t t2 = Te0[b0(s2)] ^ Te1[b1(s3)] ^ Te2[b2(s0)] ^ Te3[b3(s1)] ^ rk[2];
        const std::uint32_t t3 = Te0[b0(s3)] ^ Te1[b1(s0)] ^ Te2[b2(s1)] ^ Te3[b3(s2)] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    rk += rounds > 0 ? 4 : 0;
    storeWord(out, bytesToWord(Sbox[b0(s0)], Sbox[b1(s1)], Sbox[b2(s2)], Sbox[b3(s3)]) ^ rk[0]);
    storeWord(out + 4, bytesToWord(Sbox[b0(s1)], Sbox[b1(s2)], Sbox[b2(s3)], Sbox[b3(s0)]) ^ rk[1]);
    storeWord(out + 8, bytesToWord(Sbox[b0(s2)], Sbox[b1(s3)], Sbox[b2(s0)], Sbox[b3(s1)]) ^ rk[2]);
    storeWord(out + 12, bytesToWord(Sbox[b0(s3)], Sbox[b1(s0)], Sbox[b2(s1)], Sbox[b3(s2)]) ^ rk[3]);
}

inline void decryptBlock(const std::uint32_t* __restrict rk, int rounds, const std::uint8_t* in,
                         std::uint8_t* out)
{
    std::uint32_t s0 = loadWord(in) ^ rk[0];
    std::uint32_t s1 = loadWord(in + 4) ^ rk[1];
    std::uint32_t s2 = loadWord(in + 8) ^ rk[2];
    std::uint32_t s3 = loadWord(in + 12) ^ rk[3];
    for (int r = 1; r < rounds; ++r) {
        rk += 4;
        const std::uint32_t t0 = Td0[b0(s0)] ^ Td1[b1(s3)] ^ Td2[b2(s2)] ^ Td3[b3(s1)] ^ rk[0];
        const std::uint32_t t1 = Td0[b0(s1)] ^ Td1[b1(s0)] ^ Td2[b2(s3)] ^ Td3[b3(s2)] ^ rk[1];
        const std::uint32_t t2 = Td0[b0(s2)] ^ Td1[b1(s1)] ^ Td2[b2(s0)] ^ Td3[b3(s3)] ^ rk[2];
        const std::uint32_t t3 = Td0[b0(s3)] ^ Td1[b1(s2)] ^ Td2[b2(s1)] ^ Td3[b3(s0)] ^ rk[3];
        s0 = t0;
        s1 = t1;
        s2 = t2;
        s3 = t3;
    }
    rk += rounds > 0 ? 4 : 0;
    storeWord(out, bytesToWord(InvSbox[b0(s0)], InvSbox[b1(s3)], InvSbox[b2(s2)], InvSbox[b3(s1)]) ^ rk[0]);
    storeWord(out + 4,
              bytesToWord(InvSbox[b0(s1)], InvSbox[b1(s0)], InvSbox[b2(s3)], InvSbox[b3(s2)]) ^ rk[1]);
    storeWord(out + 8,
              bytesToWord(InvSbox[b0(s2)], InvSbox[b1(s1)], InvSbox[b2(s0)], InvSbox[b3(s3)]) ^ rk[2]);
    storeWord(out + 12,
              bytesToWord(InvSbox[b0(s3)], InvSbox[b1(s2)], InvSbox[b2(s1)], InvSbox[b3(s0)]) ^ rk[3]);
}

void encryptBlocks(const std::uint32_t* rk, int rounds, const std::uint8_t* in, std::uint8_t* out,
                   std::size_t blocks)
{
    for (std::size_t i = 0; i < blocks; ++i)
        encryptBlock(rk, rounds, in + i * kBlock, out + i * kBlock);
}

void decryptBlocks(const std::uint32_t* rk, int rounds, const std::uint8_t* in, std::uint8_t* out,
                   std::size_t blocks)
{
    for (std::size_t i = 0; i < blocks; ++i)
        decryptBlock(rk, rounds, in + i * kBlock, out + i * kBlock);
}

void checkBlockOffset(std::size_t size, int offset, const char* what)
{
    if (offset < 0 || size < kBlock || std::size_t(offset) > size - kBlock)
        throw std::out_of_range(std::string("Rijndael: block offset outside the ") + what + " array");
}

bool overlaps(std::span<const std::uint8_t> a, const std::vector<std::uint8_t>& b)
{
    if (a.empty() || b.empty())
        return false;
    std::less<const std::uint8_t*> before;
    return before(a.data(), b.data() + b.size()) && before(b.data(), a.data() + a.size());
}

[[noreturn]] void throwFileError(const QFile& file, const QString& error)
{
    throw std::runtime_error(QString(file.fileName() + u": "_s + error).toStdString());
}

void readExactly(QFile& file, std::uint8_t* buffer, qint64 count)
{
    qint64 done = 0;
    while (done < count) {
        const qint64 got = file.read(reinterpret_cast<char*>(buffer) + done, count - done);
        if (got < 0)
            throwFileError(file, file.errorString());
        if (got == 0)
            throwFileError(file, u"unexpected end of file"_s);
        done += got;
    }
}

void writeAll(QFile& file, const std::uint8_t* buffer, qint64 count)
{
    if (file.write(reinterpret_cast<const char*>(buffer), count) != count)
        throwFileError(file, file.errorString());
}

void openOrThrow(QFile& file, QIODevice::OpenMode mode)
{
    if (!file.open(mode | QIODevice::Unbuffered))
        throwFileError(file, file.errorString());
}

// The output is written from its start without truncating at open, so that the
// same path may serve as input and output; the tail of an older, longer file is
// cut off at the end.
void finishOutput(QFile& out, qint64 written)
{
    if (!out.resize(written))
        throwFileError(out, out.errorString());
    out.close();
}

} // namespace

Rijndael::Rijndael() = default;

int Rijndael::setCipherKey(std::span<const std::uint8_t> pass, int keyBits)
{
    if (keyBits != 128 && keyBits != 192 && keyBits != 256)
        throw CipherError(1, u"Rijndael.setCipherKey - Illegal keyBits Value"_s);
    const int Nk = keyBits / 32;
    if (pass.size() < std::size_t(Nk) * 4)
        throw std::out_of_range("Rijndael.setCipherKey - key array shorter than keyBits / 8 bytes");

    m_rounds = Nk + 6;
    const int words = 4 * (m_rounds + 1);
    for (int i = 0; i < Nk; ++i)
        m_encKey[i] = loadWord(pass.data() + 4 * i);
    for (int i = Nk; i < words; ++i) {
        std::uint32_t temp = m_encKey[i - 1];
        if (i % Nk == 0) {
            temp = std::rotr(temp, 8); // RotWord
            temp = bytesToWord(Sbox[b0(temp)], Sbox[b1(temp)], Sbox[b2(temp)], Sbox[b3(temp)]) ^
                   kTables.rcon[i / Nk - 1];
        } else if (Nk == 8 && i % Nk == 4) {
            temp = bytesToWord(Sbox[b0(temp)], Sbox[b1(temp)], Sbox[b2(temp)], Sbox[b3(temp)]);
        }
        m_encKey[i] = m_encKey[i - Nk] ^ temp;
    }
    std::fill(m_encKey.begin() + words, m_encKey.end(), 0);
    buildDecryptionSchedule();
    return 0;
}

void Rijndael::buildDecryptionSchedule()
{
    // Equivalent inverse cipher: round keys in reverse order, the inner ones
    // passed through InvMixColumns.
    m_decKey.fill(0);
    for (int i = 0; i <= m_rounds; ++i)
        for (int j = 0; j < 4; ++j)
            m_decKey[4 * i + j] = m_encKey[4 * (m_rounds - i) + j];
    for (int i = 4; i < 4 * m_rounds; ++i) {
        const std::uint32_t w = m_decKey[i];
        m_decKey[i] = Td0[Sbox[b0(w)]] ^ Td1[Sbox[b1(w)]] ^ Td2[Sbox[b2(w)]] ^ Td3[Sbox[b3(w)]];
    }
}

int Rijndael::setCipherKeyString(const QString& passPhrase, int keyBits)
{
    QByteArray bytes = passPhrase.toUtf8();
    bytes.resize(32, '\0');
    return setCipherKey(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), 32), keyBits);
}

void Rijndael::blockEncrypt(std::span<const std::uint8_t> plaintext, std::span<std::uint8_t> ciphertext,
                            int p, int q) const
{
    checkBlockOffset(plaintext.size(), p, "plaintext");
    checkBlockOffset(ciphertext.size(), q, "ciphertext");
    encryptBlock(m_encKey.data(), m_rounds, plaintext.data() + p, ciphertext.data() + q);
}

void Rijndael::blockDecrypt(std::span<std::uint8_t> plaintext, std::span<const std::uint8_t> ciphertext,
                            int p, int q) const
{
    checkBlockOffset(plaintext.size(), p, "plaintext");
    checkBlockOffset(ciphertext.size(), q, "ciphertext");
    decryptBlock(m_decKey.data(), m_rounds, ciphertext.data() + q, plaintext.data() + p);
}

int Rijndael::arrayEncrypt(std::span<const std::uint8_t> plaintext, std::vector<std::uint8_t>& ciphertext,
                           bool appendsize) const
{
    std::vector<std::uint8_t> copy;
    if (overlaps(plaintext, ciphertext)) {
        copy.assign(plaintext.begin(), plaintext.end());
        plaintext = copy;
    }
    const std::size_t n = plaintext.size();
    const std::size_t r = n % kBlock;
    const std::size_t whole = n - r;
    const std::size_t total = (appendsize || r != 0) ? whole + kBlock : whole;
    ciphertext.resize(total);

    encryptBlocks(m_encKey.data(), m_rounds, plaintext.data(), ciphertext.data(), whole / kBlock);
    if (total > whole) {
        std::uint8_t* last = ciphertext.data() + whole;
        std::fill(last, last + kBlock, 0);
        std::copy(plaintext.begin() + whole, plaintext.end(), last);
        if (appendsize)
            last[kBlock - 1] = static_cast<std::uint8_t>(r);
        encryptBlock(m_encKey.data(), m_rounds, last, last);
    }
    return 0;
}

int Rijndael::arrayDecrypt(std::vector<std::uint8_t>& plaintext, std::span<const std::uint8_t> ciphertext,
                           bool appendsize) const
{
    const std::size_t n = ciphertext.size();
    // An empty buffer has no length byte to read, so with appendsize it is as
    // malformed as a partial block.
    if (n % kBlock != 0 || (appendsize && n == 0)) {
        msgBox(u"ciphertext size not a multiple of block size"_s);
        return -1;
    }
    std::vector<std::uint8_t> copy;
    if (overlaps(ciphertext, plaintext)) {
        copy.assign(ciphertext.begin(), ciphertext.end());
        ciphertext = copy;
    }
    plaintext.resize(n);
    decryptBlocks(m_decKey.data(), m_rounds, ciphertext.data(), plaintext.data(), n / kBlock);
    if (!appendsize)
        return 0;

    const std::uint8_t length = plaintext[n - 1];
    if (length > 15) {
        msgBox(u"warning - incorrect length field"_s);
        return 1;
    }
    // A single block with length byte 0 is the enciphered empty buffer.
    plaintext.resize(n - kBlock + length);
    return 0;
}

int Rijndael::fileEncrypt(const QString& plaintextFileName, const QString& ciphertextFileName) const
{
    QFile in(plaintextFileName);
    openOrThrow(in, QIODevice::ReadOnly);
    QFile out(ciphertextFileName);
    openOrThrow(out, QIODevice::ReadWrite);

    const qint64 len = in.size();
    const qint64 r = len % 16;
    const qint64 total = len - r + 16;
    std::vector<std::uint8_t> buffer(std::size_t(std::min(total, kFileChunk)));

    qint64 remaining = total;
    while (remaining > kFileChunk) {
        readExactly(in, buffer.data(), kFileChunk);
        encryptBlocks(m_encKey.data(), m_rounds, buffer.data(), buffer.data(), kFileChunk / 16);
        writeAll(out, buffer.data(), kFileChunk);
        remaining -= kFileChunk;
    }
    const qint64 m = remaining;
    std::fill_n(buffer.begin(), m, 0);
    readExactly(in, buffer.data(), m - 16 + r);
    buffer[m - 1] = static_cast<std::uint8_t>(r);
    encryptBlocks(m_encKey.data(), m_rounds, buffer.data(), buffer.data(), std::size_t(m / 16));
    writeAll(out, buffer.data(), m);

    finishOutput(out, total);
    in.close();
    return 0;
}

int Rijndael::fileDecrypt(const QString& plaintextFileName, const QString& ciphertextFileName) const
{
    QFile in(ciphertextFileName);
    if (!in.exists()) {
        openOrThrow(in, QIODevice::ReadOnly); // fails, with the system's reason
    }
    const qint64 len = in.size();
    if (len == 0 || len % 16 != 0) {
        msgBox(u"File Size Error - ciphertext file not a multiple of block size"_s);
        return 1;
    }
    openOrThrow(in, QIODevice::ReadOnly);
    QFile out(plaintextFileName);
    openOrThrow(out, QIODevice::ReadWrite);

    std::vector<std::uint8_t> buffer(std::size_t(std::min(len, kFileChunk)));
    qint64 remaining = len;
    qint64 written = 0;
    while (remaining > kFileChunk) {
        readExactly(in, buffer.data(), kFileChunk);
        decryptBlocks(m_decKey.data(), m_rounds, buffer.data(), buffer.data(), kFileChunk / 16);
        writeAll(out, buffer.data(), kFileChunk);
        written += kFileChunk;
        remaining -= kFileChunk;
    }
    const qint64 m = remaining;
    readExactly(in, buffer.data(), m);
    decryptBlocks(m_decKey.data(), m_rounds, buffer.data(), buffer.data(), std::size_t(m / 16));
    const std::uint8_t length = buffer[m - 1];
    qint64 kept = m;
    if (length < 16)
        kept = m - 16 + length;
    else
        msgBox(u"warning - incorrect length field in decrypted file.\r\nWrong key or keysize?"_s);
    if (kept > 0)
        writeAll(out, buffer.data(), kept);
    written += kept;

    finishOutput(out, written);
    in.close();
    return 0;
}

} // namespace pptdrill
