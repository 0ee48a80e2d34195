#pragma once
// Password-based authenticated encryption of a byte stream: AES in counter
// mode, HMAC-SHA1 over the ciphertext, keys from PBKDF2-HMAC-SHA1 and a random
// salt in front. The layout is that of one entry's data in a WinZip AES (AE-2)
// archive: salt, 2-byte password verification value, ciphertext, 10-byte code.
//
// The primitives come from OpenSSL's libcrypto; the small wrappers below are
// the only way the cipher reaches them, so the published test vectors can be
// run through exactly the calls the cipher makes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;
struct evp_cipher_ctx_st;
struct evp_mac_ctx_st;

// A password or key the cipher cannot take.
class TCryptError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// AES encryption of whole 16-byte blocks, each on its own (ECB): the counter
// blocks are built by the cipher, since its counter is little-endian.
class TAesBlockEncryptor {
public:
    TAesBlockEncryptor();
    ~TAesBlockEncryptor();
    TAesBlockEncryptor(const TAesBlockEncryptor&) = delete;
    TAesBlockEncryptor& operator=(const TAesBlockEncryptor&) = delete;

    // Key of 16, 24 or 32 bytes.
    void SetKey(const uint8_t* key, size_t keyLength);
    // Encrypts `blocks` 16-byte blocks from `in` to `out` (they may be the same).
    void EncryptBlocks(const uint8_t* in, uint8_t* out, size_t blocks);
    // 10, 12 or 14.
    int Rounds() const { return FRounds; }

private:
    evp_cipher_ctx_st* FContext = nullptr;
    int FRounds = 0;
};

// HMAC-SHA1 in steps.
class THmacSha1 {
public:
    static constexpr size_t DigestSize = 20;

    THmacSha1();
    ~THmacSha1();
    THmacSha1(const THmacSha1&) = delete;
    THmacSha1& operator=(const THmacSha1&) = delete;

    void Start(const uint8_t* key, size_t keyLength);
    void Update(const uint8_t* data, size_t length);
    std::array<uint8_t, DigestSize> Finish();

private:
    evp_mac_ctx_st* FContext = nullptr;
};

// PBKDF2 with HMAC-SHA1 as its pseudo-random function.
void DeriveKeyPbkdf2Sha1(std::string_view password, const uint8_t* salt, size_t saltLength,
                         int iterations, uint8_t* out, size_t outLength);

// Why a decryption or encryption failed.
enum class TCryptFailure : int {
    None,
    TooShort,          // the source cannot hold a header and a code
    PasswordMismatch,  // wrong password, or a damaged header
    SourceEndedEarly,  // fewer bytes than announced
    CodeMismatch,      // ciphertext (or the code) damaged or truncated
    ReadError,
    WriteError,
};

// Writes up to `room` bytes of plain text at `into` and returns how many; a
// return below `room` means the text ends there.
using TPlainSource = std::function<size_t(uint8_t* into, size_t room)>;

// Key size mode and cipher state for one stream in one direction.
class TCrypt {
public:
    static constexpr int MaxPasswordLength = 128;
    static constexpr size_t CodeSize = 10;
    static constexpr size_t VerifierSize = 2;
    static constexpr int Iterations = 1000;

    // Throws TCryptError for a password longer than 128 bytes or a buffer size below 1.
    TCrypt(std::string password, int bufferSize);
    virtual ~TCrypt();
    TCrypt(const TCrypt&) = delete;
    TCrypt& operator=(const TCrypt&) = delete;

    // 1, 2 or 3, from the password length: AES-128, -192 or -256.
    int Mode() const { return FMode; }
    static int ModeForPasswordLength(size_t length);
    static size_t KeyLengthFor(int mode) { return 8 + 8 * static_cast<size_t>(mode); }
    static size_t SaltLengthFor(int mode) { return 4 + 4 * static_cast<size_t>(mode); }
    size_t SaltLength() const { return SaltLengthFor(FMode); }
    // Salt, verification value and code around the ciphertext.
    size_t Overhead() const { return SaltLength() + VerifierSize + CodeSize; }
    int BufferSize() const { return FBufferSize; }

    // Encrypts the rest of `source` into `destination` with the given salt
    // (SaltLength() bytes). Returns false on a read or write error; no code is
    // written then.
    bool EncryptStreamWithSalt(const uint8_t* salt, QIODevice& source, QIODevice& destination);
    // The same with the plain text written by `source` straight into the
    // cipher's buffers, so no copy of the whole text is ever made. The
    // encryption runs on a second thread while this one fills and writes;
    // `onWritten`, when given, hears how many bytes of ciphertext are written.
    using TWriteProgress = std::function<void(int64_t written)>;
    bool EncryptSourceWithSalt(const uint8_t* salt, const TPlainSource& source, QIODevice& destination,
                               const TWriteProgress& onWritten = {});

    // `count` is the length of the encrypted data from the source's current
    // position. True only when the verification value and the code both match;
    // on a verification failure nothing is written. Never waits for bytes that
    // are not there: a source that ends early is a failure.
    bool DecryptStream(QIODevice& source, QIODevice& destination, int64_t count);
    // The same with the code worked out on a second thread while this one
    // decrypts: each chunk is read once, into a small ring of buffers, and
    // both halves of the work take it from there side by side.
    bool DecryptStreamSideBySide(QIODevice& source, QIODevice& destination, int64_t count);

    // The same layout for data in memory, straight from source to destination
    // a chunk of BufferSize bytes at a time: `encrypted` is replaced;
    // `plain` receives what decrypted (nothing when the password check fails).
    void EncryptBytesWithSalt(const uint8_t* salt, std::string_view plain, std::string& encrypted);
    bool DecryptBytes(std::string_view encrypted, std::string& plain);
    // Decrypts a whole encrypted file's bytes where they lie: the plain text
    // ends up at data + PlainOffset(), `plainLength` bytes long (0 when the
    // password check fails). True only when the code matches too. With
    // `onDecrypted`, the decryption runs on a second thread and this one is
    // told, a chunk at a time, how much of the plain text is ready, to work on
    // it meanwhile.
    using TDecryptProgress = std::function<void(size_t plainReady)>;
    bool DecryptInPlace(uint8_t* data, size_t size, size_t& plainLength, const TDecryptProgress& onDecrypted = {});
    size_t PlainOffset() const { return SaltLength() + VerifierSize; }

    TCryptFailure LastFailure() const { return FFailure; }

protected:
    bool Fail(TCryptFailure failure);

private:
    // Key setup from the salt; returns the verification value.
    std::array<uint8_t, VerifierSize> SetupKeys(const uint8_t* salt);
    // Reads the salt and verifier of a `count`-byte stream and sets up the
    // keys; false (with the failure kept) when the header does not pass.
    bool ReadStreamHeader(QIODevice& source, int64_t count);
    // Reads the authentication code that ends a stream and compares it with
    // the one computed over what came before it.
    bool ReadAndCheckCode(QIODevice& source);
    // out = in XOR keystream for `length` bytes (in and out may be the same),
    // carrying the keystream position across calls.
    void ApplyKeystream(const uint8_t* in, uint8_t* out, size_t length);
    // Encrypts and feeds the ciphertext to the HMAC; decrypts after feeding it.
    void EncryptChunk(const uint8_t* in, uint8_t* out, size_t length);
    void DecryptChunk(const uint8_t* in, uint8_t* out, size_t length);
    // Reads until `length` bytes are in or the source has no more; -1 on error.
    static int64_t ReadFully(QIODevice& source, uint8_t* into, int64_t length);
    static bool WriteAll(QIODevice& destination, const uint8_t* from, int64_t length);

    int FMode = 1;

    // Stream context.
    uint64_t FCounter = 0;
    std::array<uint8_t, 16> FKeystreamBlock{};
    size_t FKeystreamPosition = 16; // 16: the block is used up
    TAesBlockEncryptor FAes;
    THmacSha1 FHmac;

    std::string FPassword;
    int FBufferSize = 0;
    std::unique_ptr<uint8_t[]> FBuffer;

    // Counter blocks built and encrypted a batch at a time, so AES runs over
    // many blocks per call; a fixed part of the object, not a per-chunk allocation.
    static constexpr size_t BatchBlocks = 1024;
    std::unique_ptr<uint8_t[]> FBatch;

    TCryptFailure FFailure = TCryptFailure::None;
};

// TCrypt with a salt source: each encryption draws fresh salt from OpenSSL's
// cryptographically secure generator.
class TEncryption : public TCrypt {
public:
    TEncryption(std::string password, int bufferSize);
    ~TEncryption() override;

    bool EncryptStream(QIODevice& source, QIODevice& destination);
    bool EncryptSource(const TPlainSource& source, QIODevice& destination, const TWriteProgress& onWritten = {});
    void EncryptBytes(std::string_view plain, std::string& encrypted);

    // Fresh unpredictable bytes; throws std::runtime_error if the system has none.
    static void DrawSalt(uint8_t* into, size_t length);
};
