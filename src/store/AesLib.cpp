#include "store/AesLib.h"

#include <QIODevice>

#include <openssl/core_names.h>
#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/params.h>
#include <openssl/rand.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <exception>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

[[noreturn]] void ThrowOpenSslError(const char* what)
{
    char detail[256] = "";
    ERR_error_string_n(ERR_get_error(), detail, sizeof detail);
    ERR_clear_error();
    throw std::runtime_error(std::string("Encryption failed (") + what + "): " + detail);
}

void StoreLittleEndian64(uint8_t* at, uint64_t value)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(at, &value, 8);
    } else {
        for (size_t k = 0; k < 8; ++k, value >>= 8)
            at[k] = static_cast<uint8_t>(value);
    }
}

// out = in XOR keystream, 16 bytes at a time where the processor allows.
void XorBytes(const uint8_t* in, const uint8_t* keystream, uint8_t* out, size_t length)
{
    size_t j = 0;
#if defined(__SSE2__)
    for (; j + 16 <= length; j += 16) {
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + j));
        const __m128i k = _mm_loadu_si128(reinterpret_cast<const __m128i*>(keystream + j));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), _mm_xor_si128(d, k));
    }
#endif
    for (; j + 8 <= length; j += 8) {
        uint64_t d, k;
        std::memcpy(&d, in + j, 8);
        std::memcpy(&k, keystream + j, 8);
        d ^= k;
        std::memcpy(out + j, &d, 8);
    }
    for (; j < length; ++j)
        out[j] = in[j] ^ keystream[j];
}

} // namespace

// ---- TAesBlockEncryptor ----

TAesBlockEncryptor::TAesBlockEncryptor()
    : FContext(EVP_CIPHER_CTX_new())
{
    if (!FContext)
        ThrowOpenSslError("EVP_CIPHER_CTX_new");
}

TAesBlockEncryptor::~TAesBlockEncryptor()
{
    EVP_CIPHER_CTX_free(FContext);
}

void TAesBlockEncryptor::SetKey(const uint8_t* key, size_t keyLength)
{
    const EVP_CIPHER* cipher = nullptr;
    switch (keyLength) {
    case 16: cipher = EVP_aes_128_ecb(); FRounds = 10; break;
    case 24: cipher = EVP_aes_192_ecb(); FRounds = 12; break;
    case 32: cipher = EVP_aes_256_ecb(); FRounds = 14; break;
    default: throw TCryptError("An AES key is 16, 24 or 32 bytes long.");
    }
    if (EVP_EncryptInit_ex2(FContext, cipher, key, nullptr, nullptr) != 1
        || EVP_CIPHER_CTX_set_padding(FContext, 0) != 1)
        ThrowOpenSslError("AES key setup");
}

void TAesBlockEncryptor::EncryptBlocks(const uint8_t* in, uint8_t* out, size_t blocks)
{
    int written = 0;
    if (blocks == 0)
        return;
    if (EVP_EncryptUpdate(FContext, out, &written, in, static_cast<int>(blocks * 16)) != 1
        || static_cast<size_t>(written) != blocks * 16)
        ThrowOpenSslError("AES");
}

// ---- THmacSha1 ----

THmacSha1::THmacSha1()
{
    EVP_MAC* mac = EVP_MAC_fetch(nullptr, "HMAC", nullptr);
    if (!mac)
        ThrowOpenSslError("HMAC fetch");
    FContext = EVP_MAC_CTX_new(mac);
    EVP_MAC_free(mac);
    if (!FContext)
        ThrowOpenSslError("HMAC context");
}

THmacSha1::~THmacSha1()
{
    EVP_MAC_CTX_free(FContext);
}

void THmacSha1::Start(const uint8_t* key, size_t keyLength)
{
    char digest[] = "SHA1";
    const OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_DIGEST, digest, 0),
        OSSL_PARAM_construct_end(),
    };
    static const uint8_t noKey = 0;
    if (EVP_MAC_init(FContext, keyLength ? key : &noKey, keyLength, params) != 1)
        ThrowOpenSslError("HMAC key setup");
}

void THmacSha1::Update(const uint8_t* data, size_t length)
{
    if (length && EVP_MAC_update(FContext, data, length) != 1)
        ThrowOpenSslError("HMAC");
}

std::array<uint8_t, THmacSha1::DigestSize> THmacSha1::Finish()
{
    std::array<uint8_t, DigestSize> digest{};
    size_t written = 0;
    if (EVP_MAC_final(FContext, digest.data(), &written, digest.size()) != 1 || written != DigestSize)
        ThrowOpenSslError("HMAC final");
    return digest;
}

void DeriveKeyPbkdf2Sha1(std::string_view password, const uint8_t* salt, size_t saltLength,
                         int iterations, uint8_t* out, size_t outLength)
{
    if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()), salt,
                          static_cast<int>(saltLength), iterations, EVP_sha1(),
                          static_cast<int>(outLength), out) != 1)
        ThrowOpenSslError("PBKDF2");
}

// ---- TCrypt ----

int TCrypt::ModeForPasswordLength(size_t length)
{
    if (length < 32)
        return 1;
    if (length < 48)
        return 2;
    return 3;
}

TCrypt::TCrypt(std::string password, int bufferSize)
{
    if (password.size() > static_cast<size_t>(MaxPasswordLength))
        throw TCryptError("The password is " + std::to_string(password.size())
                          + " bytes long; the file cipher takes at most "
                          + std::to_string(MaxPasswordLength) + ".");
    if (bufferSize < 1)
        throw TCryptError("The cipher's buffer must hold at least one byte.");
    FPassword = std::move(password);
    FMode = ModeForPasswordLength(FPassword.size());
    FBufferSize = bufferSize;
    FBuffer = std::make_unique<uint8_t[]>(static_cast<size_t>(bufferSize));
    // Counter blocks in the first half, their encryption in the second; bytes
    // 8 to 15 of every counter block stay zero.
    FBatch = std::make_unique<uint8_t[]>(BatchBlocks * 16 * 2);
}

TCrypt::~TCrypt()
{
    OPENSSL_cleanse(FPassword.data(), FPassword.size());
    OPENSSL_cleanse(FBuffer.get(), static_cast<size_t>(FBufferSize));
    OPENSSL_cleanse(FBatch.get(), BatchBlocks * 16 * 2);
    OPENSSL_cleanse(FKeystreamBlock.data(), FKeystreamBlock.size());
}

bool TCrypt::Fail(TCryptFailure failure)
{
    FFailure = failure;
    return false;
}

std::array<uint8_t, TCrypt::VerifierSize> TCrypt::SetupKeys(const uint8_t* salt)
{
    const size_t keyLength = KeyLengthFor(FMode);
    uint8_t derived[2 * 32 + 2];
    const size_t derivedLength = 2 * keyLength + VerifierSize;
    DeriveKeyPbkdf2Sha1(FPassword, salt, SaltLength(), Iterations, derived, derivedLength);
    FCounter = 0;
    FKeystreamPosition = 16;
    FAes.SetKey(derived, keyLength);
    FHmac.Start(derived + keyLength, keyLength);
    const std::array<uint8_t, VerifierSize> verifier{derived[2 * keyLength], derived[2 * keyLength + 1]};
    OPENSSL_cleanse(derived, sizeof derived);
    return verifier;
}

void TCrypt::ApplyKeystream(const uint8_t* in, uint8_t* out, size_t length)
{
    size_t i = 0;
    while (i < length && FKeystreamPosition < 16) {
        out[i] = in[i] ^ FKeystreamBlock[FKeystreamPosition++];
        ++i;
    }
    uint8_t* const counters = FBatch.get();
    uint8_t* const keystream = FBatch.get() + BatchBlocks * 16;
    while (i < length) {
        const size_t left = length - i;
        const size_t blocks = std::min(BatchBlocks, (left + 15) / 16);
        for (size_t b = 0; b < blocks; ++b)
            StoreLittleEndian64(counters + b * 16, ++FCounter);
        FAes.EncryptBlocks(counters, keystream, blocks);
        const size_t take = std::min(left, blocks * 16);
        XorBytes(in + i, keystream, out + i, take);
        i += take;
        if (take % 16 != 0) {
            // The last block is only partly used: the next chunk goes on with it.
            std::memcpy(FKeystreamBlock.data(), keystream + (blocks - 1) * 16, 16);
            FKeystreamPosition = take % 16;
        } else {
            FKeystreamPosition = 16;
        }
    }
}

void TCrypt::EncryptChunk(const uint8_t* in, uint8_t* out, size_t length)
{
    ApplyKeystream(in, out, length);
    FHmac.Update(out, length);
}

void TCrypt::DecryptChunk(const uint8_t* in, uint8_t* out, size_t length)
{
    FHmac.Update(in, length);
    ApplyKeystream(in, out, length);
}

int64_t TCrypt::ReadFully(QIODevice& source, uint8_t* into, int64_t length)
{
    int64_t total = 0;
    while (total < length) {
        const qint64 got = source.read(reinterpret_cast<char*>(into + total), length - total);
        if (got < 0)
            return -1;
        if (got == 0)
            break; // no more now: the end, never a wait
        total += got;
    }
    return total;
}

bool TCrypt::WriteAll(QIODevice& destination, const uint8_t* from, int64_t length)
{
    return length == 0 || destination.write(reinterpret_cast<const char*>(from), length) == length;
}

bool TCrypt::EncryptStreamWithSalt(const uint8_t* salt, QIODevice& source, QIODevice& destination)
{
    FFailure = TCryptFailure::None;
    const auto verifier = SetupKeys(salt);
    if (!WriteAll(destination, salt, static_cast<int64_t>(SaltLength()))
        || !WriteAll(destination, verifier.data(), VerifierSize))
        return Fail(TCryptFailure::WriteError);
    uint8_t* const buffer = FBuffer.get();
    for (;;) {
        const int64_t got = ReadFully(source, buffer, FBufferSize);
        if (got < 0)
            return Fail(TCryptFailure::ReadError);
        EncryptChunk(buffer, buffer, static_cast<size_t>(got));
        if (!WriteAll(destination, buffer, got))
            return Fail(TCryptFailure::WriteError);
        if (got < FBufferSize)
            break;
    }
    const auto code = FHmac.Finish();
    if (!WriteAll(destination, code.data(), CodeSize))
        return Fail(TCryptFailure::WriteError);
    return true;
}

bool TCrypt::EncryptSourceWithSalt(const uint8_t* salt, const TPlainSource& source, QIODevice& destination,
                                   const TWriteProgress& onWritten)
{
    FFailure = TCryptFailure::None;
    const auto verifier = SetupKeys(salt);
    if (!WriteAll(destination, salt, static_cast<int64_t>(SaltLength()))
        || !WriteAll(destination, verifier.data(), VerifierSize))
        return Fail(TCryptFailure::WriteError);
    int64_t written = 0;
    const auto write = [&](const uint8_t* from, size_t length) {
        if (!WriteAll(destination, from, static_cast<int64_t>(length)))
            return false;
        written += static_cast<int64_t>(length);
        if (onWritten)
            onWritten(written);
        return true;
    };
    const size_t chunk = static_cast<size_t>(FBufferSize);
    // Fills a buffer from the source; false when the source ended in it.
    const auto fill = [&](uint8_t* into, size_t& got) {
        got = 0;
        while (got < chunk) {
            const size_t room = chunk - got;
            const size_t wrote = source(into + got, room);
            got += wrote;
            if (wrote < room)
                return false;
        }
        return true;
    };

    // A ring of buffers: this thread fills them from the source and writes
    // them out, a second thread encrypts each in place and feeds the HMAC.
    constexpr uint64_t Slots = 4;
    constexpr uint64_t Ended = uint64_t(1) << 62; // in `filled`: the source has no more
    constexpr uint64_t Stop = uint64_t(1) << 63;  // in `filled`: give up
    const auto ring = std::make_unique_for_overwrite<uint8_t[]>(Slots * chunk);
    std::array<size_t, Slots> slotSize{};
    size_t got = 0;
    if (!fill(ring.get(), got)) {
        // All of it in one buffer: no second thread is worth starting.
        EncryptChunk(ring.get(), ring.get(), got);
        if (!write(ring.get(), got))
            return Fail(TCryptFailure::WriteError);
    } else {
        slotSize[0] = got;
        std::atomic<uint64_t> filled{1};    // buffers filled (with Ended and Stop)
        std::atomic<uint64_t> encrypted{0}; // buffers encrypted
        std::atomic<bool> encrypterFailed{false};
        std::exception_ptr encrypterError; // read only after the join
        {
            std::jthread encrypter([&] {
                try {
                    for (uint64_t j = 0;; ++j) {
                        uint64_t f;
                        while (((f = filled.load(std::memory_order_acquire)) & ~(Ended | Stop)) <= j
                               && !(f & (Ended | Stop)))
                            filled.wait(f, std::memory_order_acquire);
                        if ((f & Stop) || (f & ~(Ended | Stop)) <= j)
                            return;
                        uint8_t* const slot = ring.get() + (j % Slots) * chunk;
                        EncryptChunk(slot, slot, slotSize[j % Slots]);
                        encrypted.store(j + 1, std::memory_order_release);
                        encrypted.notify_one();
                    }
                } catch (...) {
                    encrypterError = std::current_exception();
                    encrypterFailed.store(true, std::memory_order_release);
                    encrypted.store(UINT64_MAX / 2, std::memory_order_release);
                    encrypted.notify_one();
                }
            });
            const auto stop = [&] {
                filled.fetch_or(Stop, std::memory_order_release);
                filled.notify_one();
            };
            try {
                uint64_t count = 1, out = 0;
                bool more = true;
                while (more || out < count) {
                    if (more && count - out < Slots) {
                        const uint64_t slot = count % Slots;
                        more = fill(ring.get() + slot * chunk, slotSize[slot]);
                        if (slotSize[slot] > 0)
                            ++count;
                        filled.store(count | (more ? 0 : Ended), std::memory_order_release);
                        filled.notify_one();
                        continue;
                    }
                    for (uint64_t e; (e = encrypted.load(std::memory_order_acquire)) <= out;)
                        encrypted.wait(e, std::memory_order_acquire);
                    if (encrypterFailed.load(std::memory_order_acquire))
                        break;
                    if (!write(ring.get() + (out % Slots) * chunk, slotSize[out % Slots])) {
                        Fail(TCryptFailure::WriteError);
                        stop();
                        break;
                    }
                    ++out;
                }
            } catch (...) {
                // The second thread must not wait for a buffer that never comes.
                stop();
                throw;
            }
        }
        if (encrypterError)
            std::rethrow_exception(encrypterError);
        if (FFailure != TCryptFailure::None)
            return false;
    }
    const auto code = FHmac.Finish();
    if (!WriteAll(destination, code.data(), CodeSize))
        return Fail(TCryptFailure::WriteError);
    return true;
}

bool TCrypt::ReadStreamHeader(QIODevice& source, int64_t count)
{
    FFailure = TCryptFailure::None;
    const int64_t saltLength = static_cast<int64_t>(SaltLength());
    if (count < static_cast<int64_t>(Overhead()))
        return Fail(TCryptFailure::TooShort);

    uint8_t header[16 + VerifierSize];
    const int64_t headerLength = saltLength + static_cast<int64_t>(VerifierSize);
    const int64_t gotHeader = ReadFully(source, header, headerLength);
    if (gotHeader < 0)
        return Fail(TCryptFailure::ReadError);
    if (gotHeader < headerLength)
        return Fail(TCryptFailure::SourceEndedEarly);
    const auto verifier = SetupKeys(header);
    if (CRYPTO_memcmp(verifier.data(), header + saltLength, VerifierSize) != 0)
        return Fail(TCryptFailure::PasswordMismatch);
    return true;
}

bool TCrypt::ReadAndCheckCode(QIODevice& source)
{
    uint8_t stored[CodeSize];
    const int64_t gotCode = ReadFully(source, stored, CodeSize);
    if (gotCode < 0)
        return Fail(TCryptFailure::ReadError);
    if (gotCode < static_cast<int64_t>(CodeSize))
        return Fail(TCryptFailure::SourceEndedEarly);
    const auto computed = FHmac.Finish();
    if (CRYPTO_memcmp(computed.data(), stored, CodeSize) != 0)
        return Fail(TCryptFailure::CodeMismatch);
    return true;
}

bool TCrypt::DecryptStream(QIODevice& source, QIODevice& destination, int64_t count)
{
    if (!ReadStreamHeader(source, count))
        return false;

    uint8_t* const buffer = FBuffer.get();
    int64_t remaining = count - static_cast<int64_t>(Overhead());
    while (remaining > 0) {
        const int64_t wanted = std::min<int64_t>(FBufferSize, remaining);
        const int64_t got = ReadFully(source, buffer, wanted);
        if (got < 0)
            return Fail(TCryptFailure::ReadError);
        DecryptChunk(buffer, buffer, static_cast<size_t>(got));
        if (!WriteAll(destination, buffer, got))
            return Fail(TCryptFailure::WriteError);
        if (got < wanted)
            return Fail(TCryptFailure::SourceEndedEarly);
        remaining -= got;
    }

    return ReadAndCheckCode(source);
}

void TCrypt::EncryptBytesWithSalt(const uint8_t* salt, std::string_view plain, std::string& encrypted)
{
    FFailure = TCryptFailure::None;
    const size_t saltLength = SaltLength();
    encrypted.resize(plain.size() + Overhead());
    uint8_t* const out = reinterpret_cast<uint8_t*>(encrypted.data());
    const auto verifier = SetupKeys(salt);
    std::memcpy(out, salt, saltLength);
    std::memcpy(out + saltLength, verifier.data(), VerifierSize);
    const uint8_t* const in = reinterpret_cast<const uint8_t*>(plain.data());
    uint8_t* const cipherText = out + saltLength + VerifierSize;
    // Chunk by chunk, so the HMAC reads what was just written while it is in cache.
    for (size_t at = 0; at < plain.size(); at += static_cast<size_t>(FBufferSize)) {
        const size_t n = std::min(plain.size() - at, static_cast<size_t>(FBufferSize));
        EncryptChunk(in + at, cipherText + at, n);
    }
    const auto code = FHmac.Finish();
    std::memcpy(cipherText + plain.size(), code.data(), CodeSize);
}

bool TCrypt::DecryptBytes(std::string_view encrypted, std::string& plain)
{
    FFailure = TCryptFailure::None;
    plain.clear();
    if (encrypted.size() < Overhead())
        return Fail(TCryptFailure::TooShort);
    const size_t saltLength = SaltLength();
    const uint8_t* const in = reinterpret_cast<const uint8_t*>(encrypted.data());
    const auto verifier = SetupKeys(in);
    if (CRYPTO_memcmp(verifier.data(), in + saltLength, VerifierSize) != 0)
        return Fail(TCryptFailure::PasswordMismatch);
    const size_t length = encrypted.size() - Overhead();
    plain.resize(length);
    const uint8_t* const cipherText = in + saltLength + VerifierSize;
    uint8_t* const out = reinterpret_cast<uint8_t*>(plain.data());
    for (size_t at = 0; at < length; at += static_cast<size_t>(FBufferSize)) {
        const size_t n = std::min(length - at, static_cast<size_t>(FBufferSize));
        DecryptChunk(cipherText + at, out + at, n);
    }
    const auto computed = FHmac.Finish();
    if (CRYPTO_memcmp(computed.data(), cipherText + length, CodeSize) != 0)
        return Fail(TCryptFailure::CodeMismatch);
    return true;
}

bool TCrypt::DecryptStreamSideBySide(QIODevice& source, QIODevice& destination, int64_t count)
{
    if (!ReadStreamHeader(source, count))
        return false;

    // A ring of chunks read once: the HMAC thread takes each chunk as it is
    // read, this thread decrypts it into its own buffer and passes it on; a
    // slot is read into again only once the HMAC is done with it.
    constexpr uint64_t Slots = 4;
    const size_t chunk = static_cast<size_t>(FBufferSize);
    const auto ring = std::make_unique_for_overwrite<uint8_t[]>(Slots * chunk);
    std::array<size_t, Slots> slotSize{};
    const int64_t length = count - static_cast<int64_t>(Overhead());
    const uint64_t chunks = (static_cast<uint64_t>(length) + chunk - 1) / chunk;
    std::atomic<uint64_t> filled{0}; // chunks read into the ring
    std::atomic<uint64_t> hashed{0}; // chunks the HMAC is done with
    std::atomic<bool> stop{false};   // this thread ended early: the HMAC thread ends too
    std::atomic<bool> coderFailed{false};
    std::exception_ptr coderError; // read only after the join
    {
        std::jthread coder([&] {
            try {
                for (uint64_t j = 0; j < chunks; ++j) {
                    for (uint64_t f; (f = filled.load(std::memory_order_acquire)) <= j;)
                        filled.wait(f, std::memory_order_acquire);
                    if (stop.load(std::memory_order_acquire))
                        return;
                    FHmac.Update(ring.get() + (j % Slots) * chunk, slotSize[j % Slots]);
                    hashed.store(j + 1, std::memory_order_release);
                    hashed.notify_one();
                }
            } catch (...) {
                coderError = std::current_exception();
                coderFailed.store(true, std::memory_order_release);
                hashed.store(UINT64_MAX / 2, std::memory_order_release);
                hashed.notify_one();
            }
        });
        const auto endEarly = [&](TCryptFailure failure) {
            Fail(failure);
            stop.store(true, std::memory_order_release);
            filled.fetch_add(1, std::memory_order_release);
            filled.notify_one();
        };
        uint8_t* const plain = FBuffer.get();
        try {
        for (uint64_t i = 0; i < chunks; ++i) {
            for (uint64_t h; i >= (h = hashed.load(std::memory_order_acquire)) + Slots;)
                hashed.wait(h, std::memory_order_acquire);
            if (coderFailed.load(std::memory_order_acquire))
                break;
            uint8_t* const slot = ring.get() + (i % Slots) * chunk;
            const int64_t wanted = std::min<int64_t>(static_cast<int64_t>(chunk), length - static_cast<int64_t>(i * chunk));
            const int64_t got = ReadFully(source, slot, wanted);
            if (got < 0) {
                endEarly(TCryptFailure::ReadError);
                break;
            }
            slotSize[i % Slots] = static_cast<size_t>(got);
            filled.store(i + 1, std::memory_order_release);
            filled.notify_one();
            ApplyKeystream(slot, plain, static_cast<size_t>(got));
            if (!WriteAll(destination, plain, got)) {
                endEarly(TCryptFailure::WriteError);
                break;
            }
            if (got < wanted) {
                endEarly(TCryptFailure::SourceEndedEarly);
                break;
            }
        }
        } catch (...) {
            // The HMAC thread must not wait for a chunk that never comes.
            endEarly(TCryptFailure::ReadError);
            throw;
        }
    }
    if (coderError)
        std::rethrow_exception(coderError);
    if (FFailure != TCryptFailure::None)
        return false;

    return ReadAndCheckCode(source);
}

bool TCrypt::DecryptInPlace(uint8_t* data, size_t size, size_t& plainLength, const TDecryptProgress& onDecrypted)
{
    FFailure = TCryptFailure::None;
    plainLength = 0;
    if (size < Overhead())
        return Fail(TCryptFailure::TooShort);
    const auto verifier = SetupKeys(data);
    if (CRYPTO_memcmp(verifier.data(), data + SaltLength(), VerifierSize) != 0)
        return Fail(TCryptFailure::PasswordMismatch);
    const size_t length = size - Overhead();
    uint8_t* const text = data + PlainOffset();
    const size_t chunk = static_cast<size_t>(FBufferSize);
    // A chunk at a time, so the HMAC and the keystream read it while it is in cache.
    const auto decryptAll = [&](std::atomic<size_t>* ready) {
        for (size_t at = 0; at < length; at += chunk) {
            const size_t n = std::min(length - at, chunk);
            DecryptChunk(text + at, text + at, n);
            if (ready) {
                ready->store(at + n, std::memory_order_release);
                ready->notify_one();
            }
        }
    };
    if (!onDecrypted || length <= chunk) {
        decryptAll(nullptr);
        if (onDecrypted)
            onDecrypted(length);
    } else {
        // The decryption on a second thread, the caller's work on what is
        // ready here: the two take about as long, so the load takes about half.
        std::atomic<size_t> ready{0};
        std::atomic<bool> failed{false};
        std::exception_ptr error; // read only after the join
        std::jthread decrypter([&] {
            try {
                decryptAll(&ready);
            } catch (...) {
                error = std::current_exception();
                failed.store(true, std::memory_order_release);
                ready.store(length, std::memory_order_release);
                ready.notify_one();
            }
        });
        for (size_t seen = 0; seen < length;) {
            ready.wait(seen, std::memory_order_acquire);
            seen = ready.load(std::memory_order_acquire);
            if (failed.load(std::memory_order_acquire))
                break;
            onDecrypted(seen);
        }
        decrypter.join();
        if (error)
            std::rethrow_exception(error);
    }
    plainLength = length;
    const auto computed = FHmac.Finish();
    if (CRYPTO_memcmp(computed.data(), text + length, CodeSize) != 0)
        return Fail(TCryptFailure::CodeMismatch);
    return true;
}

// ---- TEncryption ----

TEncryption::TEncryption(std::string password, int bufferSize)
    : TCrypt(std::move(password), bufferSize)
{
}

TEncryption::~TEncryption() = default;

void TEncryption::DrawSalt(uint8_t* into, size_t length)
{
    if (RAND_bytes(into, static_cast<int>(length)) != 1)
        ThrowOpenSslError("random salt");
}

void TEncryption::EncryptBytes(std::string_view plain, std::string& encrypted)
{
    uint8_t salt[16];
    DrawSalt(salt, SaltLength());
    EncryptBytesWithSalt(salt, plain, encrypted);
}

bool TEncryption::EncryptSource(const TPlainSource& source, QIODevice& destination, const TWriteProgress& onWritten)
{
    uint8_t salt[16];
    DrawSalt(salt, SaltLength());
    return EncryptSourceWithSalt(salt, source, destination, onWritten);
}

bool TEncryption::EncryptStream(QIODevice& source, QIODevice& destination)
{
    uint8_t salt[16];
    DrawSalt(salt, SaltLength());
    return EncryptStreamWithSalt(salt, source, destination);
}
