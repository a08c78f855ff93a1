#pragma once

#include "model/schedule/Members.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kalmur::test {

// The bytes of one member: a few records of a pattern that depends on seed.
QByteArray memberBytes(const MemberInfo& member, int seed);
// Writes every member (or all but the ones in skip) into folder.
void writeMembers(const QString& folder, int seed, const std::vector<Member>& skip = {});
// The member files present in folder, by name.
std::map<std::string, QByteArray> readMembers(const QString& folder);

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
// Every path below root, relative to it, sorted.
QStringList listTree(const QString& root);

struct ZipEntry {
    std::string name;
    QByteArray data;
    std::uint32_t unixMode = 0100644;   // file type and permission bits
    bool encrypted = false;             // AES-256
    bool traditionalEncryption = false; // the old PKWARE cipher
    bool folder = false;                // a folder entry (libzip appends the "/")
    int dosAttributes = -1;             // 0 or more: made on DOS with these attributes
    bool stored = false;                // not compressed
};
// Writes a zip archive with libzip.
void writeZip(const QString& path, const std::vector<ZipEntry>& entries);
// The bytes of such an archive.
QByteArray zipBytes(const std::vector<ZipEntry>& entries);
// Entries for all members with the contents memberBytes(member, seed).
std::vector<ZipEntry> memberEntries(int seed, const std::vector<Member>& skip = {});

// Hand edits of an archive image, applied to the local header and the central
// directory entry of the named entry alike.
void patchDeclaredSize(QByteArray& zip, const std::string& name, std::uint32_t size);
void patchCrc(QByteArray& zip, const std::string& name, std::uint32_t crc);
// Renames an entry in place (same length), e.g. to make two names equal.
void patchName(QByteArray& zip, const std::string& from, const std::string& to);
void patchMethod(QByteArray& zip, const std::string& name, std::uint16_t method);
void patchCompressedSize(QByteArray& zip, const std::string& name, std::uint32_t size);
// The sizes the central directory declares for an entry.
std::uint32_t declaredSize(const QByteArray& zip, const std::string& name);
std::uint32_t compressedSize(const QByteArray& zip, const std::string& name);

} // namespace kalmur::test
