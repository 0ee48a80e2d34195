#pragma once
// Shared by the fuzz targets: the input as text, and a stop that libFuzzer
// reports as a crash when a reader breaks one of its own promises.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

inline std::string_view AsText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "%s:%d: broken promise: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)
