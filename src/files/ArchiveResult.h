#pragma once

#include <QString>

namespace kalmur {

// What an archive operation did. The failures that the archive step reports
// itself carry their message and title (shown with a beep and an exclamation
// icon); the others leave the wording to the caller.
enum class ArchiveOutcome {
    OpenedAsNew,  // an empty or new archive: the working members were cleared
    Extracted,    // the working members were replaced by the archive's
    Saved,        // the archive now holds the working members
    Held,         // the current archive is held open again
    Unavailable,  // the archive (or its folder) cannot be opened; no message
    InUse,        // another running copy of the program holds the archive
    NotValid,     // the archive is not a schedule archive; message
    NotExtracted, // the archive could not be unpacked; message
    NotSaved,     // packing failed; the previous archive is untouched
};

struct ArchiveResult {
    ArchiveOutcome outcome = ArchiveOutcome::Unavailable;
    QString message;
    QString title;

    bool succeeded() const {
        return outcome == ArchiveOutcome::OpenedAsNew || outcome == ArchiveOutcome::Extracted ||
               outcome == ArchiveOutcome::Saved || outcome == ArchiveOutcome::Held;
    }
};

} // namespace kalmur
