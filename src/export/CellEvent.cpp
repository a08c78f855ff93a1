#include "CellEvent.h"

#include "model/codec/OleDate.h"
#include "model/patterns/NumberPattern.h"
#include "model/schedule/Schedule.h"

namespace kalmur {

namespace {

// Hours and minutes only: seconds never count in a shift's times.
QTime minutesOf(double value) {
    const QTime t = OleDate::toTime(value);
    return QTime(t.hour(), t.minute());
}

} // namespace

std::optional<CellEvent> CellEvent::of(const Schedule& schedule, const Cell& cell, QDate date) {
    const int shift = cell.shownShift();
    const bool userShift = shift >= 1 && shift <= ShiftRecord::kUserShifts;
    const int note = cell.shownNote(schedule.noteCount());
    QString explanation;
    if (const int n = cell.shownExplanation(); n != 0) {
        explanation = schedule.explanations().description(n).trimmed();
    }
    auto described = [&](int number) {
        return schedule.shift(number).description.trimmed();
    };

    CellEvent event;
    event.date = date;
    QString title;
    if (shift != 0) {
        title = described(shift);
    } else if (cell.onCall != 0) {
        title = described(ShiftRecord::kOnCall);
    } else if (!explanation.isEmpty()) {
        title = explanation;
        explanation.clear();
    } else if (note != 0) {
        title = described(ShiftRecord::kNoteMark);
    } else {
        return std::nullopt;
    }
    event.summary = title.isEmpty() || explanation.isEmpty()
                        ? title + explanation
                        : title + QStringLiteral(" - ") + explanation;

    if (userShift) {
        const ShiftRecord& s = schedule.shift(shift);
        const QTime start = minutesOf(s.startTime);
        const QTime end = minutesOf(s.endTime);
        // A shift from midnight to midnight has no times: it stays a whole day.
        if (start != QTime(0, 0) || end != QTime(0, 0)) {
            event.allDay = false;
            event.start = start;
            event.end = end;
            event.endsNextDay = end <= start;
            event.details << QStringLiteral("Break: ") + formatNumber(s.breakLength, u"#0.00")
                          << QStringLiteral("Paid hours: ") + formatNumber(s.paidLength, u"#0.00");
        }
    }
    // The on-call mark beside a shift or time off is told in the description.
    if (cell.onCall != 0 && shift != 0) {
        event.details << described(ShiftRecord::kOnCall);
    }
    if (note != 0) {
        if (const QString text = schedule.readNote(note).trimmed(); !text.isEmpty()) {
            event.details << text;
        }
    }
    return event;
}

} // namespace kalmur
