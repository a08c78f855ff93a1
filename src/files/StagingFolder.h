#pragma once

#include "model/schedule/Members.h"

#include <QString>

#include <span>

namespace kalmur {

// A private folder inside the working directory into which an archive is
// unpacked before anything in the working directory changes. Only when the
// whole archive has been unpacked are the working members replaced, and that
// replacement is undone if one of its steps fails, so a schedule that cannot
// be opened leaves the previous one's members exactly as they were.
class StagingFolder {
public:
    explicit StagingFolder(QString workingDirectory);
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    // Removes a folder left behind by an earlier run and creates it anew,
    // accessible to the owner only.
    bool create();
    const QString& path() const { return m_path; }

    // Moves the members found in the staging folder into the working
    // directory and removes the working members it does not hold: all or
    // nothing.
    bool replaceWorkingMembers(std::span<const MemberInfo> members);

    void remove();

private:
    QString m_workingDirectory;
    QString m_path;
    bool m_created = false;
};

} // namespace kalmur
