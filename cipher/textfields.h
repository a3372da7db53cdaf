#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace pptdrill {

// The program's key text of the stem cipher: four decimal digits, fixed.
QString fixedCipherKeyText();

// Program-wide key text, empty until set. Callers set it before the first
// decryptHexText, textKeyBytes or encryptTextToHex: the main program and
// drillbank both set cipherkey = fixedCipherKeyText() at start-up.
extern QString cipherkey;

// Stored stem (hexadecimal AES-128 ciphertext) to readable text; empty on failure,
// with the failure's message box.
QString decryptHexText(const QString& stored);
std::vector<std::uint8_t> textKeyBytes();
// Appends the bytes of the hexadecimal digit pairs of `text` to a fresh `out`;
// returns their count (out is empty when 0).
int hexToBytes(const QString& text, std::vector<std::uint8_t>& out);
QString limitTextBoxText(const QString& text);

// The producer's side of the stored format: UTF-8 bytes, zero fill to a whole
// block, AES-128 under textKeyBytes(), upper-case hexadecimal.
QString encryptTextToHex(const QString& text);

} // namespace pptdrill
