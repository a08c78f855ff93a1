#include "files/StagingFolder.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace kalmur {

namespace {

QByteArray memberPath(const QString& folder, const MemberInfo& member) {
    return QFile::encodeName(folder) + '/' +
           QByteArray(member.fileName.data(), static_cast<qsizetype>(member.fileName.size()));
}

// 1 when path exists (as anything), 0 when it does not, -1 when unknown.
int exists(const QByteArray& path) {
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0) {
        return 1;
    }
    return errno == ENOENT ? 0 : -1;
}

struct Move {
    QByteArray from;
    QByteArray to;
};

void undo(std::vector<Move>& moves) {
    for (auto it = moves.rbegin(); it != moves.rend(); ++it) {
        ::rename(it->to.constData(), it->from.constData());
    }
    moves.clear();
}

} // namespace

StagingFolder::StagingFolder(QString workingDirectory)
    : m_workingDirectory(std::move(workingDirectory))
    , m_path(m_workingDirectory + QStringLiteral("/.kalmur-staging")) {
}

StagingFolder::~StagingFolder() {
    remove();
}

bool StagingFolder::create() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(QFile::encodeName(m_path).toStdString()),
                                ignored);
    if (::mkdir(QFile::encodeName(m_path).constData(), 0700) != 0) {
        return false;
    }
    m_created = true;
    return true;
}

bool StagingFolder::replaceWorkingMembers(std::span<const MemberInfo> members) {
    if (!m_created) {
        return false;
    }
    const QString previous = m_path + QStringLiteral("/previous");
    if (::mkdir(QFile::encodeName(previous).constData(), 0700) != 0) {
        return false;
    }

    // First move the current members aside, then move the new ones in; a
    // failure on the way puts back what was moved, newest first.
    std::vector<Move> movedAside;
    for (const MemberInfo& member : members) {
        Move move{memberPath(m_workingDirectory, member), memberPath(previous, member)};
        const int present = exists(move.from);
        if (present < 0) {
            undo(movedAside);
            return false;
        }
        if (present == 0) {
            continue;
        }
        if (::rename(move.from.constData(), move.to.constData()) != 0) {
            undo(movedAside);
            return false;
        }
        movedAside.push_back(std::move(move));
    }

    std::vector<Move> movedIn;
    for (const MemberInfo& member : members) {
        Move move{memberPath(m_path, member), memberPath(m_workingDirectory, member)};
        const int present = exists(move.from);
        if (present == 0) {
            continue;
        }
        if (present < 0 || ::rename(move.from.constData(), move.to.constData()) != 0) {
            undo(movedIn);
            undo(movedAside);
            return false;
        }
        movedIn.push_back(std::move(move));
    }
    return true;
}

void StagingFolder::remove() {
    if (!m_created) {
        return;
    }
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(QFile::encodeName(m_path).toStdString()),
                                ignored);
    m_created = false;
}

} // namespace kalmur
