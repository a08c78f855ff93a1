#include "ViewFormatRules.h"

#include <algorithm>
#include <climits>

namespace kalmur::ViewFormatRules {

std::vector<CellItem> itemsOfRow(int row) {
    std::vector<CellItem> items;
    for (const CellItem& item : kCellItems) {
        if (item.code != kItemScreenCellIcon || row == 0) {
            items.push_back(item);
        }
    }
    return items;
}

QString shownTimeFormat(const QString& stored) {
    QString shown = stored.trimmed();
    shown.replace(QLatin1Char('n'), QLatin1Char('m'));
    return shown;
}

QString storedTimeFormat(const QString& shown) {
    QString stored = shown;
    stored.replace(QLatin1Char('m'), QLatin1Char('n'));
    return stored.left(kTimeFormatLength);
}

QStringList timeFormatEntries() {
    QStringList entries;
    for (const TimeFormatChoice& choice : kTimeFormats) {
        entries << QString::fromLatin1(choice.shown.data(), qsizetype(choice.shown.size()));
    }
    return entries;
}

QStringList rulerDayEntries() {
    return {QStringLiteral("T"), QStringLiteral("Tu"), QStringLiteral("Tue"),
            QStringLiteral("Tuesday")};
}

QStringList rulerDateEntries() {
    return {QStringLiteral("dd"), QStringLiteral("mm-dd"), QStringLiteral("dd-mm"),
            QStringLiteral("Windows Default")};
}

int leadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace()) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            break;
        }
        value = std::min<long long>(value * 10 + (c.unicode() - u'0'), INT_MAX);
    }
    return static_cast<int>(negative ? -value : value);
}

int daysOnScreen(const QString& typed) {
    return std::clamp(leadingNumber(typed), kMinDays, kMaxDays);
}

int visibleCoverage(const QString& typed) {
    return std::clamp(leadingNumber(typed), 0, kMaxCoverage);
}

bool reportOffered(int item) {
    return item != kItemScreenCellIcon;
}

RowBoxes afterChoice(RowBoxes boxes, int previous, int chosen) {
    if (chosen == kItemNone) {
        boxes.screen = boxes.report = boxes.tie = false;
    } else if (previous == kItemNone) {
        boxes.screen = boxes.report = true;
    }
    boxes.reportEnabled = reportOffered(chosen);
    if (!boxes.reportEnabled) {
        boxes.report = false;
    }
    return boxes;
}

Input inputOf(const ViewFormat& format) {
    Input input;
    input.name = format.name.trimmed();
    const QString shown = shownTimeFormat(format.timeFormat);
    if (timeFormatEntries().contains(shown)) {
        input.timeFormat = shown;
    }
    auto listIndex = [](int index) {
        return index >= 0 && index <= 3 ? std::optional<int>(index) : std::nullopt;
    };
    input.rulerDay = listIndex(format.rulerDay);
    input.rulerDate = listIndex(format.rulerDate);
    input.showCellIcon = format.showCellIcon;
    input.hidePosition = format.hidePosition;
    input.useAbbreviations = format.useAbbreviations;
    input.showTimeOff = format.showTimeOff;
    input.daysOnScreen = numberText(format.daysOnScreen);
    input.coverageVisible = numberText(format.coverageVisible);
    for (std::size_t r = 0; r < input.rows.size(); ++r) {
        const CellContentRow& row = format.cellRows[r];
        const auto items = itemsOfRow(int(r));
        const bool offered = std::any_of(items.begin(), items.end(), [&](const CellItem& item) {
            return item.code == row.item;
        });
        input.rows[r] = {offered ? std::optional<int>(row.item) : std::nullopt, row.screen,
                         row.report};
        if (r < input.ties.size()) {
            input.ties[r] = row.tie;
        }
    }
    return input;
}

void store(ViewFormat& format, const Input& input) {
    format.name = input.name.trimmed().left(kNameLength);
    if (input.timeFormat) {
        format.timeFormat = storedTimeFormat(*input.timeFormat);
    }
    if (input.rulerDay) {
        format.rulerDay = static_cast<std::int16_t>(std::clamp(*input.rulerDay, 0, 3));
    }
    if (input.rulerDate) {
        format.rulerDate = static_cast<std::int16_t>(std::clamp(*input.rulerDate, 0, 3));
    }
    format.showCellIcon = input.showCellIcon;
    format.hidePosition = input.hidePosition;
    format.useAbbreviations = input.useAbbreviations;
    format.showTimeOff = input.showTimeOff;
    format.coverageVisible = static_cast<std::int16_t>(visibleCoverage(input.coverageVisible));
    for (std::size_t r = 0; r < format.cellRows.size(); ++r) {
        CellContentRow& row = format.cellRows[r];
        const Input::Row& typed = input.rows[r];
        if (typed.item && isCellItemCode(*typed.item)) {
            row.item = static_cast<std::int16_t>(*typed.item);
        }
        row.screen = typed.screen;
        row.report = typed.report;
        if (r < input.ties.size()) {
            row.tie = input.ties[r];
        }
    }
    format.daysOnScreen = static_cast<std::int16_t>(daysOnScreen(input.daysOnScreen));
}

} // namespace kalmur::ViewFormatRules
