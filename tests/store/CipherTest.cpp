#include "TestSupport.h"

#include "store/DataFileCipher.h"
#include "store/AesLib.h"
#include "store/FileIO.h"

#include <QBuffer>
#include <QByteArray>

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Hex(const uint8_t* data, size_t length)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < length; ++i) {
        out.push_back(digits[data[i] >> 4]);
        out.push_back(digits[data[i] & 15]);
    }
    return out;
}

std::string Hex(const std::string& bytes)
{
    return Hex(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string Unhex(std::string_view hex)
{
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    return out;
}

const uint8_t* Bytes(const std::string& s)
{
    return reinterpret_cast<const uint8_t*>(s.data());
}

std::string Salt(size_t length)
{
    std::string salt;
    for (size_t i = 0; i < length; ++i)
        salt.push_back(static_cast<char>(i));
    return salt;
}

std::string RandomBytes(size_t length, unsigned seed)
{
    std::mt19937 random(seed);
    std::string out(length, '\0');
    for (char& c : out)
        c = static_cast<char>(random());
    return out;
}

// A source that hands out at most `step` bytes per read, as a pipe would.
class TChunkySource : public QIODevice {
public:
    TChunkySource(std::string data, qint64 step)
        : FData(std::move(data))
        , FStep(step)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* into, qint64 max) override
    {
        const qint64 n = std::min({max, FStep, static_cast<qint64>(FData.size()) - FAt});
        std::memcpy(into, FData.data() + FAt, static_cast<size_t>(n));
        FAt += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::string FData;
    qint64 FStep;
    qint64 FAt = 0;
};

std::string EncryptWith(const std::string& password, const std::string& salt, const std::string& plain,
                        int bufferSize = DataFileBufferSize)
{
    TCrypt cipher(password, bufferSize);
    QByteArray in = QByteArray::fromStdString(plain);
    QBuffer source(&in);
    source.open(QIODevice::ReadOnly);
    QByteArray out;
    QBuffer destination(&out);
    destination.open(QIODevice::WriteOnly);
    EXPECT_TRUE(cipher.EncryptStreamWithSalt(Bytes(salt), source, destination));
    return out.toStdString();
}

struct TDecrypted {
    bool Ok;
    TCryptFailure Failure;
    std::string Plain;
};

TDecrypted DecryptWith(const std::string& password, const std::string& encrypted, int64_t count,
                       int bufferSize = DataFileBufferSize)
{
    TCrypt cipher(password, bufferSize);
    QByteArray in = QByteArray::fromStdString(encrypted);
    QBuffer source(&in);
    source.open(QIODevice::ReadOnly);
    QByteArray out;
    QBuffer destination(&out);
    destination.open(QIODevice::WriteOnly);
    const bool ok = cipher.DecryptStream(source, destination, count);
    return {ok, cipher.LastFailure(), out.toStdString()};
}

const std::string SampleLine = "^Alpha^http://a.example/^Cat^Free^4^1200^^\r\n";

} // namespace

TEST(CipherPrimitives, Fips197AesVectors)
{
    const std::string key = Unhex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
    const std::string plain = Unhex("00112233445566778899aabbccddeeff");
    const struct {
        size_t KeyLength;
        int Rounds;
        const char* Expected;
    } cases[] = {
        {16, 10, "69c4e0d86a7b0430d8cdb78070b4c55a"},
        {24, 12, "dda97ca4864cdfe06eaf70a0ec0d7191"},
        {32, 14, "8ea2b7ca516745bfeafc49904b496089"},
    };
    for (const auto& c : cases) {
        TAesBlockEncryptor aes;
        aes.SetKey(Bytes(key), c.KeyLength);
        EXPECT_EQ(aes.Rounds(), c.Rounds);
        // Two blocks in one call: the cipher encrypts its counter blocks in batches.
        uint8_t out[32];
        const std::string twice = plain + plain;
        aes.EncryptBlocks(Bytes(twice), out, 2);
        EXPECT_EQ(Hex(out, 16), c.Expected) << c.KeyLength;
        EXPECT_EQ(Hex(out + 16, 16), c.Expected) << c.KeyLength;
    }
    TAesBlockEncryptor aes;
    EXPECT_THROW(aes.SetKey(Bytes(key), 20), TCryptError);
}

TEST(CipherPrimitives, Rfc2202HmacSha1Vectors)
{
    const struct {
        std::string Key;
        std::string Data;
        const char* Expected;
    } cases[] = {
        {std::string(20, '\x0b'), "Hi There", "b617318655057264e28bc0b6fb378c8ef146be00"},
        {"Jefe", "what do ya want for nothing?", "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
        {std::string(20, '\xaa'), std::string(50, '\xdd'), "125d7342b9ac11cd91a39af48aa17b4f63f175d3"},
        {Unhex("0102030405060708090a0b0c0d0e0f10111213141516171819"), std::string(50, '\xcd'),
         "4c9007f4026250c6bc8414f9bf50c86c2d7235da"},
        {std::string(20, '\x0c'), "Test With Truncation", "4c1a03424b55e07fe7f27be1d58bb9324a9a5a04"},
        {std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
         "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
        {std::string(80, '\xaa'),
         "Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data",
         "e8e99d0f45237d786d6bbaa7965c7808bbff1a91"},
    };
    THmacSha1 hmac;
    for (const auto& c : cases) {
        // Fed in two steps, as the cipher feeds its chunks.
        hmac.Start(Bytes(c.Key), c.Key.size());
        const size_t half = c.Data.size() / 2;
        hmac.Update(Bytes(c.Data), half);
        hmac.Update(Bytes(c.Data) + half, c.Data.size() - half);
        const auto digest = hmac.Finish();
        EXPECT_EQ(Hex(digest.data(), digest.size()), c.Expected) << c.Data;
    }
}

TEST(CipherPrimitives, Rfc6070Pbkdf2Vectors)
{
    // The 16,777,216-iteration vector is left out: it takes seconds and adds nothing.
    const struct {
        std::string Password;
        std::string Salt;
        int Iterations;
        const char* Expected;
    } cases[] = {
        {"password", "salt", 1, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
        {"password", "salt", 2, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
        {"password", "salt", 4096, "4b007901b765489abead49d926f721d065a429c1"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096,
         "3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038"},
        {std::string("pass\0word", 9), std::string("sa\0lt", 5), 4096, "56fa6aa75548099dcc37d7f03425e0c3"},
    };
    for (const auto& c : cases) {
        const size_t length = std::strlen(c.Expected) / 2;
        std::vector<uint8_t> out(length);
        DeriveKeyPbkdf2Sha1(c.Password, Bytes(c.Salt), c.Salt.size(), c.Iterations, out.data(), length);
        EXPECT_EQ(Hex(out.data(), length), c.Expected) << c.Password;
    }
}

TEST(Cipher, LayoutMatchesTheWinZipAesScheme)
{
    // Reference files computed independently from the published AE-2 scheme
    // (PBKDF2-HMAC-SHA1 x1000, AES with a little-endian counter from 1,
    // HMAC-SHA1 over the ciphertext cut to 10 bytes), one per key size.
    const struct {
        std::string Password;
        int Mode;
        const char* Expected;
    } cases[] = {
        {"qorvanepiz", 1,
         "000102030405060729bbc7e5d61d0a961ebfdb947d6681deabcb3795502d975d1f97dae51938bc82ae88ce97a4e3"
         "3a12e2098876fd4e2ed3ff27ec2762b9c47f"},
        {std::string(40, 'p'), 2,
         "000102030405060708090a0bbf3e57c529d373e433529c0662a7f0ba809bc89a3a945ecda057dae7cdb829d32592"
         "e40069b8805c8188161defcdd750ce62d342b64813fe"},
        {std::string(60, 'p'), 3,
         "000102030405060708090a0b0c0d0e0f7d1cc176503671135d7a0f82c65a282c28b18cf3c0998f63055eef7c63c0"
         "625a6e273b374b0c85164d66d348b9a11269e08c9653d7fc9ca0"},
    };
    for (const auto& c : cases) {
        TCrypt cipher(c.Password, 64);
        ASSERT_EQ(cipher.Mode(), c.Mode);
        const std::string salt = Salt(cipher.SaltLength());
        const std::string encrypted = EncryptWith(c.Password, salt, SampleLine);
        EXPECT_EQ(Hex(encrypted), c.Expected) << "mode " << c.Mode;
        EXPECT_EQ(encrypted.size(), SampleLine.size() + cipher.Overhead());
        const TDecrypted back = DecryptWith(c.Password, encrypted, static_cast<int64_t>(encrypted.size()));
        EXPECT_TRUE(back.Ok) << "mode " << c.Mode;
        EXPECT_EQ(back.Plain, SampleLine);
    }
    // The built-in password is mode 1: 8 bytes of salt, 20 bytes of overhead.
    TCrypt builtIn(std::string(DataFilePassword), DataFileBufferSize);
    EXPECT_EQ(builtIn.Mode(), 1);
    EXPECT_EQ(builtIn.Overhead(), 20u);
}

TEST(Cipher, KeySizeModesFollowThePasswordLength)
{
    EXPECT_EQ(TCrypt::ModeForPasswordLength(0), 1);
    EXPECT_EQ(TCrypt::ModeForPasswordLength(31), 1);
    EXPECT_EQ(TCrypt::ModeForPasswordLength(32), 2);
    EXPECT_EQ(TCrypt::ModeForPasswordLength(47), 2);
    EXPECT_EQ(TCrypt::ModeForPasswordLength(48), 3);
    EXPECT_EQ(TCrypt::ModeForPasswordLength(128), 3);
    const std::string plain = RandomBytes(1000, 7);
    for (size_t length : {0u, 10u, 31u, 32u, 47u, 48u, 128u}) {
        const std::string password(length, 'k');
        TEncryption cipher(password, 100);
        QByteArray in = QByteArray::fromStdString(plain);
        QBuffer source(&in);
        source.open(QIODevice::ReadOnly);
        QByteArray out;
        QBuffer destination(&out);
        destination.open(QIODevice::WriteOnly);
        ASSERT_TRUE(cipher.EncryptStream(source, destination));
        EXPECT_EQ(static_cast<size_t>(out.size()), plain.size() + cipher.Overhead());
        const TDecrypted back = DecryptWith(password, out.toStdString(), out.size(), 33);
        EXPECT_TRUE(back.Ok) << length;
        EXPECT_EQ(back.Plain, plain) << length;
    }
}

TEST(Cipher, PasswordOver128BytesIsRefused)
{
    EXPECT_NO_THROW(TCrypt(std::string(128, 'a'), 16));
    try {
        TEncryption cipher(std::string(129, 'a'), 16);
        FAIL() << "a 129-byte password was taken";
    } catch (const TCryptError& error) {
        EXPECT_NE(std::string(error.what()).find("at most 128"), std::string::npos) << error.what();
    }
    EXPECT_THROW(TCrypt("pw", 0), TCryptError);
}

TEST(Cipher, EmptySourceGivesHeaderAndCodeOnly)
{
    const std::string encrypted = EncryptData("");
    EXPECT_EQ(encrypted.size(), 20u);
    EXPECT_EQ(Hex(EncryptWith(std::string(DataFilePassword), Salt(8), "")),
              "000102030405060729bbb39b7f8f74278cd90adf");
    std::string plain = "stale";
    TCryptFailure failure = TCryptFailure::ReadError;
    EXPECT_TRUE(DecryptData(encrypted, plain, &failure));
    EXPECT_EQ(plain, "");
    EXPECT_EQ(failure, TCryptFailure::None);
}

TEST(Cipher, AnyChunkingGivesTheSameFile)
{
    // Exactly one full buffer: one full read, then an empty one.
    const std::string plain = RandomBytes(262144, 1);
    const std::string salt = Salt(8);
    const std::string reference = EncryptWith(std::string(DataFilePassword), salt, plain);
    ASSERT_EQ(reference.size(), 262144u + 20u);
    for (int bufferSize : {1, 15, 16, 17, 4096, 100000, 262143, 262145, 1 << 20})
        EXPECT_EQ(EncryptWith(std::string(DataFilePassword), salt, plain, bufferSize), reference)
            << bufferSize;
    // So does the in-memory route, and it reads back the same.
    for (int bufferSize : {1, 17, 262144, 1 << 20}) {
        TCrypt cipher(std::string(DataFilePassword), bufferSize);
        std::string encrypted = "stale";
        cipher.EncryptBytesWithSalt(Bytes(salt), plain, encrypted);
        EXPECT_EQ(encrypted, reference) << bufferSize;
        std::string back = "stale";
        EXPECT_TRUE(cipher.DecryptBytes(reference, back)) << bufferSize;
        EXPECT_EQ(back, plain) << bufferSize;
    }
    // A source that trickles its bytes gives the same file too.
    for (qint64 step : {1, 7, 5000}) {
        TCrypt cipher(std::string(DataFilePassword), DataFileBufferSize);
        TChunkySource source(plain, step);
        QByteArray out;
        QBuffer destination(&out);
        destination.open(QIODevice::WriteOnly);
        ASSERT_TRUE(cipher.EncryptStreamWithSalt(Bytes(salt), source, destination));
        EXPECT_EQ(out.toStdString(), reference) << step;
    }
    for (int bufferSize : {1, 16, 17, 262144, 300000}) {
        const TDecrypted back = DecryptWith(std::string(DataFilePassword), reference,
                                            static_cast<int64_t>(reference.size()), bufferSize);
        EXPECT_TRUE(back.Ok) << bufferSize;
        EXPECT_EQ(back.Plain, plain) << bufferSize;
    }
}

TEST(Cipher, EveryEncryptionHasFreshSalt)
{
    const std::string plain = RandomBytes(5000, 2);
    const std::string first = EncryptData(plain);
    const std::string second = EncryptData(plain);
    EXPECT_NE(first, second);
    EXPECT_NE(first.substr(0, 8), second.substr(0, 8));
    std::string a, b;
    EXPECT_TRUE(DecryptData(first, a));
    EXPECT_TRUE(DecryptData(second, b));
    EXPECT_EQ(a, plain);
    EXPECT_EQ(b, plain);
}

TEST(Cipher, WrongPasswordWritesNothing)
{
    const std::string encrypted = EncryptWith("right password", Salt(8), SampleLine);
    const TDecrypted wrong = DecryptWith("wrong password", encrypted, static_cast<int64_t>(encrypted.size()));
    EXPECT_FALSE(wrong.Ok);
    EXPECT_EQ(wrong.Failure, TCryptFailure::PasswordMismatch);
    EXPECT_EQ(wrong.Plain, "");
    // A damaged verification value is refused the same way.
    std::string damaged = encrypted;
    damaged[8] = static_cast<char>(damaged[8] ^ 0x01);
    const TDecrypted header = DecryptWith("right password", damaged, static_cast<int64_t>(damaged.size()));
    EXPECT_EQ(header.Failure, TCryptFailure::PasswordMismatch);
    EXPECT_EQ(header.Plain, "");
}

TEST(Cipher, OneChangedCiphertextByteChangesOnePlaintextByte)
{
    const std::string plain = RandomBytes(70000, 3);
    const std::string encrypted = EncryptData(plain);
    for (size_t at : {size_t(10), size_t(10 + 65535), encrypted.size() - 11}) {
        std::string damaged = encrypted;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5a);
        std::string back;
        TCryptFailure failure{};
        EXPECT_FALSE(DecryptData(damaged, back, &failure));
        EXPECT_EQ(failure, TCryptFailure::CodeMismatch);
        ASSERT_EQ(back.size(), plain.size());
        size_t differing = 0;
        for (size_t i = 0; i < plain.size(); ++i)
            differing += back[i] != plain[i];
        EXPECT_EQ(differing, 1u) << at;
        EXPECT_EQ(back[at - 10], static_cast<char>(plain[at - 10] ^ 0x5a));
    }
    // A damaged code alone: the plaintext is whole, the result still false.
    std::string damagedCode = encrypted;
    damagedCode.back() = static_cast<char>(damagedCode.back() ^ 1);
    std::string back;
    EXPECT_FALSE(DecryptData(damagedCode, back));
    EXPECT_EQ(back, plain);
}

TEST(Cipher, TruncatedSourcesFailWithoutOverrun)
{
    const std::string plain = RandomBytes(1000, 4);
    const std::string encrypted = EncryptData(plain);
    // Too short to hold a header and a code: refused before anything is read.
    for (size_t length = 0; length < 20; ++length) {
        std::string back = "x";
        TCryptFailure failure{};
        EXPECT_FALSE(DecryptData(encrypted.substr(0, length), back, &failure)) << length;
        EXPECT_EQ(failure, TCryptFailure::TooShort) << length;
        EXPECT_EQ(back, "") << length;
    }
    // A truncated file: its last 10 bytes are taken as the code, which fails.
    const std::string cut = encrypted.substr(0, 500);
    std::string back;
    TCryptFailure failure{};
    EXPECT_FALSE(DecryptData(cut, back, &failure));
    EXPECT_EQ(failure, TCryptFailure::CodeMismatch);
    EXPECT_EQ(back, plain.substr(0, 500 - 20));
    // A source that ends before the announced count ends the loop with failure.
    for (size_t have : {size_t(5), size_t(12), size_t(400), encrypted.size() - 3}) {
        const TDecrypted early = DecryptWith(std::string(DataFilePassword), encrypted.substr(0, have),
                                             static_cast<int64_t>(encrypted.size()), 64);
        EXPECT_FALSE(early.Ok) << have;
        EXPECT_EQ(early.Failure, TCryptFailure::SourceEndedEarly) << have;
        EXPECT_LE(early.Plain.size(), plain.size());
    }
    // A sequential source that runs dry is not waited for.
    TCrypt cipher(std::string(DataFilePassword), 64);
    TChunkySource dry(encrypted.substr(0, 300), 50);
    QByteArray out;
    QBuffer destination(&out);
    destination.open(QIODevice::WriteOnly);
    EXPECT_FALSE(cipher.DecryptStream(dry, destination, static_cast<int64_t>(encrypted.size())));
    EXPECT_EQ(cipher.LastFailure(), TCryptFailure::SourceEndedEarly);
}

TEST(Cipher, FileRoutinesRoundTrip)
{
    TTempAppDir dir;
    const std::string plain = RandomBytes(300000, 5);
    dir.Write("plain.txt", plain);
    EXPECT_TRUE(EncryptDataFile(dir.File("plain.txt"), dir.File("Directories.dat")));
    const std::string encrypted = dir.Read("Directories.dat");
    EXPECT_EQ(encrypted.size(), plain.size() + 20);
    EXPECT_TRUE(DecryptDataFile(dir.File("Directories.dat"), dir.File("back.txt")));
    EXPECT_EQ(dir.Read("back.txt"), plain);
    std::string inMemory;
    EXPECT_TRUE(DecryptData(encrypted, inMemory));
    EXPECT_EQ(inMemory, plain);

    // A damaged header leaves an empty destination.
    std::string damaged = encrypted;
    damaged[8] = static_cast<char>(damaged[8] ^ 0x40);
    dir.Write("damaged.dat", damaged);
    EXPECT_FALSE(DecryptDataFile(dir.File("damaged.dat"), dir.File("back.txt")));
    EXPECT_EQ(dir.Read("back.txt"), "");

    EXPECT_THROW(DecryptDataFile(dir.File("missing.dat"), dir.File("out.txt")), TFileError);
    EXPECT_FALSE(dir.Exists("out.txt"));
    EXPECT_THROW(EncryptDataFile(dir.File("plain.txt"), dir.File("no/such/dir.dat")), TFileError);
}

TEST(Cipher, TwoThreadRoutesGiveWhatTheSerialOnesGive)
{
    // Buffers of 64 bytes, so each size below runs many chunks through the
    // rings; the sizes sit around whole buffers.
    const int buffer = 64;
    const std::string password(DataFilePassword);
    const std::string salt = Salt(8);
    for (size_t size : {size_t(0), size_t(1), size_t(63), size_t(64), size_t(65), size_t(256), size_t(4 * 64 + 1),
                        size_t(10007)}) {
        const std::string plain = RandomBytes(size, static_cast<unsigned>(size) + 7);
        const std::string reference = EncryptWith(password, salt, plain, buffer);

        // Encrypting from a source that writes into the cipher's buffers.
        TCrypt encrypter(password, buffer);
        size_t at = 0;
        int64_t lastWritten = 0;
        QByteArray out;
        QBuffer destination(&out);
        destination.open(QIODevice::WriteOnly);
        ASSERT_TRUE(encrypter.EncryptSourceWithSalt(
            Bytes(salt),
            [&](uint8_t* into, size_t room) {
                const size_t n = std::min(room, plain.size() - at);
                std::memcpy(into, plain.data() + at, n);
                at += n;
                return n;
            },
            destination, [&](int64_t written) { lastWritten = written; }));
        EXPECT_EQ(out.toStdString(), reference) << size;
        EXPECT_EQ(lastWritten, static_cast<int64_t>(size)) << size;

        // Decrypting in place while the caller reads what is ready.
        std::string inPlace = reference;
        TCrypt decrypter(password, buffer);
        size_t plainLength = 0;
        std::vector<size_t> ready;
        ASSERT_TRUE(decrypter.DecryptInPlace(reinterpret_cast<uint8_t*>(inPlace.data()), inPlace.size(), plainLength,
                                             [&](size_t n) {
                                                 EXPECT_EQ(inPlace.compare(decrypter.PlainOffset(), n, plain, 0, n), 0);
                                                 ready.push_back(n);
                                             }));
        EXPECT_EQ(inPlace.substr(decrypter.PlainOffset(), plainLength), plain) << size;
        ASSERT_FALSE(ready.empty()) << size;
        EXPECT_TRUE(std::is_sorted(ready.begin(), ready.end())) << size;
        EXPECT_EQ(ready.back(), size);

        // Decrypting a stream with the code worked out beside it, damaged
        // and cut short as well: the same verdict and the same output.
        std::string damagedBody = reference;
        if (size > 0)
            damagedBody[10 + size / 2] = static_cast<char>(damagedBody[10 + size / 2] ^ 1);
        std::string damagedHeader = reference;
        damagedHeader[8] = static_cast<char>(damagedHeader[8] ^ 1);
        for (const auto& [encrypted, count] :
             {std::pair{reference, reference.size()}, std::pair{damagedBody, damagedBody.size()},
              std::pair{damagedHeader, damagedHeader.size()}, std::pair{reference.substr(0, reference.size() / 2), reference.size()}}) {
            const TDecrypted serial = DecryptWith(password, encrypted, static_cast<int64_t>(count), buffer);
            TCrypt sideBySide(password, buffer);
            QByteArray in = QByteArray::fromStdString(encrypted);
            QBuffer source(&in);
            source.open(QIODevice::ReadOnly);
            QByteArray back;
            QBuffer into(&back);
            into.open(QIODevice::WriteOnly);
            EXPECT_EQ(sideBySide.DecryptStreamSideBySide(source, into, static_cast<int64_t>(count)), serial.Ok) << size;
            EXPECT_EQ(sideBySide.LastFailure(), serial.Failure) << size;
            EXPECT_EQ(back.toStdString(), serial.Plain) << size;
        }
    }
}
