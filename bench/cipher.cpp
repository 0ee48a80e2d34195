// Throughput of the file cipher on 256 MiB in memory, beside OpenSSL's own
// AES-128-CTR and HMAC-SHA1 on the same data, measured in the same run.
#include "store/DataFileCipher.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>

namespace {

constexpr size_t DataSize = 256u << 20;

const std::string& Plain()
{
    static const std::string data = [] {
        std::string s(DataSize, '\0');
        std::mt19937_64 random(1);
        for (size_t i = 0; i + 8 <= s.size(); i += 8) {
            const uint64_t v = random();
            std::memcpy(s.data() + i, &v, 8);
        }
        return s;
    }();
    return data;
}

void BM_EncryptData(benchmark::State& state)
{
    const std::string& plain = Plain();
    // The output's storage is reused, as OpenSSL's output buffer is below:
    // the figures compare the cipher, not the first touch of fresh memory.
    std::string encrypted;
    EncryptData(plain, encrypted);
    for (auto _ : state) {
        EncryptData(plain, encrypted);
        benchmark::DoNotOptimize(encrypted.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(DataSize));
}

void BM_DecryptData(benchmark::State& state)
{
    const std::string encrypted = EncryptData(Plain());
    std::string plain;
    DecryptData(encrypted, plain);
    for (auto _ : state) {
        if (!DecryptData(encrypted, plain))
            state.SkipWithError("decryption failed");
        benchmark::DoNotOptimize(plain.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(DataSize));
}

void BM_OpenSslAes128Ctr(benchmark::State& state)
{
    const std::string& plain = Plain();
    std::string out(DataSize, '\0');
    const unsigned char key[16] = {1, 2, 3}, iv[16] = {};
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    for (auto _ : state) {
        EVP_EncryptInit_ex2(ctx, EVP_aes_128_ctr(), key, iv, nullptr);
        int written = 0;
        EVP_EncryptUpdate(ctx, reinterpret_cast<unsigned char*>(out.data()), &written,
                          reinterpret_cast<const unsigned char*>(plain.data()), static_cast<int>(DataSize));
        benchmark::DoNotOptimize(out.data());
    }
    EVP_CIPHER_CTX_free(ctx);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(DataSize));
}

void BM_OpenSslHmacSha1(benchmark::State& state)
{
    const std::string& plain = Plain();
    const unsigned char key[16] = {4, 5, 6};
    for (auto _ : state) {
        unsigned char digest[20];
        unsigned int length = 0;
        HMAC(EVP_sha1(), key, sizeof key, reinterpret_cast<const unsigned char*>(plain.data()), DataSize,
             digest, &length);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(DataSize));
}

BENCHMARK(BM_EncryptData)->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(5)->UseRealTime()->ReportAggregatesOnly(false);
BENCHMARK(BM_DecryptData)->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(5)->UseRealTime()->ReportAggregatesOnly(false);
BENCHMARK(BM_OpenSslAes128Ctr)->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(5)->UseRealTime()->ReportAggregatesOnly(false);
BENCHMARK(BM_OpenSslHmacSha1)->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(5)->UseRealTime()->ReportAggregatesOnly(false);

// Keeps each benchmark's best time over its repetitions, so the comparison
// printed at the end is least disturbed by other work on a shared machine.
class TRecordingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Milliseconds;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration) {
                const std::string name = run.run_name.function_name;
                const double ms = run.GetAdjustedRealTime();
                if (!Milliseconds.count(name) || ms < Milliseconds[name])
                    Milliseconds[name] = ms;
            }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Plain();
    TRecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& ms = reporter.Milliseconds;
    if (ms.count("BM_EncryptData") && ms.count("BM_DecryptData") && ms.count("BM_OpenSslAes128Ctr")
        && ms.count("BM_OpenSslHmacSha1")) {
        const double reference = ms.at("BM_OpenSslAes128Ctr") + ms.at("BM_OpenSslHmacSha1");
        const double mb = static_cast<double>(DataSize) / 1e6;
        std::printf("\nBest of 5 on 256 MiB: encrypt %.0f MB/s, decrypt %.0f MB/s; OpenSSL AES-128-CTR + HMAC-SHA1 "
                    "%.0f MB/s (%.0f ms + %.0f ms).\n",
                    mb / ms.at("BM_EncryptData") * 1e3, mb / ms.at("BM_DecryptData") * 1e3,
                    mb / reference * 1e3, ms.at("BM_OpenSslAes128Ctr"), ms.at("BM_OpenSslHmacSha1"));
        std::printf("Cipher time over the reference sum: encrypt %.2f, decrypt %.2f (target at most 1.25).\n",
                    ms.at("BM_EncryptData") / reference, ms.at("BM_DecryptData") / reference);
    }
    benchmark::Shutdown();
    return 0;
}
