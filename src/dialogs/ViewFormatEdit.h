#pragma once

#include "ViewFormatRules.h"

#include <QString>

#include <functional>

namespace kalmur {

class Schedule;

// One editing of the current view format, apart from the window: the backup
// read from the view-format file when editing begins, storing and applying
// what the user chose, and putting the backup back on Cancel. Applying writes
// the record at the current view-format number, lays the window of days out
// for its length and then calls `relayout` so that the grid follows at once.
class ViewFormatEdit {
public:
    using Relayout = std::function<void()>;

    ViewFormatEdit(Schedule& schedule, Relayout relayout);

    const ViewFormat& backup() const { return m_backup; }
    const ViewFormat& format() const;

    // Stores the input into the current view format, sets the
    // schedule-modified flag, writes the record and applies it. False when the
    // record could not be written (the format is applied all the same, so the
    // grid shows what the user chose).
    bool apply(const ViewFormatRules::Input& input);
    // Puts the backup back into memory and into the file and applies it.
    bool cancel();
    // The screen font chosen in the font dialog, kept in the current format
    // (it is written with the next Apply, or dropped by Cancel).
    void setFont(const QString& name, double pointSize, bool bold, bool italic);

private:
    bool writeAndApply();

    Schedule& m_schedule;
    Relayout m_relayout;
    ViewFormat m_backup;
};

} // namespace kalmur
