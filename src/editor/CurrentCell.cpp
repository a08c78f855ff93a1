#include "CurrentCell.h"

#include "model/codec/OleDate.h"
#include "model/patterns/DateText.h"
#include "model/patterns/NumberPattern.h"
#include "model/patterns/TimePattern.h"
#include "view/CellText.h"

namespace kalmur {

CurrentCellText currentCellText(const Schedule& s, int slot, int first, int last,
                                const QString& timeFormat) {
    CurrentCellText out;
    if (first != last) {
        double hours = 0;
        for (int k = std::min(first, last); k <= std::max(first, last); ++k) {
            const int shift = s.cell(slot, k).shownShift();
            if (shift >= 1 && shift <= ShiftRecord::kUserShifts) {
                hours += s.shift(shift).paidLength;
            }
        }
        out.shiftDescription = QStringLiteral("Multi...");
        out.shiftHours = formatNumber(hours, u"####.00");
        return out;
    }
    const Cell cell = s.cell(slot, first);
    const int shift = cell.shownShift();
    QStringList parts;
    if (shift >= 1 && shift <= ShiftRecord::kUserShifts) {
        const ShiftRecord& r = s.shift(shift);
        QString text = r.description.trimmed();
        if (r.paidLength != 0) {
            text += QStringLiteral(", ") + formatTime(OleDate::toTime(r.startTime), timeFormat) +
                    QStringLiteral(" - ") + formatTime(OleDate::toTime(r.endTime), timeFormat);
        }
        parts << text;
        if (r.paidLength != 0) {
            out.shiftHours = formatNumber(r.paidLength, u"####.00");
        }
    } else if (shift == ShiftRecord::kOff) {
        parts << s.shift(ShiftRecord::kOff).description.trimmed();
    }
    if (cell.onCall) {
        parts << s.shift(ShiftRecord::kOnCall).description.trimmed();
    }
    out.shiftDescription = parts.join(QStringLiteral(", "));
    return out;
}

QString dateOnText(QDate date) {
    return weekdayName(date.dayOfWeek(), NameLength::Three) + QStringLiteral("  ") +
           formatShortDate(date);
}

QString visibleDatesText(QDate first, QDate last) {
    return formatShortDate(first) + QStringLiteral(" - ") + formatShortDate(last);
}

} // namespace kalmur
