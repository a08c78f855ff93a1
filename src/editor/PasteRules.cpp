#include "PasteRules.h"

namespace kalmur {

PasteOptions PasteOptions::fromFlags(const Flags& f) {
    return {f[0], f[1], f[2], f[3], f[4], f[5]};
}

PasteOptions::Flags PasteOptions::flags() const {
    return {shifts, timeOff, explanations, notes, onCall, overwrite};
}

PasteOptions PasteOptions::firstUse() {
    return {true, true, true, true, true, false};
}

bool PasteOptions::prepare(ScheduleSettings& settings) {
    for (bool flag : settings.pasteOptions) {
        if (flag) {
            return false;
        }
    }
    settings.pasteOptions = firstUse().flags();
    return true;
}

PastedCell pasteSelective(const PasteOptions& options, const Cell& clip, bool clipHasNote,
                          const Cell& target) {
    PastedCell out{target, NoteStep::Keep};
    Cell& t = out.cell;
    const bool overwrite = options.overwrite;
    if (options.shifts && clip.shift < ShiftRecord::kOff && (t.shift == 0 || overwrite)) {
        t.shift = clip.shift;
    }
    if (options.timeOff && (clip.shift == 0 || clip.shift == ShiftRecord::kOff) &&
        (t.shift == 0 || overwrite)) {
        t.shift = clip.shift;
    }
    if (options.explanations && (t.explanation == 0 || overwrite)) {
        t.explanation = clip.explanation;
    }
    if (options.notes && (t.note < 1 || overwrite)) {
        out.note = clipHasNote ? NoteStep::Write : NoteStep::Hide;
    }
    if (options.onCall && (t.onCall == 0 || overwrite)) {
        t.onCall = clip.onCall;
    }
    return out;
}

PastedCell pasteAll(const Cell& clip, bool clipHasNote, const Cell& target) {
    PastedCell out{target, clipHasNote ? NoteStep::Write : NoteStep::Hide};
    out.cell.shift = clip.shift;
    out.cell.onCall = clip.onCall;
    out.cell.explanation = clip.explanation;
    return out;
}

} // namespace kalmur
