// Throughput of the stem cipher over 16 MiB, AES-128: median of several runs.
// MB/s are 10^6 bytes per second, the unit of `openssl speed`.

#include "cipher/rijndael.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <numeric>
#include <random>
#include <vector>

using pptdrill::Rijndael;

namespace {

constexpr std::size_t kSize = 16u << 20;
constexpr int kRuns = 7;

double medianMBps(const std::function<void()>& work)
{
    work(); // warm-up
    std::vector<double> rates;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        rates.push_back(double(kSize) / took.count() / 1e6);
    }
    std::sort(rates.begin(), rates.end());
    return rates[rates.size() / 2];
}

} // namespace

int main()
{
    std::vector<std::uint8_t> data(kSize);
    std::mt19937 gen(42);
    for (auto& b : data)
        b = static_cast<std::uint8_t>(gen());
    std::vector<std::uint8_t> out(kSize);
    std::vector<std::uint8_t> plain;

    Rijndael cipher;
    std::vector<std::uint8_t> key(16);
    std::iota(key.begin(), key.end(), 0);
    cipher.setCipherKey(key, 128);

    const double enc = medianMBps([&] {
        for (std::size_t i = 0; i < kSize; i += 16)
            cipher.blockEncrypt(data, out, int(i), int(i));
    });
    const double dec = medianMBps([&] {
        for (std::size_t i = 0; i < kSize; i += 16)
            cipher.blockDecrypt(out, data, int(i), int(i));
    });
    const double arrEnc = medianMBps([&] { cipher.arrayEncrypt(data, out, false); });
    const double arrDec = medianMBps([&] { cipher.arrayDecrypt(plain, data, false); });

    std::printf("AES-128, 16 MiB, median of %d runs, MB/s (10^6 bytes/s)\n", kRuns);
    std::printf("  blockEncrypt  %8.1f\n", enc);
    std::printf("  blockDecrypt  %8.1f\n", dec);
    std::printf("  arrayEncrypt  %8.1f\n", arrEnc);
    std::printf("  arrayDecrypt  %8.1f\n", arrDec);
    return 0;
}
