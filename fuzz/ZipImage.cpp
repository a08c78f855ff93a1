#include "ZipImage.h"

#include <zip.h>

namespace kalmur::fuzz {

namespace {

// The most bytes one entry may unpack to here: a little more than the largest
// member, so that the target still sees entries that are too long.
constexpr zip_uint64_t kMaxEntryBytes = 64u << 20;

} // namespace

bool readZipImage(std::span<const std::uint8_t> image, std::vector<ZipEntryBytes>& entries) {
    entries.clear();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(image.data(), image.size(), 0, &error);
    zip_error_fini(&error);
    if (source == nullptr) {
        return false;
    }
    zip_error_init(&error);
    zip_t* za = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (za == nullptr) {
        zip_source_free(source);
        return false;
    }
    bool ok = true;
    const zip_int64_t count = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; ok && i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t st;
        zip_stat_init(&st);
        const char* name = zip_get_name(za, index, ZIP_FL_ENC_RAW);
        if (name == nullptr || zip_stat_index(za, index, 0, &st) != 0 ||
            (st.valid & ZIP_STAT_SIZE) == 0 || st.size > kMaxEntryBytes) {
            ok = false;
            break;
        }
        ZipEntryBytes entry{name, std::vector<std::uint8_t>(static_cast<std::size_t>(st.size))};
        zip_file_t* file = zip_fopen_index(za, index, 0);
        if (file == nullptr) {
            ok = false;
            break;
        }
        const zip_int64_t read = zip_fread(file, entry.data.data(), entry.data.size());
        zip_fclose(file);
        ok = read == static_cast<zip_int64_t>(entry.data.size());
        entries.push_back(std::move(entry));
    }
    zip_discard(za); // also frees the source
    return ok;
}

std::vector<std::uint8_t> writeZipImage(const std::vector<ZipEntryBytes>& entries, bool deflate) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* image = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (image == nullptr) {
        return {};
    }
    zip_error_init(&error);
    zip_t* za = zip_open_from_source(image, ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    if (za == nullptr) {
        zip_source_free(image);
        return {};
    }
    zip_source_keep(image);
    bool ok = true;
    for (const ZipEntryBytes& entry : entries) {
        zip_source_t* data = zip_source_buffer(za, entry.data.data(), entry.data.size(), 0);
        const zip_int64_t index =
            data == nullptr ? -1 : zip_file_add(za, entry.name.c_str(), data, ZIP_FL_ENC_RAW);
        if (index < 0) {
            zip_source_free(data);
            ok = false;
            break;
        }
        zip_set_file_compression(za, static_cast<zip_uint64_t>(index),
                                 deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 1);
    }
    if (!ok || zip_close(za) != 0) {
        zip_discard(za); // the archive object stays valid when closing failed
        zip_source_free(image);
        return {};
    }
    std::vector<std::uint8_t> out;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(image, &st) == 0 && (st.valid & ZIP_STAT_SIZE) != 0 &&
        zip_source_open(image) == 0) {
        out.resize(static_cast<std::size_t>(st.size));
        const zip_int64_t read = zip_source_read(image, out.data(), out.size());
        if (read != static_cast<zip_int64_t>(out.size())) {
            out.clear();
        }
        zip_source_close(image);
    }
    zip_source_free(image);
    return out;
}

} // namespace kalmur::fuzz
