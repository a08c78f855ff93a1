#include "ScheduleJson.h"

#include "JsonIn.h"
#include "RecordJson.h"
#include "model/codec/OleDate.h"
#include "model/schedule/Members.h"
#include "model/schedule/Schedule.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace kalmur::ScheduleJson {

namespace {

using RecordJson::rounded;
using RecordJson::toJson;

constexpr std::int64_t kI16Min = INT16_MIN;
constexpr std::int64_t kI16Max = INT16_MAX;

QString isoDate(QDate date) {
    return date.toString(Qt::ISODate);
}

QJsonObject overtimeJson(const EmployeeTable& e) {
    return QJsonObject{
        {"layoutMarker", e.layoutMarker},        {"thresDay", rounded(e.thresDay)},
        {"dayOtFactor", rounded(e.dayOtFactor)}, {"periodDays", e.periodDays},
        {"thresPeriod", rounded(e.thresPeriod)}, {"periodOtFactor", rounded(e.periodOtFactor)},
    };
}

// Day d as its "days" entry; an empty object when it holds no non-empty cell.
QJsonObject dayJson(const Schedule& s, int d) {
    const auto day = s.readDay(d);
    if (!day) {
        return {};
    }
    QJsonArray cells;
    for (int slot = 1; slot <= DayRecord::kSlots; ++slot) {
        const auto i = static_cast<std::size_t>(slot - 1);
        if (day->shift[i] == 0 && day->onCall[i] == 0 && day->explanation[i] == 0 &&
            day->reserved[i] == 0 && day->note[i] == 0) {
            continue;
        }
        cells.append(QJsonObject{{"slot", slot},
                                 {"shift", day->shift[i]},
                                 {"onCall", day->onCall[i]},
                                 {"explanation", day->explanation[i]},
                                 {"reserved", day->reserved[i]},
                                 {"note", day->note[i]}});
    }
    if (cells.isEmpty()) {
        return {};
    }
    return QJsonObject{{"day", d}, {"date", isoDate(s.dateOfDay(d))}, {"cells", cells}};
}

QJsonArray daysJson(const Schedule& s) {
    QJsonArray days;
    for (int d = 1; d <= s.dayCount(); ++d) {
        if (QJsonObject day = dayJson(s, d); !day.isEmpty()) {
            days.append(day);
        }
    }
    return days;
}

// Everything but the days.
QJsonObject dumpTables(const Schedule& s) {
    const ScheduleSettings& set = s.settings();
    QJsonObject o;
    o.insert("start", isoDate(s.startDate()));
    o.insert("end", isoDate(s.endDate()));
    o.insert("password", set.password);
    o.insert("weekStart", set.weekStart);
    o.insert("firstShownDay", s.isOpen() ? s.firstShownDay() : set.firstShownDay);
    o.insert("viewFormat", s.viewFormatNumber());
    o.insert("rowOrder", RecordJson::jsonArray(set.rowOrder));
    o.insert("pasteOptions", RecordJson::jsonArray(set.pasteOptions));

    const EmployeeTable& e = s.employees();
    o.insert("overtime", overtimeJson(e));
    QJsonArray rows;
    for (int r = 0; r < EmployeeTable::kRows; ++r) {
        const auto i = static_cast<std::size_t>(r);
        rows.append(QJsonObject{{"row", r + 1},
                                {"name", e.names[i]},
                                {"position", e.positions[i]},
                                {"payRate", rounded(static_cast<double>(e.payRate[i]) / 10000.0)},
                                {"payType", e.payType[i]}});
    }
    o.insert("rows", rows);

    QJsonArray shifts;
    for (int n = 1; n <= ShiftRecord::kCount; ++n) {
        shifts.append(toJson(s.shift(n), n));
    }
    o.insert("shifts", shifts);

    QJsonArray explanations;
    const ExplanationTable& x = s.explanations();
    for (int n = 1; n <= ExplanationTable::kCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        explanations.append(QJsonObject{{"number", n},
                                        {"description", x.descriptions[i]},
                                        {"abbreviation", x.abbreviations[i]},
                                        {"quickKey", x.quickKeys[i]}});
    }
    o.insert("explanations", explanations);

    QJsonArray formats;
    for (int n = 1; n <= ViewFormat::kCount; ++n) {
        formats.append(toJson(s.readViewFormat(n).value_or(ViewFormat{}), n));
    }
    o.insert("viewFormats", formats);

    QJsonArray queries;
    for (int n = 1; n <= QueryRecord::kCount; ++n) {
        queries.append(toJson(s.readQuery(n).value_or(QueryRecord{}), n));
    }
    o.insert("queries", queries);

    o.insert("reportSetups", QJsonObject{{"cost", toJson(set.costSetup)},
                                         {"calendar", toJson(set.calendarSetup)},
                                         {"personal", toJson(set.personalSetup)},
                                         {"legend", toJson(set.legendSetup)},
                                         {"query", toJson(set.querySetup)}});

    QJsonArray notes;
    for (int n = 1; n <= s.noteCount(); ++n) {
        notes.append(s.readNote(n));
    }
    o.insert("notes", notes);
    return o;
}

} // namespace

QJsonObject dump(const Schedule& s) {
    QJsonObject o = dumpTables(s);
    o.insert("days", daysJson(s));
    return o;
}

void writeCompact(const Schedule& s, const std::function<void(const QByteArray&)>& write) {
    // The tables are written around an empty "days" array, which is then
    // filled day by day. Strings escape their quotes and no nested object has
    // a "days" key, so the first match is the top-level key.
    QJsonObject o = dumpTables(s);
    o.insert("days", QJsonArray());
    const QByteArray frame = QJsonDocument(o).toJson(QJsonDocument::Compact);
    const QByteArray marker = QByteArrayLiteral("\"days\":[]");
    const qsizetype at = frame.indexOf(marker);
    if (at < 0) {
        write(QJsonDocument(dump(s)).toJson(QJsonDocument::Compact));
        return;
    }
    const qsizetype open = at + marker.size() - 1; // just after the '['
    write(frame.left(open));
    bool first = true;
    for (int d = 1; d <= s.dayCount(); ++d) {
        const QJsonObject day = dayJson(s, d);
        if (day.isEmpty()) {
            continue;
        }
        if (!first) {
            write(QByteArrayLiteral(","));
        }
        first = false;
        write(QJsonDocument(day).toJson(QJsonDocument::Compact));
    }
    write(frame.mid(open));
}

namespace {

bool readDate(JsonIn& in, const QJsonObject& o, const char* key, QDate& date) {
    QString text;
    in.text(o, QString(), key, text);
    if (!in.ok() || !o.contains(QLatin1String(key))) {
        return false;
    }
    date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid() || text.size() != 10) {
        in.fail(QLatin1String(key),
                QStringLiteral("The date entered %1 is not a valid date.").arg(text));
        return false;
    }
    return true;
}

void applyRange(Schedule& s, JsonIn& in, const QJsonObject& o) {
    QDate start = s.startDate();
    QDate end = s.endDate();
    readDate(in, o, "start", start);
    readDate(in, o, "end", end);
    if (!in.ok() || (start == s.startDate() && end == s.endDate())) {
        return;
    }
    const auto days = start.daysTo(end) + 1;
    if (days < 42) {
        in.fail(QStringLiteral("start"), QStringLiteral("File must contain at least 42 days."));
    } else if (days > kMaxDays) {
        in.fail(QStringLiteral("start"),
                QStringLiteral("File must contain at most %1 days.").arg(kMaxDays));
    } else if (!s.changeDateRange(start, end)) {
        in.fail(QStringLiteral("start"), s.errorString());
    }
}

void applyNotes(Schedule& s, JsonIn& in, const QJsonObject& o) {
    QJsonArray list;
    if (!in.array(o, QString(), "notes", -1, list)) {
        return;
    }
    QStringList notes;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!list[i].isString()) {
            in.fail(QStringLiteral("notes[%1]").arg(i), QStringLiteral("expected a text"));
            return;
        }
        notes.append(list[i].toString());
    }
    if (notes.size() > kMaxNotes) {
        in.fail(QStringLiteral("notes"), QStringLiteral("at most %1 notes").arg(kMaxNotes));
    } else if (!s.replaceNotes(notes)) {
        in.fail(QStringLiteral("notes"), s.errorString());
    }
}

void applyEmployees(Schedule& s, JsonIn& in, const QJsonObject& o) {
    EmployeeTable& e = s.employees();
    QJsonObject ot;
    if (in.object(o, QString(), "overtime", ot)) {
        const QString p = QStringLiteral("overtime");
        in.integer(ot, p, "layoutMarker", e.layoutMarker, kI16Min, kI16Max);
        in.single(ot, p, "thresDay", e.thresDay);
        in.single(ot, p, "dayOtFactor", e.dayOtFactor);
        in.integer(ot, p, "periodDays", e.periodDays, kI16Min, kI16Max);
        in.single(ot, p, "thresPeriod", e.thresPeriod);
        in.single(ot, p, "periodOtFactor", e.periodOtFactor);
    }
    in.entries(o, QString(), "rows", "row", 1, EmployeeTable::kRows,
               [&](const QJsonObject& row, const QString& p, int r) {
                   const auto i = static_cast<std::size_t>(r - 1);
                   in.text(row, p, "name", e.names[i]);
                   in.text(row, p, "position", e.positions[i]);
                   in.currency(row, p, "payRate", e.payRate[i]);
                   in.integer(row, p, "payType", e.payType[i], kI16Min, kI16Max);
               });
    s.setModified();
}

void applyTables(Schedule& s, JsonIn& in, const QJsonObject& o) {
    bool shiftsChanged = false;
    in.entries(o, QString(), "shifts", "number", 1, ShiftRecord::kCount,
               [&](const QJsonObject& item, const QString& p, int n) {
                   RecordJson::fromJson(in, item, p, s.shifts()[static_cast<std::size_t>(n - 1)]);
                   shiftsChanged = true;
               });
    if (shiftsChanged && in.ok() && !s.writeShifts()) {
        in.fail(QStringLiteral("shifts"), s.errorString());
    }
    bool explanationsChanged = false;
    ExplanationTable& x = s.explanations();
    in.entries(o, QString(), "explanations", "number", 1, ExplanationTable::kCount,
               [&](const QJsonObject& item, const QString& p, int n) {
                   const auto i = static_cast<std::size_t>(n - 1);
                   in.text(item, p, "description", x.descriptions[i]);
                   in.text(item, p, "abbreviation", x.abbreviations[i]);
                   in.integer(item, p, "quickKey", x.quickKeys[i], 0, 255);
                   explanationsChanged = true;
               });
    if (explanationsChanged && in.ok() && !s.writeExplanations()) {
        in.fail(QStringLiteral("explanations"), s.errorString());
    }
}

void applyFormatsAndQueries(Schedule& s, JsonIn& in, const QJsonObject& o) {
    bool formatsChanged = false;
    in.entries(o, QString(), "viewFormats", "number", 1, ViewFormat::kCount,
               [&](const QJsonObject& item, const QString& p, int n) {
                   ViewFormat v = s.readViewFormat(n).value_or(ViewFormat{});
                   RecordJson::fromJson(in, item, p, v);
                   if (in.ok() && !s.writeViewFormat(n, v)) {
                       in.fail(p, s.errorString());
                   }
                   formatsChanged = true;
               });
    int current = s.viewFormatNumber();
    in.integer(o, QString(), "viewFormat", current, 1, ViewFormat::kCount);
    if (in.ok() && (formatsChanged || current != s.viewFormatNumber()) &&
        !s.selectViewFormat(current)) {
        in.fail(QStringLiteral("viewFormat"), s.errorString());
    }
    in.entries(o, QString(), "queries", "number", 1, QueryRecord::kCount,
               [&](const QJsonObject& item, const QString& p, int n) {
                   QueryRecord q = s.readQuery(n).value_or(QueryRecord{});
                   RecordJson::fromJson(in, item, p, q);
                   if (in.ok() && !s.writeQuery(n, q)) {
                       in.fail(p, s.errorString());
                   }
               });
}

void applySettings(Schedule& s, JsonIn& in, const QJsonObject& o) {
    ScheduleSettings& set = s.settings();
    in.text(o, QString(), "password", set.password);
    set.password = set.password.toUpper();
    in.integer(o, QString(), "weekStart", set.weekStart, 1, 7);
    in.booleans(o, QString(), "pasteOptions", set.pasteOptions);
    auto order = set.rowOrder;
    in.integers(o, QString(), "rowOrder", order, 1, ScheduleSettings::kRows);
    std::array<bool, ScheduleSettings::kRows + 1> used{};
    for (std::size_t r = 0; r < order.size() && in.ok(); ++r) {
        if (std::exchange(used[static_cast<std::size_t>(order[r])], true)) {
            in.fail(QStringLiteral("rowOrder[%1]").arg(r),
                    QStringLiteral("slot %1 is shown on two rows").arg(order[r]));
        }
    }
    if (in.ok()) {
        set.rowOrder = order;
    }
    QJsonObject setups;
    if (in.object(o, QString(), "reportSetups", setups)) {
        const std::array<std::pair<const char*, ReportSetup*>, 5> targets = {
            {{"cost", &set.costSetup},
             {"calendar", &set.calendarSetup},
             {"personal", &set.personalSetup},
             {"legend", &set.legendSetup},
             {"query", &set.querySetup}}};
        for (const auto& [key, setup] : targets) {
            QJsonObject one;
            if (in.object(setups, QStringLiteral("reportSetups"), key, one)) {
                RecordJson::fromJson(in, one, QStringLiteral("reportSetups.") + QLatin1String(key),
                                     *setup);
            }
        }
    }
    s.setModified();
}

void applyDays(Schedule& s, JsonIn& in, const QJsonObject& o) {
    QJsonArray list;
    if (!in.array(o, QString(), "days", -1, list)) {
        return;
    }
    for (qsizetype i = 0; i < list.size() && in.ok(); ++i) {
        const QString p = QStringLiteral("days[%1]").arg(i);
        if (!list[i].isObject()) {
            in.fail(p, QStringLiteral("expected an object"));
            return;
        }
        const QJsonObject item = list[i].toObject();
        int day = 0;
        if (item.contains(QLatin1String("day"))) {
            in.integer(item, p, "day", day, 1, s.dayCount());
        } else {
            QDate date;
            if (readDate(in, item, "date", date)) {
                day = s.dayOfDate(date);
                if (day < 1 || day > s.dayCount()) {
                    in.fail(p + QStringLiteral(".date"),
                            QStringLiteral("Date out of schedule file range."));
                }
            } else if (in.ok()) {
                in.fail(p, QStringLiteral("\"day\" is missing"));
            }
        }
        if (!in.ok()) {
            return;
        }
        DayRecord record = s.readDay(day).value_or(DayRecord{});
        in.entries(item, p, "cells", "slot", 1, DayRecord::kSlots,
                   [&](const QJsonObject& c, const QString& cp, int slot) {
                       const auto k = static_cast<std::size_t>(slot - 1);
                       in.integer(c, cp, "shift", record.shift[k], 0, 255);
                       in.integer(c, cp, "onCall", record.onCall[k], 0, 255);
                       in.integer(c, cp, "explanation", record.explanation[k], 0, 255);
                       in.integer(c, cp, "reserved", record.reserved[k], 0, 255);
                       in.integer(c, cp, "note", record.note[k], kI16Min, kI16Max);
                   });
        if (in.ok() && !s.writeDay(day, record)) {
            in.fail(p, s.errorString());
        }
    }
}

} // namespace

QString apply(Schedule& s, const QJsonObject& o) {
    JsonIn in;
    applyRange(s, in, o);
    applyNotes(s, in, o);
    applyEmployees(s, in, o);
    applyTables(s, in, o);
    applyFormatsAndQueries(s, in, o);
    applySettings(s, in, o);
    applyDays(s, in, o);
    int first = s.firstShownDay();
    in.integer(o, QString(), "firstShownDay", first, 0, kMaxDays);
    if (in.ok() && o.contains(QLatin1String("firstShownDay")) && !s.loadWindow(first)) {
        in.fail(QStringLiteral("firstShownDay"), s.errorString());
    }
    return in.error();
}

} // namespace kalmur::ScheduleJson
