#include "cipher/textfields.h"

#include "cipher/rijndael.h"
#include "platform/messagebox.h"

#include <algorithm>
#include <span>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// The main program's one cipher instance, created on the first decode.
Rijndael& textCipher()
{
    static Rijndael cipher;
    return cipher;
}

int hexDigitValue(int code)
{
    if (code >= '0' && code <= '9')
        return code - '0';
    if (code >= 'A' && code <= 'F')
        return code - 'A' + 10;
    if (code >= 'a' && code <= 'f')
        return code - 'a' + 10;
    return -1;
}

std::span<const std::uint8_t> asBytes(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}

} // namespace

QString fixedCipherKeyText()
{
    return u"3719"_s;
}

std::vector<std::uint8_t> textKeyBytes(const QString& keyText)
{
    std::vector<std::uint8_t> key;
    if (hexToBytes(keyText, key) == 16)
        return key;
    const QByteArray bytes = keyText.toUtf8();
    const std::span<const std::uint8_t> text = asBytes(bytes);
    key.assign(32, 0);
    std::copy_n(text.begin(), std::min<std::size_t>(text.size(), 32), key.begin());
    return key;
}

int hexToBytes(const QString& text, std::vector<std::uint8_t>& out)
{
    out.assign(std::size_t(text.size() / 2), 0);
    std::size_t count = 0;
    int pending = -1;
    for (const QChar ch : text) {
        // Only the low 8 bits of each UTF-16 code unit decide.
        const int value = hexDigitValue(ch.unicode() & 0xFF);
        if (value < 0)
            continue;
        if (pending < 0) {
            pending = value;
        } else {
            out[count++] = static_cast<std::uint8_t>(pending * 16 + value);
            pending = -1;
        }
    }
    if (count > 0) {
        out.resize(count);
    } else {
        out.clear();
        out.shrink_to_fit();
    }
    return static_cast<int>(count);
}

QString decryptHexText(const QString& stored, const QString& keyText)
{
    const std::vector<std::uint8_t> key = textKeyBytes(keyText);
    std::vector<std::uint8_t> ciphertext;
    if (hexToBytes(stored, ciphertext) == 0) {
        msgBox(u"Text not Hex data"_s);
        return {};
    }
    Rijndael& cipher = textCipher();
    cipher.setCipherKey(key, 128);
    std::vector<std::uint8_t> plaintext;
    if (cipher.arrayDecrypt(plaintext, ciphertext, false) != 0)
        return {};
    // The zero fill of the last block stays as trailing NUL characters.
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(plaintext.data()), qsizetype(plaintext.size()));
    return limitTextBoxText(text);
}

QString textBeforeZeroFill(const QString& deciphered)
{
    return deciphered.left(deciphered.indexOf(QChar(0)));
}

QString limitTextBoxText(const QString& text)
{
    if (text.size() > 65535) {
        msgBox(u"Can not assign a String larger than 64k \r\n"
               u"to the Text property of a TextBox control.\r\n"
               u"If you need to support Strings longer than 64k,\r\n"
               u"you can use a RichTextBox control instead."_s,
               MessageIcon::Information);
        return {};
    }
    return text;
}

QString encryptTextToHex(const QString& text, const QString& keyText)
{
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    const QByteArray bytes = text.toUtf8();
    Rijndael cipher;
    cipher.setCipherKey(textKeyBytes(keyText), 128);
    std::vector<std::uint8_t> ciphertext;
    cipher.arrayEncrypt(asBytes(bytes), ciphertext, false);
    QString hex;
    hex.reserve(qsizetype(ciphertext.size() * 2));
    for (const std::uint8_t b : ciphertext) {
        hex.append(QChar(digits[b >> 4]));
        hex.append(QChar(digits[b & 0x0F]));
    }
    return hex;
}

} // namespace pptdrill
