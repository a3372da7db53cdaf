#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace pptdrill {

// The program's key text of the stem cipher: four decimal digits, fixed.
QString fixedCipherKeyText();

// Stored stem (hexadecimal AES-128 ciphertext) to readable text; empty on failure,
// with the failure's message box.
QString decryptHexText(const QString& stored, const QString& keyText = fixedCipherKeyText());
// A deciphered text as a text box shows it: up to the first NUL, where the
// zero fill of the last cipher block begins.
QString textBeforeZeroFill(const QString& deciphered);
// The cipher key of a key text: 16 bytes when the text holds 32 hexadecimal
// digits, else its UTF-8 bytes cut or zero-filled to 32.
std::vector<std::uint8_t> textKeyBytes(const QString& keyText = fixedCipherKeyText());
// Appends the bytes of the hexadecimal digit pairs of `text` to a fresh `out`;
// returns their count (out is empty when 0).
int hexToBytes(const QString& text, std::vector<std::uint8_t>& out);
QString limitTextBoxText(const QString& text);

// The producer's side of the stored format: UTF-8 bytes, zero fill to a whole
// block, AES-128 under textKeyBytes(keyText), upper-case hexadecimal.
QString encryptTextToHex(const QString& text, const QString& keyText = fixedCipherKeyText());

} // namespace pptdrill
