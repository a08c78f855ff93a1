#include "ArchiveTestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>

namespace kalmur::test {

QByteArray memberBytes(const MemberInfo& member, int seed) {
    const std::int64_t records = std::min<std::int64_t>(member.maxRecords, 3);
    QByteArray bytes(static_cast<qsizetype>(member.recordLength * records), '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>((i * 7 + seed * 31 + member.recordLength) % 251);
    }
    return bytes;
}

void writeMembers(const QString& folder, int seed, const std::vector<Member>& skip) {
    for (const MemberInfo& member : kMembers) {
        if (std::find(skip.begin(), skip.end(), member.member) == skip.end()) {
            writeFile(folder + '/' + QString::fromLatin1(member.fileName),
                      memberBytes(member, seed));
        }
    }
}

std::map<std::string, QByteArray> readMembers(const QString& folder) {
    std::map<std::string, QByteArray> found;
    for (const MemberInfo& member : kMembers) {
        const QString path = folder + '/' + QString::fromLatin1(member.fileName);
        if (QFileInfo::exists(path)) {
            found[std::string(member.fileName)] = readFile(path);
        }
    }
    return found;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList listTree(const QString& root) {
    QStringList paths;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        paths << QDir(root).relativeFilePath(it.next());
    }
    paths.sort();
    return paths;
}

void writeZip(const QString& path, const std::vector<ZipEntry>& entries) {
    int error = 0;
    zip_t* za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(za, nullptr) << error;
    for (const ZipEntry& entry : entries) {
        zip_int64_t index = -1;
        if (entry.folder) {
            index = zip_dir_add(za, entry.name.c_str(), ZIP_FL_ENC_RAW);
        } else {
            zip_source_t* source = zip_source_buffer(
                za, entry.data.constData(), static_cast<zip_uint64_t>(entry.data.size()), 0);
            ASSERT_NE(source, nullptr);
            index = zip_file_add(za, entry.name.c_str(), source, ZIP_FL_ENC_RAW);
        }
        ASSERT_GE(index, 0) << entry.name << ": " << zip_strerror(za);
        const auto i = static_cast<zip_uint64_t>(index);
        if (entry.dosAttributes >= 0) {
            ASSERT_EQ(zip_file_set_external_attributes(
                          za, i, 0, ZIP_OPSYS_DOS, static_cast<zip_uint32_t>(entry.dosAttributes)),
                      0);
        } else if (!entry.folder) {
            ASSERT_EQ(
                zip_file_set_external_attributes(za, i, 0, ZIP_OPSYS_UNIX, entry.unixMode << 16),
                0);
        }
        if (entry.encrypted) {
            ASSERT_EQ(zip_file_set_encryption(za, i, ZIP_EM_AES_256, "secret"), 0);
        }
        if (entry.traditionalEncryption) {
            ASSERT_EQ(zip_file_set_encryption(za, i, ZIP_EM_TRAD_PKWARE, "secret"), 0);
        }
        if (entry.stored) {
            ASSERT_EQ(zip_set_file_compression(za, i, ZIP_CM_STORE, 0), 0);
        }
    }
    ASSERT_EQ(zip_close(za), 0) << zip_strerror(za);
}

QByteArray zipBytes(const std::vector<ZipEntry>& entries) {
    QTemporaryDir scratch;
    const QString path = scratch.filePath("image.zip");
    writeZip(path, entries);
    return readFile(path);
}

std::vector<ZipEntry> memberEntries(int seed, const std::vector<Member>& skip) {
    std::vector<ZipEntry> entries;
    for (const MemberInfo& member : kMembers) {
        if (std::find(skip.begin(), skip.end(), member.member) == skip.end()) {
            entries.push_back({std::string(member.fileName), memberBytes(member, seed)});
        }
    }
    return entries;
}

namespace {

void put32(QByteArray& bytes, qsizetype at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xffu);
    }
}

void put16(QByteArray& bytes, qsizetype at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xffu);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

std::uint32_t get32(const QByteArray& bytes, qsizetype at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

// Calls edit(headerOffset, isCentral) for each header of the named entry.
template <typename Edit>
void forEachHeader(QByteArray& zip, const std::string& name, Edit edit) {
    int found = 0;
    for (qsizetype at = 0; at + 46 <= zip.size(); ++at) {
        const bool local = zip.mid(at, 4) == QByteArray("PK\x03\x04", 4);
        const bool central = zip.mid(at, 4) == QByteArray("PK\x01\x02", 4);
        const qsizetype nameAt = at + (local ? 30 : 46);
        if ((local || central) && zip.mid(nameAt, static_cast<qsizetype>(name.size())) ==
                                      QByteArray::fromStdString(name)) {
            edit(at, central);
            ++found;
        }
    }
    ASSERT_EQ(found, 2) << name;
}

} // namespace

void patchDeclaredSize(QByteArray& zip, const std::string& name, std::uint32_t size) {
    forEachHeader(zip, name,
                  [&](qsizetype at, bool central) { put32(zip, at + (central ? 24 : 22), size); });
}

void patchCrc(QByteArray& zip, const std::string& name, std::uint32_t crc) {
    forEachHeader(zip, name,
                  [&](qsizetype at, bool central) { put32(zip, at + (central ? 16 : 14), crc); });
}

void patchMethod(QByteArray& zip, const std::string& name, std::uint16_t method) {
    forEachHeader(zip, name,
                  [&](qsizetype at, bool central) { put16(zip, at + (central ? 10 : 8), method); });
}

void patchCompressedSize(QByteArray& zip, const std::string& name, std::uint32_t size) {
    forEachHeader(zip, name,
                  [&](qsizetype at, bool central) { put32(zip, at + (central ? 20 : 18), size); });
}

namespace {

// A field of the named entry's central directory header.
std::uint32_t centralField(const QByteArray& zip, const std::string& name, qsizetype offset) {
    std::uint32_t value = 0;
    QByteArray copy = zip;
    forEachHeader(copy, name, [&](qsizetype at, bool central) {
        if (central) {
            value = get32(zip, at + offset);
        }
    });
    return value;
}

} // namespace

std::uint32_t declaredSize(const QByteArray& zip, const std::string& name) {
    return centralField(zip, name, 24);
}

std::uint32_t compressedSize(const QByteArray& zip, const std::string& name) {
    return centralField(zip, name, 20);
}

void patchName(QByteArray& zip, const std::string& from, const std::string& to) {
    ASSERT_EQ(from.size(), to.size());
    forEachHeader(zip, from, [&](qsizetype at, bool central) {
        zip.replace(at + (central ? 46 : 30), static_cast<qsizetype>(to.size()),
                    QByteArray::fromStdString(to));
    });
}

} // namespace kalmur::test
