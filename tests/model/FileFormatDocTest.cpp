// The published file format against the codecs. Every record table of
// docs/file-format.md must put each field where the codec reads it, give each
// field the size of its type and cover its record without gaps; the member
// table must list the members the archive holds, with their record lengths.
#include "model/records/DayRecord.h"
#include "model/records/EmployeeTable.h"
#include "model/records/ExplanationTable.h"
#include "model/records/NoteRecord.h"
#include "model/records/QueryRecord.h"
#include "model/records/ScheduleSettings.h"
#include "model/records/ShiftRecord.h"
#include "model/records/ViewFormat.h"
#include "model/schedule/Members.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

using namespace kalmur;

namespace {

struct FieldAt {
    const char* record;
    const char* field;
    std::size_t offset;
};

#define KALMUR_AT(Record, field, constant)                                                         \
    { #Record, field, Record::Offset::constant }

// The field names of the document and the codecs' offsets for them.
const FieldAt kFields[] = {
    KALMUR_AT(DayRecord, "shift", kShift),
    KALMUR_AT(DayRecord, "onCall", kOnCall),
    KALMUR_AT(DayRecord, "explanation", kExplanation),
    KALMUR_AT(DayRecord, "reserved", kReserved),
    KALMUR_AT(DayRecord, "note", kNote),
    KALMUR_AT(ShiftRecord, "description", kDescription),
    KALMUR_AT(ShiftRecord, "startTime", kStartTime),
    KALMUR_AT(ShiftRecord, "endTime", kEndTime),
    KALMUR_AT(ShiftRecord, "colour", kColour),
    KALMUR_AT(ShiftRecord, "quickKey", kQuickKey),
    KALMUR_AT(ShiftRecord, "abbreviation", kAbbreviation),
    KALMUR_AT(ShiftRecord, "breakLength", kBreakLength),
    KALMUR_AT(ShiftRecord, "paidLength", kPaidLength),
    KALMUR_AT(EmployeeTable, "names", kNames),
    KALMUR_AT(EmployeeTable, "positions", kPositions),
    KALMUR_AT(EmployeeTable, "layoutMarker", kMarker),
    KALMUR_AT(EmployeeTable, "thresDay", kThresDay),
    KALMUR_AT(EmployeeTable, "dayOtFactor", kDayFactor),
    KALMUR_AT(EmployeeTable, "periodDays", kPeriodDays),
    KALMUR_AT(EmployeeTable, "thresPeriod", kThresPeriod),
    KALMUR_AT(EmployeeTable, "periodOtFactor", kPeriodFactor),
    KALMUR_AT(EmployeeTable, "payRate", kPayRate),
    KALMUR_AT(EmployeeTable, "payType", kPayType),
    KALMUR_AT(ExplanationTable, "descriptions", kDescriptions),
    KALMUR_AT(ExplanationTable, "abbreviations", kAbbreviations),
    KALMUR_AT(ExplanationTable, "quickKeys", kQuickKeys),
    {"NoteRecord", "text", 0},
    KALMUR_AT(ScheduleSettings, "startDate", kStart),
    KALMUR_AT(ScheduleSettings, "endDate", kEnd),
    KALMUR_AT(ScheduleSettings, "password", kPassword),
    KALMUR_AT(ScheduleSettings, "weekStart", kWeekStart),
    KALMUR_AT(ScheduleSettings, "firstShownDay", kFirstShown),
    KALMUR_AT(ScheduleSettings, "rowOrder", kRowOrder),
    KALMUR_AT(ScheduleSettings, "reserved430", kReserved430),
    KALMUR_AT(ScheduleSettings, "reserved432", kReserved432),
    KALMUR_AT(ScheduleSettings, "reserved472", kReserved472),
    KALMUR_AT(ScheduleSettings, "reserved522", kReserved522),
    KALMUR_AT(ScheduleSettings, "costSetup", kCost),
    KALMUR_AT(ScheduleSettings, "calendarSetup", kCalendar),
    KALMUR_AT(ScheduleSettings, "personalSetup", kPersonal),
    KALMUR_AT(ScheduleSettings, "legendSetup", kLegend),
    KALMUR_AT(ScheduleSettings, "querySetup", kQuery),
    KALMUR_AT(ScheduleSettings, "spareSetups", kSpare),
    KALMUR_AT(ScheduleSettings, "pasteOptions", kPaste),
    KALMUR_AT(ScheduleSettings, "reserved2382", kReserved2382),
    KALMUR_AT(ScheduleSettings, "reserved2392", kReserved2392),
    KALMUR_AT(ScheduleSettings, "viewFormatNumber", kViewFormat),
    KALMUR_AT(ReportSetup, "title", kTitle),
    KALMUR_AT(ReportSetup, "printQuality", kPrintQuality),
    KALMUR_AT(ReportSetup, "orientation", kOrientation),
    KALMUR_AT(ReportSetup, "shadingAllowed", kShadingAllowed),
    KALMUR_AT(ReportSetup, "marginsAllowed", kMarginsAllowed),
    KALMUR_AT(ReportSetup, "shadePercent", kShadePercent),
    KALMUR_AT(ReportSetup, "shadeRuler", kShadeRuler),
    KALMUR_AT(ReportSetup, "shadeCoverage", kShadeCoverage),
    KALMUR_AT(ReportSetup, "inColor", kInColor),
    KALMUR_AT(ReportSetup, "margins", kMargins),
    KALMUR_AT(ReportSetup, "centimeters", kCentimeters),
    KALMUR_AT(ReportSetup, "useScreenFont", kUseScreenFont),
    KALMUR_AT(ReportSetup, "fontName", kFontName),
    KALMUR_AT(ReportSetup, "fontSize", kFontSize),
    KALMUR_AT(ReportSetup, "fontBold", kFontBold),
    KALMUR_AT(ReportSetup, "fontItalic", kFontItalic),
    KALMUR_AT(ReportSetup, "options", kOptionsAt),
    KALMUR_AT(ViewFormat, "value0", kValue0),
    KALMUR_AT(ViewFormat, "name", kName),
    KALMUR_AT(ViewFormat, "showCellIcon", kSymbols),
    KALMUR_AT(ViewFormat, "timeFormat", kTimeFormat),
    KALMUR_AT(ViewFormat, "hidePosition", kHidePosition),
    KALMUR_AT(ViewFormat, "layoutValues", kLayoutValues),
    KALMUR_AT(ViewFormat, "useAbbreviations", kAbbreviations),
    KALMUR_AT(ViewFormat, "rulerDay", kRulerDay),
    KALMUR_AT(ViewFormat, "rulerDate", kRulerDate),
    KALMUR_AT(ViewFormat, "daysOnScreen", kDaysOnScreen),
    KALMUR_AT(ViewFormat, "fontName", kFontName),
    KALMUR_AT(ViewFormat, "fontSize", kFontSize),
    KALMUR_AT(ViewFormat, "fontBold", kFontBold),
    KALMUR_AT(ViewFormat, "fontItalic", kFontItalic),
    KALMUR_AT(ViewFormat, "showTimeOff", kShowTimeOff),
    KALMUR_AT(ViewFormat, "coverageVisible", kCoverageVisible),
    KALMUR_AT(ViewFormat, "reportSetup", kReportSetup),
    KALMUR_AT(ViewFormat, "value231", kValue231),
    KALMUR_AT(ViewFormat, "cellRows", kCellRowsAt),
    KALMUR_AT(ViewFormat, "coverageLines", kCoverageAt),
    KALMUR_AT(ViewFormat, "values9105", kValues9105),
    KALMUR_AT(ViewFormat, "text9135", kText9135),
    KALMUR_AT(CellContentRow, "item", kItem),
    KALMUR_AT(CellContentRow, "screen", kScreen),
    KALMUR_AT(CellContentRow, "report", kReport),
    KALMUR_AT(CellContentRow, "tie", kTie),
    KALMUR_AT(CellContentRow, "layout", kLayout),
    KALMUR_AT(CoverageLine, "title", kTitle),
    KALMUR_AT(CoverageLine, "ignoreNames", kIgnoreNames),
    KALMUR_AT(CoverageLine, "ignoreExplanations", kIgnoreExplanations),
    KALMUR_AT(CoverageLine, "ignoreShifts", kIgnoreShifts),
    KALMUR_AT(CoverageLine, "checkByPosition", kByPosition),
    KALMUR_AT(CoverageLine, "position", kPosition),
    KALMUR_AT(CoverageLine, "employeeMarks", kEmployees),
    KALMUR_AT(CoverageLine, "explanationMarks", kExplanations),
    KALMUR_AT(CoverageLine, "shiftMarks", kShifts),
    KALMUR_AT(QueryRecord, "criteria", kCriteria),
    KALMUR_AT(QueryRecord, "noteText", kNoteText),
    KALMUR_AT(QueryRecord, "value500", kValue500),
};

#undef KALMUR_AT

const std::map<QString, std::size_t> kRecordSizes = {
    {"DayRecord", DayRecord::fileSize},           {"ShiftRecord", ShiftRecord::fileSize},
    {"EmployeeTable", EmployeeTable::fileSize},   {"ExplanationTable", ExplanationTable::fileSize},
    {"NoteRecord", NoteRecord::fileSize},         {"ScheduleSettings", ScheduleSettings::fileSize},
    {"ReportSetup", ReportSetup::fileSize},       {"ViewFormat", ViewFormat::fileSize},
    {"CellContentRow", CellContentRow::fileSize}, {"CoverageLine", CoverageLine::fileSize},
    {"QueryRecord", QueryRecord::fileSize},
};

struct DocRow {
    std::size_t offset = 0;
    std::size_t size = 0;
    QString type;
    QString field;
    int line = 0;
};

struct DocRecord {
    std::size_t size = 0;
    std::vector<DocRow> rows;
};

struct DocMember {
    QString name;
    QString record;
    std::int64_t recordLength = 0;
    std::int64_t maxRecords = 0;
};

struct Doc {
    std::map<QString, DocRecord> records;
    std::vector<DocMember> members;
};

Doc parse(const QString& text) {
    static const QRegularExpression heading(QStringLiteral("^### `(\\w+)` \u2014 (\\d+) bytes$"));
    static const QRegularExpression row(
        QStringLiteral("^\\| (\\d+) \\| (\\d+) \\| ([^|]+?) \\| `(\\w+)` \\|"));
    static const QRegularExpression member(
        QStringLiteral("^\\| `(KALMUR2\\.\\w+)` \\| `(\\w+)` \\| (\\d+) \\| (\\d+) \\|"));
    Doc doc;
    DocRecord* current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (const auto m = heading.match(line); m.hasMatch()) {
            current = &doc.records[m.captured(1)];
            current->size = m.captured(2).toULongLong();
        } else if (line.startsWith(QLatin1Char('#'))) {
            current = nullptr;
        } else if (const auto r = row.match(line); r.hasMatch() && current) {
            current->rows.push_back({r.captured(1).toULongLong(), r.captured(2).toULongLong(),
                                     r.captured(3), r.captured(4), i + 1});
        } else if (const auto n = member.match(line); n.hasMatch()) {
            doc.members.push_back({n.captured(1), n.captured(2), n.captured(3).toLongLong(),
                                   n.captured(4).toLongLong()});
        }
    }
    return doc;
}

// The bytes a type of the document's notation takes; 0 for an unknown type.
std::size_t typeSize(const QString& type) {
    static const QRegularExpression array(QStringLiteral("^(.+) \u00D7 (\\d+)$"));
    static const QRegularExpression sized(QStringLiteral("^(char|byte)\\[(\\d+)\\]$"));
    static const std::map<QString, std::size_t> scalars = {
        {"u8", 1}, {"i16", 2}, {"bool", 2}, {"f32", 4}, {"date", 8}, {"time", 8}, {"currency", 8}};
    if (const auto m = array.match(type); m.hasMatch()) {
        return typeSize(m.captured(1)) * m.captured(2).toULongLong();
    }
    if (const auto m = sized.match(type); m.hasMatch()) {
        return m.captured(2).toULongLong();
    }
    if (const auto s = scalars.find(type); s != scalars.end()) {
        return s->second;
    }
    const auto r = kRecordSizes.find(type);
    return r != kRecordSizes.end() ? r->second : 0;
}

TEST(FileFormatDoc, AgreesWithTheCodecs) {
    QFile file(QStringLiteral(KALMUR_FILE_FORMAT_DOC));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << KALMUR_FILE_FORMAT_DOC;
    const Doc doc = parse(QString::fromUtf8(file.readAll()));

    std::map<std::pair<QString, QString>, std::size_t> expected;
    for (const FieldAt& f : kFields) {
        expected[{QString::fromLatin1(f.record), QString::fromLatin1(f.field)}] = f.offset;
    }
    std::set<std::pair<QString, QString>> documented;
    for (const auto& [name, fileSize] : kRecordSizes) {
        const auto found = doc.records.find(name);
        ASSERT_NE(found, doc.records.end()) << "no table for " << name.toStdString();
        const DocRecord& record = found->second;
        EXPECT_EQ(record.size, fileSize) << name.toStdString();
        std::size_t next = 0;
        for (const DocRow& row : record.rows) {
            const std::string where = name.toStdString() + "." + row.field.toStdString() +
                                      " (line " + std::to_string(row.line) + ")";
            EXPECT_EQ(row.offset, next) << where << ": a gap or an overlap before it";
            EXPECT_EQ(row.size, typeSize(row.type)) << where << ": " << row.type.toStdString();
            const auto at = expected.find({name, row.field});
            if (at == expected.end()) {
                ADD_FAILURE() << where << ": no codec offset for this field";
            } else {
                EXPECT_EQ(row.offset, at->second) << where;
            }
            documented.insert({name, row.field});
            next = row.offset + row.size;
        }
        EXPECT_EQ(next, fileSize) << name.toStdString() << ": the fields do not fill the record";
    }
    for (const auto& [key, offset] : expected) {
        EXPECT_TRUE(documented.count(key))
            << key.first.toStdString() << "." << key.second.toStdString() << " is not documented";
    }

    ASSERT_EQ(doc.members.size(), kMembers.size());
    for (std::size_t i = 0; i < kMembers.size(); ++i) {
        const MemberInfo& info = kMembers[i];
        const DocMember& m = doc.members[i];
        const auto name = QLatin1String(info.fileName.data(), qsizetype(info.fileName.size()));
        EXPECT_EQ(m.name, name);
        EXPECT_EQ(m.recordLength, info.recordLength) << m.name.toStdString();
        EXPECT_EQ(m.maxRecords, info.maxRecords) << m.name.toStdString();
        EXPECT_EQ(typeSize(m.record), static_cast<std::size_t>(info.recordLength))
            << m.name.toStdString() << " holds " << m.record.toStdString();
    }
}

} // namespace
