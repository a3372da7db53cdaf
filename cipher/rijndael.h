#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace pptdrill {

// Misuse of the cipher class, with the class's error number and description.
class CipherError : public std::runtime_error
{
public:
    CipherError(int number, const QString& description);
    int number() const { return m_number; }
    QString description() const;

private:
    int m_number;
};

// AES (FIPS-197 Rijndael with a 128-bit block) in electronic-codebook manner,
// table driven, with buffer operations that may carry a length byte in the last
// block and file operations that always carry it.
class cRijndael
{
public:
    cRijndael();

    // Takes KeyBits / 8 bytes of `pass`. Returns 0; throws CipherError(1) for
    // KeyBits other than 128, 192, 256, leaving the previous key in force.
    int SetCipherKey(std::span<const std::uint8_t> pass, int KeyBits);
    // The pass phrase's UTF-8 bytes, cut or zero-filled to exactly 32 bytes.
    int SetCipherKeyString(const QString& PassPhrase, int KeyBits);

    // One 16-byte block from plaintext[p..p+15] to ciphertext[q..q+15] (and back).
    // The spans may be the same memory. Throws std::out_of_range for an offset
    // outside its array.
    void BlockEncrypt(std::span<const std::uint8_t> plaintext, std::span<std::uint8_t> ciphertext, int p, int q) const;
    void BlockDecrypt(std::span<std::uint8_t> plaintext, std::span<const std::uint8_t> ciphertext, int p, int q) const;

    // Always 0.
    int ArrayEncrypt(std::span<const std::uint8_t> plaintext, std::vector<std::uint8_t>& ciphertext,
                     bool appendsize) const;
    // 0 success; 1 length-field warning; -1 size error (plaintext untouched).
    int ArrayDecrypt(std::vector<std::uint8_t>& plaintext, std::span<const std::uint8_t> ciphertext,
                     bool appendsize) const;

    // Always 0. File errors throw std::runtime_error with the file's message.
    int FileEncrypt(const QString& PlaintextFileName, const QString& CiphertextFileName) const;
    // 0 success or length warning; 1 size error (nothing opened or written).
    int FileDecrypt(const QString& PlaintextFileName, const QString& CiphertextFileName) const;

    int rounds() const { return Nr; }

private:
    void buildDecryptionSchedule();

    int Nr = 0;
    std::array<std::uint32_t, 60> m_encKey{};
    std::array<std::uint32_t, 60> m_decKey{};
};

} // namespace pptdrill
