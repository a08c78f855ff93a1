#pragma once

// Builds record images by hand at documented offsets, independently of the
// program's own encoder, so that a reader and a writer agreeing with each other
// cannot hide a wrong offset.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace handbytes {

using Bytes = std::vector<std::uint8_t>;

inline void put8(Bytes& b, std::size_t at, std::uint8_t v) {
    b.at(at) = v;
}
inline void put16(Bytes& b, std::size_t at, int v) {
    const auto u = static_cast<std::uint16_t>(v);
    b.at(at) = static_cast<std::uint8_t>(u & 0xFF);
    b.at(at + 1) = static_cast<std::uint8_t>(u >> 8);
}
inline void put32(Bytes& b, std::size_t at, std::uint32_t u) {
    for (int i = 0; i < 4; ++i) {
        b.at(at + i) = static_cast<std::uint8_t>(u >> (8 * i));
    }
}
inline void put64(Bytes& b, std::size_t at, std::uint64_t u) {
    for (int i = 0; i < 8; ++i) {
        b.at(at + i) = static_cast<std::uint8_t>(u >> (8 * i));
    }
}
inline void putFloat(Bytes& b, std::size_t at, float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    put32(b, at, u);
}
inline void putDouble(Bytes& b, std::size_t at, double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, 8);
    put64(b, at, u);
}
// Text padded with spaces to the width (the text is plain ASCII or raw bytes).
inline void putText(Bytes& b, std::size_t at, std::size_t width, const std::string& text) {
    for (std::size_t i = 0; i < width; ++i) {
        b.at(at + i) = i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ';
    }
}
// A distinct byte pattern for fields that must survive untouched.
inline void putPattern(Bytes& b, std::size_t at, std::size_t count, std::uint8_t seed) {
    for (std::size_t i = 0; i < count; ++i) {
        b.at(at + i) = static_cast<std::uint8_t>(seed + 7 * i);
    }
}

template <typename Array>
Bytes toVector(const Array& a) {
    return Bytes(a.begin(), a.end());
}

// The first offset where two images differ, or -1 when they are equal (a
// readable failure for images of thousands of bytes).
template <typename A, typename B>
long firstDifference(const A& a, const B& b) {
    const std::size_t n = std::min<std::size_t>(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) {
            return static_cast<long>(i);
        }
    }
    return a.size() == b.size() ? -1 : static_cast<long>(n);
}

} // namespace handbytes
