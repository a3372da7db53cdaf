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
class Rijndael
{
public:
    Rijndael();

    // Takes keyBits / 8 bytes of `pass`. Returns 0; throws CipherError(1) for
    // keyBits other than 128, 192, 256, leaving the previous key in force.
    int setCipherKey(std::span<const std::uint8_t> pass, int keyBits);
    // The pass phrase's UTF-8 bytes, cut or zero-filled to exactly 32 bytes.
    int setCipherKeyString(const QString& passPhrase, int keyBits);

    // One 16-byte block from plaintext[p..p+15] to ciphertext[q..q+15] (and back).
    // The spans may be the same memory. Throws std::out_of_range for an offset
    // outside its array.
    void blockEncrypt(std::span<const std::uint8_t> plaintext, std::span<std::uint8_t> ciphertext, int p,
                      int q) const;
    void blockDecrypt(std::span<std::uint8_t> plaintext, std::span<const std::uint8_t> ciphertext, int p,
                      int q) const;

    // Always 0.
    int arrayEncrypt(std::span<const std::uint8_t> plaintext, std::vector<std::uint8_t>& ciphertext,
                     bool appendsize) const;
    // 0 success; 1 length-field warning; -1 size error (plaintext untouched).
    int arrayDecrypt(std::vector<std::uint8_t>& plaintext, std::span<const std::uint8_t> ciphertext,
                     bool appendsize) const;

    // Always 0. File errors throw std::runtime_error with the file's message.
    int fileEncrypt(const QString& plaintextFileName, const QString& ciphertextFileName) const;
    // 0 success or length warning; 1 size error (nothing opened or written).
    int fileDecrypt(const QString& plaintextFileName, const QString& ciphertextFileName) const;

    int rounds() const { return m_rounds; }

private:
    void buildDecryptionSchedule();

    int m_rounds = 0;
    std::array<std::uint32_t, 60> m_encKey{};
    std::array<std::uint32_t, 60> m_decKey{};
};

} // namespace pptdrill
