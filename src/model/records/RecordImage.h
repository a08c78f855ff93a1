#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// A record image of a fixed size. Reading from a span shorter than the record
// (the tail of a damaged member file) gives zeros for the missing bytes, as a
// read past the end of a random-access file does.
template <std::size_t N>
std::array<std::uint8_t, N> recordImage(std::span<const std::uint8_t> bytes) {
    std::array<std::uint8_t, N> image{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), N), image.begin());
    return image;
}

template <std::size_t N>
void copyBytes(std::array<std::uint8_t, N>& to, std::span<const std::uint8_t> from) {
    to.fill(0);
    std::copy_n(from.begin(), std::min(from.size(), N), to.begin());
}

} // namespace kalmur
