#include "cipher/rijndael.h"
#include "cipher/textfields.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using pptdrill::test::FakeMessageBoxes;

namespace {

using Bytes = std::vector<std::uint8_t>;

QString toHex(const Bytes& bytes)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex().toUpper());
}

// What a text box shows: the text up to the first NUL.
QString shown(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

class TextFields : public ::testing::Test
{
protected:
    FakeMessageBoxes boxes;
};

} // namespace

TEST_F(TextFields, FourDigitKeyTextIsUsedThroughItsBytes)
{
    const QString key = fixedCipherKeyText();
    ASSERT_EQ(key.size(), 4);
    for (const QChar ch : key)
        EXPECT_TRUE(ch.isDigit());

    Bytes expected(32, 0);
    for (int i = 0; i < 4; ++i)
        expected[i] = static_cast<std::uint8_t>(key[i].unicode());
    EXPECT_EQ(textKeyBytes(), expected);

    EXPECT_EQ(textKeyBytes(u"000102030405060708090a0b0c0d0e0F"_s),
              Bytes({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    // Fifteen bytes of digits are not a key: the text's own bytes are.
    const Bytes fallback = textKeyBytes(u"000102030405060708090a0b0c0d0e"_s);
    ASSERT_EQ(fallback.size(), 32u);
    EXPECT_EQ(fallback[0], '0');
    EXPECT_EQ(fallback[29], 'e');
    EXPECT_EQ(fallback[30], 0);
}

TEST_F(TextFields, HexToBytesDigitsCaseSeparatorsAndLowByteRule)
{
    Bytes out;
    EXPECT_EQ(hexToBytes(u"0a 1B"_s, out), 2);
    EXPECT_EQ(out, Bytes({0x0A, 0x1B}));
    EXPECT_EQ(hexToBytes(u"0A1b"_s, out), 2);
    EXPECT_EQ(out, Bytes({0x0A, 0x1B}));

    // A pending digit survives skipped characters; a lone last digit is dropped.
    EXPECT_EQ(hexToBytes(u"f-\r\nF g0A1"_s, out), 2);
    EXPECT_EQ(out, Bytes({0xFF, 0x0A}));

    // Low bytes: U+4E41 0x41 ("A"), U+4E32 0x32 ("2"); U+4E2D's 0x2D is skipped.
    EXPECT_EQ(hexToBytes(u"0乁中7串"_s, out), 2);
    EXPECT_EQ(out, Bytes({0x0A, 0x72}));

    out = {1, 2, 3};
    for (const QString& none : {u""_s, u"7"_s, u"xyz"_s, u"中中"_s}) {
        EXPECT_EQ(hexToBytes(none, out), 0);
        EXPECT_TRUE(out.empty());
    }
}

TEST_F(TextFields, StoredShortStemDecodesWithItsZeroFill)
{
    // The stored form built by hand: "abc", thirteen zero bytes, one block
    // under the key text's bytes.
    Bytes clear{'a', 'b', 'c'};
    clear.resize(16, 0);
    Rijndael cipher;
    cipher.setCipherKey(textKeyBytes(), 128);
    Bytes block(16);
    cipher.blockEncrypt(clear, block, 0, 0);
    const QString stored = toHex(block);
    EXPECT_EQ(encryptTextToHex(u"abc"_s), stored);

    const QString expected = u"abc"_s + QString(13, QChar(0));
    EXPECT_EQ(decryptHexText(stored), expected);
    EXPECT_EQ(shown(decryptHexText(stored)), u"abc"_s);
    EXPECT_EQ(decryptHexText(stored.toLower()), expected);

    QString spaced;
    for (qsizetype i = 0; i < stored.size(); i += 2)
        spaced += stored.mid(i, 2) + u" \r\n"_s;
    EXPECT_EQ(decryptHexText(spaced), expected);
    EXPECT_EQ(decryptHexText(stored + u"F"_s), expected);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TextFields, ChineseStemRoundTrip)
{
    const QString stem = u"请将第2张幻灯片的标题设置为“黑体”、加粗，字号为44。"_s;
    const QString stored = encryptTextToHex(stem);
    const qsizetype bytes = stem.toUtf8().size();
    EXPECT_EQ(stored.size(), (bytes + 15) / 16 * 32);
    for (const QChar ch : stored)
        EXPECT_TRUE(ch.isDigit() || (ch >= u'A' && ch <= u'F'));

    const QString decoded = decryptHexText(stored);
    EXPECT_EQ(decoded, stem + QString((16 - bytes % 16) % 16, QChar(0)));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TextFields, EveryDecodeKeysTheCipherAgain)
{
    const QString hexKey = u"2b7e151628aed2a6abf7158809cf4f3c"_s;
    const QString underHexKey = encryptTextToHex(u"0123456789abcdef"_s, hexKey);
    EXPECT_EQ(decryptHexText(underHexKey, hexKey), u"0123456789abcdef"_s);

    const QString underDigits = encryptTextToHex(u"第1套题"_s);
    EXPECT_EQ(shown(decryptHexText(underDigits)), u"第1套题"_s);
    EXPECT_NE(decryptHexText(underHexKey), u"0123456789abcdef"_s);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(TextFields, NoHexDigitsOrPartialBlockGiveEmptyTextWithMessage)
{
    EXPECT_EQ(decryptHexText(u"xyz"_s), QString());
    EXPECT_EQ(decryptHexText(QString()), QString());
    EXPECT_EQ(decryptHexText(u"5"_s), QString());
    EXPECT_EQ(decryptHexText(QString(30, u'A')), QString());
    ASSERT_EQ(boxes.shown.size(), 4u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(boxes.shown[i].text, u"Text not Hex data"_s);
    EXPECT_EQ(boxes.shown[3].text, u"ciphertext size not a multiple of block size"_s);
    for (const auto& box : boxes.shown) {
        EXPECT_EQ(box.title, u"朔禾软件"_s);
        EXPECT_EQ(box.icon, MessageIcon::None);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
    }
}

TEST_F(TextFields, TextsBeyond65535CharactersAreRefused)
{
    const QString limit(65535, u'x');
    EXPECT_EQ(limitTextBoxText(limit), limit);
    EXPECT_TRUE(boxes.shown.empty());

    // 65,520 letters and 16 NULs of fill: one character too many.
    const QString stored = encryptTextToHex(QString(65520, u'x') + QChar(0));
    EXPECT_EQ(decryptHexText(stored), QString());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, u"Can not assign a String larger than 64k \r\n"
                                   u"to the Text property of a TextBox control.\r\n"
                                   u"If you need to support Strings longer than 64k,\r\n"
                                   u"you can use a RichTextBox control instead."_s);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::Ok);
}

TEST_F(TextFields, ADecipheredTextEndsWhereTheZeroFillBegins)
{
    const QString stem = u"将第5张幻灯片移动到第2张之前。"_s;
    EXPECT_EQ(textBeforeZeroFill(decryptHexText(encryptTextToHex(stem))), stem);
    EXPECT_EQ(textBeforeZeroFill(stem + QChar(0) + QChar(0)), stem);
    EXPECT_EQ(textBeforeZeroFill(QString()), QString());
    EXPECT_TRUE(boxes.shown.empty());
}
