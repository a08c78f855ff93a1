#include "files/ZipComponent.h"

#include <QFile>

#include <zip.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace kalmur {

namespace {

using Status = ZipComponent::Status;

// Bytes copied per read while unpacking and packing: large enough for few
// calls, small enough to stay out of the allocator's slow path for big blocks.
constexpr std::size_t kChunkBytes = 64 * 1024;

struct ZipDiscarder {
    void operator()(zip_t* za) const { zip_discard(za); }
};
using ZipArchivePtr = std::unique_ptr<zip_t, ZipDiscarder>;

struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipFilePtr = std::unique_ptr<zip_file_t, ZipFileCloser>;

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Only a bare file name can be a member: nothing with a folder, a drive, a
// backslash, an absolute path or a parent reference.
bool isFlatName(std::string_view name) {
    return !name.empty() && name.find_first_of("/\\:") == std::string_view::npos &&
           name.find("..") == std::string_view::npos;
}

// The member an entry name stands for, or -1.
int memberIndex(std::string_view name, std::span<const MemberInfo> members) {
    if (!isFlatName(name)) {
        return -1;
    }
    for (std::size_t m = 0; m < members.size(); ++m) {
        const std::string_view member = members[m].fileName;
        if (member.size() != name.size()) {
            continue;
        }
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i) {
            same = asciiUpper(name[i]) == asciiUpper(member[i]);
        }
        if (same) {
            return static_cast<int>(m);
        }
    }
    return -1;
}

// Symbolic links, folders, devices and the like are never written out.
bool isPlainFileEntry(zip_t* za, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(za, index, 0, &system, &attributes) != 0) {
        return false;
    }
    if (system == ZIP_OPSYS_UNIX) {
        const zip_uint32_t type = (attributes >> 16) & 0170000u;
        return type == 0 || type == 0100000u;
    }
    return (attributes & 0x10u) == 0; // the DOS folder attribute
}

struct MemberEntry {
    zip_int64_t index = -1;
    zip_uint64_t declaredSize = 0;
};

ZipArchivePtr openArchive(const QString& archivePath, Status& status) {
    int error = 0;
    ZipArchivePtr za(
        zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!za) {
        const bool unreadable = error == ZIP_ER_OPEN || error == ZIP_ER_NOENT ||
                                error == ZIP_ER_READ || error == ZIP_ER_SEEK;
        status = unreadable ? Status::CannotOpen : Status::Damaged;
    }
    return za;
}

// Finds and vets the entry of every member.
Status scanMembers(zip_t* za, std::span<const MemberInfo> members,
                   std::vector<MemberEntry>& entries) {
    entries.assign(members.size(), MemberEntry{});
    std::vector<bool> named(members.size(), false);
    const zip_int64_t count = zip_get_num_entries(za, 0);
    if (count < 0) {
        return Status::Damaged;
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const char* raw = zip_get_name(za, index, ZIP_FL_ENC_RAW);
        if (raw == nullptr) {
            return Status::Damaged;
        }
        const int m = memberIndex(raw, members);
        if (m < 0) {
            continue;
        }
        const auto slot = static_cast<std::size_t>(m);
        if (named[slot]) {
            return Status::Refused; // which of two copies is the member?
        }
        named[slot] = true;
        if (!isPlainFileEntry(za, index)) {
            continue;
        }
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za, index, 0, &st) != 0) {
            return Status::Damaged;
        }
        const zip_uint64_t needed =
            ZIP_STAT_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
        if ((st.valid & needed) != needed) {
            return Status::Damaged;
        }
        if (st.encryption_method != ZIP_EM_NONE ||
            !zip_compression_method_supported(st.comp_method, 0)) {
            return Status::Refused;
        }
        if (st.size > static_cast<zip_uint64_t>(maxMemberBytes(members[slot]))) {
            return Status::Refused;
        }
        entries[slot] = MemberEntry{i, st.size};
    }
    return Status::Ok;
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Copies one entry into a file, counting its bytes against the declared size.
Status extractEntry(zip_t* za, const MemberEntry& entry, const QByteArray& target,
                    std::vector<std::uint8_t>& buffer) {
    ZipFilePtr file(zip_fopen_index(za, static_cast<zip_uint64_t>(entry.index), 0));
    if (!file) {
        return Status::Damaged;
    }
    const int fd = ::open(target.constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
    if (fd < 0) {
        return Status::WriteFailed;
    }
    Status status = Status::Ok;
    zip_uint64_t total = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), buffer.data(), buffer.size());
        if (n < 0) {
            status = Status::Damaged;
            break;
        }
        if (n == 0) {
            break;
        }
        total += static_cast<zip_uint64_t>(n);
        if (total > entry.declaredSize) {
            status = Status::Damaged;
            break;
        }
        if (!writeAll(fd, buffer.data(), static_cast<std::size_t>(n))) {
            status = Status::WriteFailed;
            break;
        }
    }
    if (status == Status::Ok && total != entry.declaredSize) {
        status = Status::Damaged;
    }
    if (::close(fd) != 0 && status == Status::Ok) {
        status = Status::WriteFailed;
    }
    if (zip_fclose(file.release()) != 0 && status == Status::Ok) {
        status = Status::Damaged;
    }
    return status;
}

} // namespace

ZipComponent::TestResult ZipComponent::test(const QString& archivePath,
                                            std::span<const MemberInfo> members) {
    TestResult result;
    ZipArchivePtr za = openArchive(archivePath, result.status);
    if (!za) {
        return result;
    }
    std::vector<MemberEntry> entries;
    result.status = scanMembers(za.get(), members, entries);
    if (result.status == Status::Ok) {
        for (const MemberEntry& entry : entries) {
            result.memberCount += entry.index >= 0 ? 1 : 0;
        }
    }
    return result;
}

ZipComponent::Status ZipComponent::extract(const QString& archivePath,
                                           std::span<const MemberInfo> members,
                                           const QString& destination) {
    Status status = Status::Ok;
    ZipArchivePtr za = openArchive(archivePath, status);
    if (!za) {
        return status;
    }
    std::vector<MemberEntry> entries;
    status = scanMembers(za.get(), members, entries);
    if (status != Status::Ok) {
        return status;
    }
    std::vector<std::uint8_t> buffer(kChunkBytes);
    std::vector<QByteArray> written;
    for (std::size_t m = 0; m < members.size() && status == Status::Ok; ++m) {
        if (entries[m].index < 0) {
            continue;
        }
        // Always the member's own name, whatever the entry's letter case.
        const QByteArray target = QFile::encodeName(destination) + '/' +
                                  QByteArray(members[m].fileName.data(),
                                             static_cast<qsizetype>(members[m].fileName.size()));
        written.push_back(target);
        status = extractEntry(za.get(), entries[m], target, buffer);
    }
    if (status != Status::Ok) {
        for (const QByteArray& path : written) {
            ::unlink(path.constData());
        }
    }
    return status;
}

ZipComponent::Status ZipComponent::compress(const QString& sourceDirectory,
                                            std::span<const std::string_view> names,
                                            const Sink& sink) {
    if (names.empty()) {
        return Status::Refused;
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* image = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (image == nullptr) {
        return Status::WriteFailed;
    }
    zip_error_init(&error);
    zip_t* za = zip_open_from_source(image, ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    if (za == nullptr) {
        zip_source_free(image);
        return Status::WriteFailed;
    }
    // The image must outlive the archive object: it is read after closing.
    zip_source_keep(image);
    const auto fail = [&](Status status) {
        zip_discard(za);
        zip_source_free(image);
        return status;
    };

    for (const std::string_view name : names) {
        const std::string entryName(name);
        const QByteArray path =
            QFile::encodeName(sourceDirectory) + '/' + QByteArray::fromStdString(entryName);
        zip_source_t* file = zip_source_file(za, path.constData(), 0, -1);
        if (file == nullptr) {
            return fail(Status::CannotOpen);
        }
        const zip_int64_t index = zip_file_add(za, entryName.c_str(), file, 0);
        if (index < 0) {
            zip_source_free(file);
            return fail(Status::WriteFailed);
        }
        // The library's default level is much slower for little gain.
        if (zip_set_file_compression(za, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 6) !=
            0) {
            return fail(Status::WriteFailed);
        }
    }
    if (zip_close(za) != 0) {
        return fail(Status::CannotOpen);
    }

    if (zip_source_open(image) != 0) {
        zip_source_free(image);
        return Status::WriteFailed;
    }
    Status status = Status::Ok;
    std::vector<std::uint8_t> buffer(kChunkBytes);
    for (;;) {
        const zip_int64_t n = zip_source_read(image, buffer.data(), buffer.size());
        if (n < 0) {
            status = Status::WriteFailed;
            break;
        }
        if (n == 0) {
            break;
        }
        if (!sink(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(n)))) {
            status = Status::WriteFailed;
            break;
        }
    }
    zip_source_close(image);
    zip_source_free(image);
    return status;
}

} // namespace kalmur
