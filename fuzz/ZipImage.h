#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kalmur::fuzz {

// Zip archives in memory, for the archive target's mutator: it unpacks an
// input, changes one entry and packs it again, so that mutations reach the
// members instead of stopping at the archive's checksums.
struct ZipEntryBytes {
    std::string name;
    std::vector<std::uint8_t> data;
};

// Every entry of a zip image; false when libzip cannot read the image.
bool readZipImage(std::span<const std::uint8_t> image, std::vector<ZipEntryBytes>& entries);

// The entries as a zip image (deflated, or stored when `deflate` is false);
// empty on failure.
std::vector<std::uint8_t> writeZipImage(const std::vector<ZipEntryBytes>& entries, bool deflate);

} // namespace kalmur::fuzz
