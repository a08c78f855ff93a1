#include "files/ScheduleArchive.h"

#include "files/ReplacingFile.h"
#include "files/StagingFolder.h"
#include "files/ZipComponent.h"
#include "model/schedule/Members.h"

#include <QFile>

#include <string_view>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace kalmur {

namespace {

ArchiveResult outcome(ArchiveOutcome kind) {
    return ArchiveResult{kind, {}, {}};
}

// The members that exist in the working directory as plain files. A member
// longer than its records allow is refused: the archive could not be opened
// again, and it would replace one that can.
bool presentMembers(const QString& workingDirectory, std::vector<std::string_view>& names) {
    names.clear();
    for (const MemberInfo& member : kMembers) {
        const QByteArray path =
            QFile::encodeName(workingDirectory) + '/' +
            QByteArray(member.fileName.data(), static_cast<qsizetype>(member.fileName.size()));
        struct stat st {};
        if (::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
            if (st.st_size > maxMemberBytes(member)) {
                return false;
            }
            names.push_back(member.fileName);
        }
    }
    return true;
}

} // namespace

ScheduleArchive::ScheduleArchive(QString workingDirectory)
    : m_workingDirectory(std::move(workingDirectory)) {
}

ScheduleArchive::Taken ScheduleArchive::take(const QString& path, bool create, bool lock,
                                             ArchiveHandle& handle) const {
    // A file replaced between opening and locking is opened again, so that
    // the lock always sits on the file the path names.
    for (int attempt = 0; attempt < 5; ++attempt) {
        switch (handle.open(path, create)) {
        case ArchiveHandle::Status::Ok:
            break;
        case ArchiveHandle::Status::Missing:
            return Taken::Missing;
        default:
            return Taken::Failed;
        }
        if (!lock) {
            return Taken::Opened;
        }
        // Our own lock would refuse a second open of the archive we hold.
        if (m_held.sameFile(handle)) {
            handle.close();
            return Taken::AlreadyHeld;
        }
        if (handle.lock() == ArchiveHandle::Status::InUse) {
            handle.close();
            return Taken::InUse;
        }
        if (handle.isAt(path)) {
            return Taken::Opened;
        }
        handle.close();
    }
    return Taken::Failed;
}

ArchiveResult ScheduleArchive::open(const ScheduleLocation& location) {
    if (location.isEmpty()) {
        return outcome(ArchiveOutcome::Unavailable);
    }
    const QString path = location.archivePath();
    const bool floppy = location.isFloppy();

    ArchiveHandle handle;
    const Taken taken = take(path, true, !floppy, handle);
    if (taken == Taken::InUse) {
        return outcome(ArchiveOutcome::InUse);
    }
    if (taken != Taken::Opened && taken != Taken::AlreadyHeld) {
        return outcome(ArchiveOutcome::Unavailable);
    }
    const std::int64_t size = taken == Taken::AlreadyHeld ? m_held.size() : handle.size();
    if (size < 0) {
        return outcome(ArchiveOutcome::Unavailable);
    }

    StagingFolder staging(m_workingDirectory);
    ArchiveOutcome result = ArchiveOutcome::OpenedAsNew;
    if (size < kMinimumArchiveBytes) {
        // Nothing to unpack: an empty staging folder clears the members.
        if (!staging.create() || !staging.replaceWorkingMembers(kMembers)) {
            return notExtracted(path);
        }
    } else {
        const ZipComponent::TestResult tested = ZipComponent::test(path, kMembers);
        if (tested.status != ZipComponent::Status::Ok || tested.memberCount < kMinimumMembers) {
            return notValid(path);
        }
        if (!staging.create() ||
            ZipComponent::extract(path, kMembers, staging.path()) != ZipComponent::Status::Ok ||
            !staging.replaceWorkingMembers(kMembers)) {
            return notExtracted(path);
        }
        result = ArchiveOutcome::Extracted;
    }
    staging.remove();

    m_location = location;
    m_hasLocation = true;
    if (floppy) {
        m_held.close();
    } else if (taken == Taken::Opened) {
        m_held = std::move(handle);
    }
    return outcome(result);
}

ArchiveResult ScheduleArchive::save() {
    if (!m_hasLocation) {
        return outcome(ArchiveOutcome::NotSaved);
    }
    return pack(m_location);
}

ArchiveResult ScheduleArchive::saveAs(const ScheduleLocation& target) {
    return pack(target);
}

ArchiveResult ScheduleArchive::pack(const ScheduleLocation& target) {
    if (target.isEmpty()) {
        return outcome(ArchiveOutcome::NotSaved);
    }
    const QString path = target.archivePath();
    const bool floppy = target.isFloppy();

    // An existing target must be openable and not held by another copy of the
    // program; it stays locked until the new archive has replaced it.
    ArchiveHandle existing;
    if (!floppy) {
        const Taken taken = take(path, false, true, existing);
        if (taken == Taken::InUse) {
            return outcome(ArchiveOutcome::InUse);
        }
        if (taken == Taken::Failed) {
            return outcome(ArchiveOutcome::NotSaved);
        }
    }

    // An archive with fewer members could not be opened again.
    std::vector<std::string_view> names;
    if (!presentMembers(m_workingDirectory, names) ||
        names.size() < static_cast<std::size_t>(kMinimumMembers)) {
        return outcome(ArchiveOutcome::NotSaved);
    }

    ReplacingFile file;
    if (!file.begin(path)) {
        return outcome(ArchiveOutcome::NotSaved);
    }
    const ZipComponent::Status packed = ZipComponent::compress(
        m_workingDirectory, names,
        [&file](std::span<const std::uint8_t> bytes) { return file.write(bytes); });
    if (packed != ZipComponent::Status::Ok) {
        return outcome(ArchiveOutcome::NotSaved);
    }
    const bool durable = file.commit();
    if (!file.committed()) {
        return outcome(ArchiveOutcome::NotSaved);
    }

    // The new file is in place and already carries the lock taken on the
    // temporary file, so there is no moment at which another copy could take
    // the archive.
    ArchiveHandle written;
    written.adopt(file.releaseDescriptor());
    const bool current = m_hasLocation && target.archivePath() == m_location.archivePath();
    if (!durable && !current) {
        return outcome(ArchiveOutcome::NotSaved);
    }
    m_location = target;
    m_hasLocation = true;
    if (floppy) {
        m_held.close();
    } else {
        m_held = std::move(written);
    }
    return outcome(durable ? ArchiveOutcome::Saved : ArchiveOutcome::NotSaved);
}

void ScheduleArchive::setCurrentLocation(const ScheduleLocation& location) {
    m_location = location;
    m_hasLocation = true;
}

ArchiveResult ScheduleArchive::holdCurrent() {
    if (!m_hasLocation) {
        return outcome(ArchiveOutcome::Unavailable);
    }
    if (m_location.isFloppy()) {
        return outcome(ArchiveOutcome::Held); // floppy archives are never held
    }
    ArchiveHandle handle;
    switch (take(m_location.archivePath(), false, true, handle)) {
    case Taken::AlreadyHeld:
        return outcome(ArchiveOutcome::Held);
    case Taken::Opened:
        m_held = std::move(handle);
        return outcome(ArchiveOutcome::Held);
    case Taken::InUse:
        return outcome(ArchiveOutcome::InUse);
    default:
        return outcome(ArchiveOutcome::Unavailable);
    }
}

void ScheduleArchive::release() {
    m_held.close();
}

ArchiveResult ScheduleArchive::notValid(const QString& path) const {
    return ArchiveResult{ArchiveOutcome::NotValid,
                         path + QStringLiteral(" is not a valid schedule file"),
                         QStringLiteral("Error")};
}

ArchiveResult ScheduleArchive::notExtracted(const QString& path) const {
    return ArchiveResult{ArchiveOutcome::NotExtracted,
                         QStringLiteral("Could not open ") + path + QStringLiteral(" to ") +
                             m_workingDirectory,
                         QStringLiteral("Error")};
}

} // namespace kalmur
