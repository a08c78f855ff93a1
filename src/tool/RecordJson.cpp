#include "RecordJson.h"

#include "model/codec/OleDate.h"

#include <QJsonArray>

#include <cmath>

namespace kalmur::RecordJson {

namespace {

constexpr std::int64_t kI16Min = INT16_MIN;
constexpr std::int64_t kI16Max = INT16_MAX;

template <std::size_t N>
QJsonArray markList(const std::array<std::uint8_t, N>& marks, int first) {
    QJsonArray list;
    for (std::size_t i = 0; i < N; ++i) {
        if (marks[i] != 0) {
            list.append(static_cast<int>(i) + first);
        }
    }
    return list;
}

QString child(const QString& path, const char* key) {
    return path + QLatin1Char('.') + QLatin1String(key);
}

} // namespace

double rounded(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double r = std::round(value * 10000.0) / 10000.0;
    return std::isfinite(r) ? r + 0.0 : value; // + 0.0 turns -0 into 0
}

QString timeText(double value) {
    return OleDate::toTime(value).toString(QStringLiteral("HH:mm"));
}

QJsonObject toJson(const ReportSetup& r) {
    return QJsonObject{
        {"title", r.title},
        {"printQuality", r.printQuality},
        {"orientation", r.orientation},
        {"shadingAllowed", r.shadingAllowed},
        {"marginsAllowed", r.marginsAllowed},
        {"shadePercent", r.shadePercent},
        {"shadeRuler", r.shadeRuler},
        {"shadeCoverage", r.shadeCoverage},
        {"inColor", r.inColor},
        {"margins", jsonArray(r.margins)},
        {"centimeters", r.centimeters},
        {"useScreenFont", r.useScreenFont},
        {"fontName", r.fontName},
        {"fontSize", rounded(r.fontSize)},
        {"fontBold", r.fontBold},
        {"fontItalic", r.fontItalic},
        {"options", jsonArray(r.options)},
    };
}

void fromJson(JsonIn& in, const QJsonObject& o, const QString& path, ReportSetup& r) {
    in.text(o, path, "title", r.title);
    in.integer(o, path, "printQuality", r.printQuality, kI16Min, kI16Max);
    in.integer(o, path, "orientation", r.orientation, kI16Min, kI16Max);
    in.boolean(o, path, "shadingAllowed", r.shadingAllowed);
    in.boolean(o, path, "marginsAllowed", r.marginsAllowed);
    in.integer(o, path, "shadePercent", r.shadePercent, kI16Min, kI16Max);
    in.boolean(o, path, "shadeRuler", r.shadeRuler);
    in.boolean(o, path, "shadeCoverage", r.shadeCoverage);
    in.boolean(o, path, "inColor", r.inColor);
    in.integers(o, path, "margins", r.margins, kI16Min, kI16Max);
    in.boolean(o, path, "centimeters", r.centimeters);
    in.boolean(o, path, "useScreenFont", r.useScreenFont);
    in.text(o, path, "fontName", r.fontName);
    in.single(o, path, "fontSize", r.fontSize);
    in.boolean(o, path, "fontBold", r.fontBold);
    in.boolean(o, path, "fontItalic", r.fontItalic);
    in.booleans(o, path, "options", r.options);
}

QJsonObject toJson(const CoverageLine& c) {
    return QJsonObject{
        {"title", c.title},
        {"ignoreNames", c.ignoreNames},
        {"ignoreExplanations", c.ignoreExplanations},
        {"ignoreShifts", c.ignoreShifts},
        {"checkByPosition", c.checkByPosition},
        {"position", c.position},
        {"employees", markList(c.employeeMarks, 1)},
        {"explanations", markList(c.explanationMarks, 0)},
        {"shifts", markList(c.shiftMarks, 0)},
    };
}

void fromJson(JsonIn& in, const QJsonObject& o, const QString& path, CoverageLine& c) {
    in.text(o, path, "title", c.title);
    in.boolean(o, path, "ignoreNames", c.ignoreNames);
    in.boolean(o, path, "ignoreExplanations", c.ignoreExplanations);
    in.boolean(o, path, "ignoreShifts", c.ignoreShifts);
    in.boolean(o, path, "checkByPosition", c.checkByPosition);
    in.text(o, path, "position", c.position);
    in.marks(o, path, "employees", c.employeeMarks, 1);
    in.marks(o, path, "explanations", c.explanationMarks, 0);
    in.marks(o, path, "shifts", c.shiftMarks, 0);
}

QJsonObject toJson(const QueryRecord& q, int number) {
    QJsonObject o = toJson(q.criteria);
    o.insert(QStringLiteral("number"), number);
    o.insert(QStringLiteral("noteText"), q.noteText);
    return o;
}

void fromJson(JsonIn& in, const QJsonObject& o, const QString& path, QueryRecord& q) {
    fromJson(in, o, path, q.criteria);
    in.text(o, path, "noteText", q.noteText);
}

QJsonObject toJson(const ShiftRecord& s, int number) {
    return QJsonObject{
        {"number", number},
        {"description", s.description},
        {"abbreviation", s.abbreviation},
        {"start", timeText(s.startTime)},
        {"end", timeText(s.endTime)},
        {"colour", s.colour},
        {"quickKey", s.quickKey},
        {"breakLength", rounded(s.breakLength)},
        {"paidLength", rounded(s.paidLength)},
    };
}

void fromJson(JsonIn& in, const QJsonObject& o, const QString& path, ShiftRecord& s) {
    in.text(o, path, "description", s.description);
    in.text(o, path, "abbreviation", s.abbreviation);
    in.time(o, path, "start", s.startTime);
    in.time(o, path, "end", s.endTime);
    in.integer(o, path, "colour", s.colour, kI16Min, kI16Max);
    in.integer(o, path, "quickKey", s.quickKey, 0, 255);
    in.single(o, path, "breakLength", s.breakLength);
    in.single(o, path, "paidLength", s.paidLength);
}

QJsonObject toJson(const ViewFormat& v, int number) {
    QJsonArray rows;
    for (const auto& r : v.cellRows) {
        rows.append(QJsonObject{
            {"item", r.item}, {"screen", r.screen}, {"report", r.report}, {"tie", r.tie}});
    }
    QJsonArray lines;
    for (const auto& c : v.coverageLines) {
        lines.append(toJson(c));
    }
    return QJsonObject{
        {"number", number},
        {"name", v.name},
        {"showCellIcon", v.showCellIcon},
        {"timeFormat", v.timeFormat},
        {"hidePosition", v.hidePosition},
        {"useAbbreviations", v.useAbbreviations},
        {"rulerDay", v.rulerDay},
        {"rulerDate", v.rulerDate},
        {"daysOnScreen", v.daysOnScreen},
        {"fontName", v.fontName},
        {"fontSize", rounded(v.fontSize)},
        {"fontBold", v.fontBold},
        {"fontItalic", v.fontItalic},
        {"showTimeOff", v.showTimeOff},
        {"coverageVisible", v.coverageVisible},
        {"cellRows", rows},
        {"reportSetup", toJson(v.reportSetup)},
        {"coverageLines", lines},
    };
}

void fromJson(JsonIn& in, const QJsonObject& o, const QString& path, ViewFormat& v) {
    in.text(o, path, "name", v.name);
    in.boolean(o, path, "showCellIcon", v.showCellIcon);
    in.text(o, path, "timeFormat", v.timeFormat);
    in.boolean(o, path, "hidePosition", v.hidePosition);
    in.boolean(o, path, "useAbbreviations", v.useAbbreviations);
    in.integer(o, path, "rulerDay", v.rulerDay, kI16Min, kI16Max);
    in.integer(o, path, "rulerDate", v.rulerDate, kI16Min, kI16Max);
    in.integer(o, path, "daysOnScreen", v.daysOnScreen, kI16Min, kI16Max);
    in.text(o, path, "fontName", v.fontName);
    in.single(o, path, "fontSize", v.fontSize);
    in.boolean(o, path, "fontBold", v.fontBold);
    in.boolean(o, path, "fontItalic", v.fontItalic);
    in.boolean(o, path, "showTimeOff", v.showTimeOff);
    in.integer(o, path, "coverageVisible", v.coverageVisible, kI16Min, kI16Max);
    QJsonArray list;
    if (in.array(o, path, "cellRows", ViewFormat::kCellRows, list)) {
        for (int i = 0; i < ViewFormat::kCellRows && in.ok(); ++i) {
            const QString rowPath = child(path, "cellRows") + QStringLiteral("[%1]").arg(i);
            if (!list[i].isObject()) {
                in.fail(rowPath, QStringLiteral("expected an object"));
                break;
            }
            const QJsonObject row = list[i].toObject();
            auto& r = v.cellRows[static_cast<std::size_t>(i)];
            in.integer(row, rowPath, "item", r.item, kI16Min, kI16Max);
            in.boolean(row, rowPath, "screen", r.screen);
            in.boolean(row, rowPath, "report", r.report);
            in.boolean(row, rowPath, "tie", r.tie);
        }
    }
    QJsonObject setup;
    if (in.object(o, path, "reportSetup", setup)) {
        fromJson(in, setup, child(path, "reportSetup"), v.reportSetup);
    }
    if (in.array(o, path, "coverageLines", ViewFormat::kCoverageLines, list)) {
        for (int i = 0; i < ViewFormat::kCoverageLines && in.ok(); ++i) {
            const QString linePath = child(path, "coverageLines") + QStringLiteral("[%1]").arg(i);
            if (!list[i].isObject()) {
                in.fail(linePath, QStringLiteral("expected an object"));
                break;
            }
            fromJson(in, list[i].toObject(), linePath,
                     v.coverageLines[static_cast<std::size_t>(i)]);
        }
    }
}

} // namespace kalmur::RecordJson
