#include "EditCommands.h"

namespace kalmur {

namespace {

std::int16_t hidden(std::int16_t note) {
    return note > 0 ? static_cast<std::int16_t>(-note) : note;
}

// Clear and Cut: the cell is emptied and its note hidden (the text is kept).
void clearCell(Cell& c, int, int) {
    c.shift = 0;
    c.onCall = 0;
    c.explanation = 0;
    c.reserved = 0;
    c.note = hidden(c.note);
}

} // namespace

EditCommands::EditCommands(Schedule& schedule)
    : m_schedule(schedule) {
}

void EditCommands::reset() {
    m_clipboard.clear();
    m_undo.forget();
}

bool EditCommands::isDivider(int row) const {
    return m_schedule.employees().isDivider(row);
}

int EditCommands::clampedLast(const EditSelection& selection) const {
    return std::min(selection.lastDay, m_schedule.dayCount());
}

template <typename Change>
EditOutcome EditCommands::apply(const EditSelection& selection, const char* caption,
                                Change change) {
    EditOutcome out;
    if (isDivider(selection.row)) {
        out.refused = true;
        return out;
    }
    const int slot = m_schedule.slotOfRow(selection.row);
    const int last = clampedLast(selection);
    if (slot == 0 || selection.firstDay < 1 || selection.firstDay > last) {
        return out;
    }
    m_undo.saveDays(m_schedule, slot, selection.firstDay, last, QString::fromUtf8(caption));
    for (int day = selection.firstDay; day <= last; ++day) {
        Cell cell = m_schedule.cellOfDay(slot, day);
        change(cell, slot, day);
        m_schedule.setCellOfDay(slot, day, cell);
    }
    out.changed = true;
    out.firstDay = selection.firstDay;
    out.lastDay = last;
    out.undoCaption = m_undo.caption();
    return out;
}

EditOutcome EditCommands::assignShift(const EditSelection& selection, int shift) {
    if (shift <= 0) {
        EditOutcome out; // no shift chosen
        out.refused = true;
        return out;
    }
    return apply(selection, "&Undo Assign", [shift](Cell& c, int, int) {
        if (c.shift != ShiftRecord::kOff) {
            c.shift = static_cast<std::uint8_t>(shift);
        }
    });
}

EditOutcome EditCommands::timeOff(const EditSelection& selection) {
    return apply(selection, "&Undo TimeOff", [](Cell& c, int, int) {
        if (c.shift == 0) {
            c.shift = ShiftRecord::kOff;
        }
    });
}

EditOutcome EditCommands::erase(const EditSelection& selection) {
    return apply(selection, "&Undo Erase", [](Cell& c, int, int) { c.shift = 0; });
}

EditOutcome EditCommands::toggleOnCall(const EditSelection& selection) {
    return apply(selection, "&Undo On Call",
                 [](Cell& c, int, int) { c.onCall = c.onCall == 0 ? 1 : 0; });
}

EditOutcome EditCommands::setExplanation(const EditSelection& selection, int explanation) {
    return apply(selection, "&Undo Explanation", [explanation](Cell& c, int, int) {
        c.explanation = static_cast<std::uint8_t>(explanation);
    });
}

EditOutcome EditCommands::quickKey(const EditSelection& selection, int entry) {
    if (entry == 0) {
        return {};
    }
    if (entry > 0) {
        return assignShift(selection, entry);
    }
    return apply(selection, "&Undo Assign",
                 [entry](Cell& c, int, int) { c.explanation = static_cast<std::uint8_t>(-entry); });
}

EditOutcome EditCommands::setNote(const EditSelection& selection, const QString& text) {
    const QString note = text.left(60);
    return apply(selection, "&Undo Note", [this, &note](Cell& c, int slot, int day) {
        // Every selected day gets its own note record holding the same text.
        m_schedule.setCellOfDay(slot, day, c);
        m_schedule.writeNoteOfDay(slot, day, note);
        c = m_schedule.cellOfDay(slot, day);
    });
}

EditOutcome EditCommands::clear(const EditSelection& selection) {
    return apply(selection, "&Undo Clear", clearCell);
}

bool EditCommands::copy(const EditSelection& selection) {
    if (isDivider(selection.row)) {
        return false;
    }
    const int slot = m_schedule.slotOfRow(selection.row);
    if (slot == 0) {
        return false;
    }
    m_clipboard.clear();
    for (int day = selection.firstDay; day <= clampedLast(selection); ++day) {
        ClipDay clip;
        clip.cell = m_schedule.cellOfDay(slot, day);
        clip.hasNote = clip.cell.note > 0;
        if (clip.hasNote) {
            clip.noteText = m_schedule.readNote(clip.cell.note);
        }
        m_clipboard.push_back(clip);
    }
    return !m_clipboard.empty();
}

EditOutcome EditCommands::cut(const EditSelection& selection) {
    if (isDivider(selection.row)) {
        return {true, false, 0, 0, {}};
    }
    copy(selection);
    return apply(selection, "&Undo Cut", clearCell);
}

template <typename Rule>
EditOutcome EditCommands::pasteWith(const EditSelection& selection, Rule rule) {
    if (m_clipboard.empty()) {
        return {};
    }
    // The copied days go onto consecutive days from the selection's first day,
    // whatever its length, as far as the schedule reaches.
    EditSelection target = selection;
    target.lastDay = selection.firstDay + static_cast<int>(m_clipboard.size()) - 1;
    return apply(target, "&Undo Paste", [this, &selection, &rule](Cell& c, int slot, int day) {
        const ClipDay& clip = m_clipboard[static_cast<std::size_t>(day - selection.firstDay)];
        const PastedCell pasted = rule(clip.cell, clip.hasNote, c);
        c = pasted.cell;
        if (pasted.note == NoteStep::Write) {
            m_schedule.setCellOfDay(slot, day, c);
            m_schedule.writeNoteOfDay(slot, day, clip.noteText);
            c = m_schedule.cellOfDay(slot, day);
        } else if (pasted.note == NoteStep::Hide) {
            c.note = hidden(c.note);
        }
    });
}

EditOutcome EditCommands::paste(const EditSelection& selection) {
    return pasteWith(selection, pasteAll);
}

EditOutcome EditCommands::pasteSelective(const EditSelection& selection,
                                         const PasteOptions& options) {
    return pasteWith(selection, [&options](const Cell& clip, bool hasNote, const Cell& target) {
        return kalmur::pasteSelective(options, clip, hasNote, target);
    });
}

KeyEdit EditCommands::typed(const EditSelection& selection, GridKey key, int quickEntry) {
    KeyEdit edit;
    if (isDivider(selection.row)) {
        return edit;
    }
    const bool oneDay = selection.firstDay == selection.lastDay;
    if (key == GridKey::Space) {
        edit.outcome = erase(selection);
        edit.advance = oneDay;
    } else if (key == GridKey::Delete) {
        edit.outcome = clear(selection);
    } else if (quickEntry != 0) {
        edit.outcome = quickKey(selection, quickEntry);
        edit.advance = oneDay;
    }
    return edit;
}

EditOutcome EditCommands::undo() {
    EditOutcome out;
    const UndoStep::Restored restored = m_undo.undo(m_schedule);
    switch (restored.kind) {
    case UndoStep::Restored::Kind::Nothing:
        break;
    case UndoStep::Restored::Kind::Days:
        out.changed = true;
        out.firstDay = restored.firstDay;
        out.lastDay = restored.lastDay;
        break;
    case UndoStep::Restored::Kind::Rows:
        out.changed = true;
        out.allRows = true;
        out.writeFailed = !restored.written;
        out.firstDay = 1;
        out.lastDay = m_schedule.dayCount();
        break;
    }
    return out;
}

} // namespace kalmur
