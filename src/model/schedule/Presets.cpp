#include "Presets.h"

#include "CellItems.h"

#include <QDate>

namespace kalmur::Presets {

ShiftRecord shift(int number) {
    ShiftRecord s = ShiftRecord::undefined();
    switch (number) {
    case ShiftRecord::kOff:
        s.description = QStringLiteral("OFF");
        s.abbreviation = QStringLiteral("X");
        s.colour = 12;
        break;
    case ShiftRecord::kOnCall:
        s.description = QStringLiteral("On Call");
        s.abbreviation = QStringLiteral("+");
        break;
    case ShiftRecord::kNoteMark:
        s.description = QStringLiteral("See Note");
        s.abbreviation = QStringLiteral("*");
        break;
    default:
        break;
    }
    return s;
}

namespace {

struct RowPreset {
    std::int16_t item;
    bool screen;
    bool report;
    bool tie;
};

struct PresetValues {
    const char* name;
    std::int16_t days;
    std::int16_t rulerDay;
    std::int16_t rulerDate;
    bool abbreviations;
    const char* font;
    float fontSize;
    std::int16_t coverageVisible;
    const char* title;
    std::array<RowPreset, 6> rows;
};

constexpr PresetValues k28Day = {"28 Day",
                                 28,
                                 0,
                                 0,
                                 true,
                                 "MS Sans Serif",
                                 8,
                                 4,
                                 "Schedule",
                                 {{{kItemScreenCellIcon, true, false, true},
                                   {kItemShiftDescription, true, false, false},
                                   {kItemShiftAndExplanation, false, true, false},
                                   {kItemOnCallStatus, false, true, true},
                                   {kItemNoteStatus, false, true, false},
                                   {kItemNone, false, false, false}}}};
constexpr PresetValues kWeekly = {"Weekly",
                                  7,
                                  3,
                                  1,
                                  false,
                                  "Small Fonts",
                                  7,
                                  0,
                                  "Weekly",
                                  {{{kItemScreenCellIcon, true, false, true},
                                    {kItemShiftDescription, true, true, false},
                                    {kItemStartEndTime, true, true, false},
                                    {kItemExplanation, false, true, false},
                                    {kItemOnCallStatus, false, true, true},
                                    {kItemNoteText2Lines, false, true, false}}}};
constexpr PresetValues kDaily = {"Daily",
                                 1,
                                 3,
                                 3,
                                 false,
                                 "MS Sans Serif",
                                 8,
                                 0,
                                 "Daily",
                                 {{{kItemShiftAndExplanation, true, true, true},
                                   {kItemStartEndTime, true, true, true},
                                   {kItemShiftLength, true, true, true},
                                   {kItemOnCallStatus, true, true, true},
                                   {kItemNoteText, true, true, false},
                                   {kItemNone, false, false, false}}}};

// "mm-dd" unless the short date of 31 December 1999 starts with the day or the year.
std::int16_t weeklyDateStyle(const QLocale& locale) {
    const QString text = locale.toString(QDate(1999, 12, 31), QLocale::ShortFormat);
    if (text.startsWith(QLatin1String("31")) || text.startsWith(QLatin1String("19")) ||
        text.startsWith(QLatin1String("99"))) {
        return 2;
    }
    return 1;
}

ViewFormat build(const PresetValues& p) {
    ViewFormat v;
    v.name = QString::fromLatin1(p.name);
    v.showCellIcon = true;
    v.timeFormat = QStringLiteral("h:nna/p");
    v.hidePosition = false;
    v.useAbbreviations = p.abbreviations;
    v.rulerDay = p.rulerDay;
    v.rulerDate = p.rulerDate;
    v.daysOnScreen = p.days;
    v.fontName = QString::fromLatin1(p.font);
    v.fontSize = p.fontSize;
    v.showTimeOff = true;
    v.coverageVisible = p.coverageVisible;

    ReportSetup& r = v.reportSetup;
    r.title = QString::fromLatin1(p.title);
    r.shadingAllowed = true;
    r.marginsAllowed = true;
    r.shadePercent = 10;
    r.shadeRuler = true;
    r.shadeCoverage = true;
    r.inColor = false;
    r.margins = {360, 360, 360, 360};
    r.centimeters = false;
    r.useScreenFont = true;
    r.fontName = QStringLiteral("Arial");
    r.fontSize = p.fontSize;

    for (std::size_t i = 0; i < v.cellRows.size(); ++i) {
        v.cellRows[i].item = p.rows[i].item;
        v.cellRows[i].screen = p.rows[i].screen;
        v.cellRows[i].report = p.rows[i].report;
        v.cellRows[i].tie = p.rows[i].tie;
    }
    v.coverageLines.fill(CoverageLine::undefined());
    return v;
}

} // namespace

ViewFormat viewFormat(ViewPreset preset, const QLocale& locale) {
    switch (preset) {
    case ViewPreset::Weekly: {
        ViewFormat v = build(kWeekly);
        v.rulerDate = weeklyDateStyle(locale);
        return v;
    }
    case ViewPreset::Daily:
        return build(kDaily);
    case ViewPreset::TwentyEightDay:
        break;
    }
    ViewFormat v = build(k28Day);
    v.layoutValues[0] = 6;
    return v;
}

ViewFormat unusedViewFormat(const QLocale& locale) {
    ViewFormat v = viewFormat(ViewPreset::TwentyEightDay, locale);
    v.name = QStringLiteral("Not Used");
    v.coverageVisible = 0;
    v.cellRows[0].tie = false;
    for (std::size_t i = 1; i < v.cellRows.size(); ++i) {
        auto& row = v.cellRows[i];
        row.item = 0;
        row.screen = row.report = row.tie = false;
    }
    return v;
}

std::array<ViewFormat, ViewFormat::kCount> viewFormats(const QLocale& locale) {
    return {viewFormat(ViewPreset::TwentyEightDay, locale), viewFormat(ViewPreset::Weekly, locale),
            viewFormat(ViewPreset::Daily, locale), unusedViewFormat(locale),
            unusedViewFormat(locale)};
}

QueryRecord query() {
    return QueryRecord::undefined();
}

} // namespace kalmur::Presets
