#pragma once

#include "model/records/Cell.h"
#include "model/records/ScheduleSettings.h"

#include <array>

namespace kalmur {

// The choices of a selective paste, shared with copy multiple: which kinds of
// cell content travel, and whether they may replace what a target holds. Kept
// in the settings record as six flags in this order.
struct PasteOptions {
    bool shifts = false;
    bool timeOff = false;
    bool explanations = false;
    bool notes = false;
    bool onCall = false;
    bool overwrite = false;

    using Flags = std::array<bool, ScheduleSettings::kPasteOptions>;
    static PasteOptions fromFlags(const Flags& flags);
    Flags flags() const;
    // Every kind, nothing overwritten: what a schedule starts with.
    static PasteOptions firstUse();
    // Settings whose six flags are all clear get the first-use choices; true
    // when they did (the schedule has changed).
    static bool prepare(ScheduleSettings& settings);
    bool operator==(const PasteOptions&) const = default;
};

// What a paste does to the note of a target cell.
enum class NoteStep {
    Keep,  // the target's note stays as it is
    Write, // the target's record (a new one when it has none) gets the copied text
    Hide,  // the target's note is detached (its number stored negative)
};

struct PastedCell {
    Cell cell; // the target's shift, on call and explanation after the paste
    NoteStep note = NoteStep::Keep;
};

// One clipboard day laid on one target cell, field by field. A field is
// written only when its kind is chosen and the target's field is free (0; a
// note number below 1) or overwriting is allowed. Shifts travel for codes 0 to
// 99, time off for 0 and 100, so an empty clipboard day clears the target's
// shift when overwriting. The reserved byte and the note number are left to
// the caller (the note by `note`).
PastedCell pasteSelective(const PasteOptions& options, const Cell& clip, bool clipHasNote,
                          const Cell& target);

// The plain paste: shift, on call and explanation always, the note written or
// hidden.
PastedCell pasteAll(const Cell& clip, bool clipHasNote, const Cell& target);

} // namespace kalmur
