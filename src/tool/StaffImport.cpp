#include "StaffImport.h"

#include "CommandInput.h"
#include "Csv.h"
#include "ToolSession.h"
#include "model/codec/Cp1252.h"
#include "model/schedule/DayRange.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <array>

namespace kalmur::StaffImport {

namespace {

constexpr int kNameLength = 20;
constexpr int kPositionLength = 10;
constexpr std::int64_t kMaxPayRate = 9999900; // 999.99
constexpr qint64 kMaxFileSize = 1 << 20;

enum Column { Row, Name, Position, PayRate, PayType, kColumns };
const std::array<QString, kColumns> kColumnNames{
    QStringLiteral("row"), QStringLiteral("name"), QStringLiteral("position"),
    QStringLiteral("payRate"), QStringLiteral("payType")};

// A character the single-byte text fields can hold, and no control character.
bool storable(QChar c) {
    const char16_t u = c.unicode();
    return u >= 0x20 && !(u >= 0x7F && u <= 0x9F) && (u == '?' || encodeCp1252Char(c) != '?');
}

QString at(int line, const QString& message) {
    return QStringLiteral("line %1: ").arg(line) + message;
}

// A text field: trimmed, checked and cut to `length` with a warning.
QString text(const QString& raw, const QString& what, int length, const Person& p,
             StaffList& staff) {
    QString value = raw.trimmed();
    for (const QChar c : value) {
        if (!storable(c)) {
            staff.error = at(p.line, what + QStringLiteral(" \"") + value +
                                         QStringLiteral("\" holds a character a schedule cannot "
                                                        "store"));
            return {};
        }
    }
    if (value.size() > length) {
        const QString cut = value.left(length).trimmed();
        staff.warnings.append(at(p.line, QStringLiteral("%1 \"%2\" cut to %3 characters: \"%4\"")
                                             .arg(what, value)
                                             .arg(length)
                                             .arg(cut)));
        value = cut;
    }
    return value;
}

// An amount such as 12, 12.5 or 12.50, in Currency units; nothing when it is
// not one.
std::optional<std::int64_t> amount(const QString& value) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,9})(?:\\.(\\d{0,4}))?$"));
    const QRegularExpressionMatch m = pattern.match(value);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const QString fraction = m.captured(2).leftJustified(4, QLatin1Char('0'));
    return m.captured(1).toLongLong() * 10000 + fraction.toLongLong();
}

// The columns of the header, in the file's order; an error names what is wrong.
std::vector<int> header(const Csv::Record& record, StaffList& staff) {
    std::vector<int> columns;
    for (const QString& raw : record.fields) {
        const QString name = raw.trimmed();
        int column = -1;
        for (int c = 0; c < kColumns; ++c) {
            if (name.compare(kColumnNames[std::size_t(c)], Qt::CaseInsensitive) == 0) {
                column = c;
            }
        }
        if (column < 0) {
            staff.error = at(record.line, QStringLiteral("unknown column \"") + name +
                                              QStringLiteral("\" (the columns are row, name, "
                                                             "position, payRate and payType)"));
            return {};
        }
        if (std::find(columns.begin(), columns.end(), column) != columns.end()) {
            staff.error = at(record.line, QStringLiteral("column \"") + name +
                                              QStringLiteral("\" is named twice"));
            return {};
        }
        columns.push_back(column);
    }
    return columns;
}

// One line of people; false with the error set when it is bad.
bool person(const Csv::Record& record, const std::vector<int>& columns, StaffList& staff,
            Person& p) {
    p.line = record.line;
    if (record.fields.size() > qsizetype(columns.size())) {
        staff.error = at(p.line, QStringLiteral("%1 fields where the header has %2")
                                     .arg(record.fields.size())
                                     .arg(columns.size()));
        return false;
    }
    for (std::size_t i = 0; i < std::size_t(record.fields.size()); ++i) {
        const QString value = record.fields[qsizetype(i)].trimmed();
        if (value.isEmpty()) {
            continue;
        }
        switch (columns[i]) {
        case Row: {
            bool isNumber = false;
            p.row = value.toInt(&isNumber);
            if (!isNumber || p.row < 1 || p.row > EmployeeTable::kRows) {
                staff.error = at(p.line, QStringLiteral("row must be a display row 1 to 200, "
                                                        "not ") +
                                             value);
                return false;
            }
            break;
        }
        case Name:
            p.name = text(value, QStringLiteral("name"), kNameLength, p, staff);
            break;
        case Position:
            p.position = text(value, QStringLiteral("position"), kPositionLength, p, staff);
            break;
        case PayRate:
            p.payRate = amount(value);
            if (!p.payRate || *p.payRate > kMaxPayRate) {
                staff.error = at(p.line, QStringLiteral("payRate must be an amount from 0.00 "
                                                        "to 999.99, not ") +
                                             value);
                return false;
            }
            break;
        case PayType:
            if (value.compare(QLatin1String("hour"), Qt::CaseInsensitive) != 0 &&
                value.compare(QLatin1String("day"), Qt::CaseInsensitive) != 0) {
                staff.error =
                    at(p.line, QStringLiteral("payType must be hour or day, not ") + value);
                return false;
            }
            p.payType = value.compare(QLatin1String("day"), Qt::CaseInsensitive) == 0 ? 1 : 0;
            break;
        default:
            break;
        }
        if (!staff.error.isEmpty()) {
            return false;
        }
    }
    if (p.row == 0 && !p.name) {
        staff.error = at(p.line, QStringLiteral("a line without a row needs a name"));
        return false;
    }
    return true;
}

} // namespace

StaffList read(const QString& text) {
    StaffList staff;
    const Csv::Table table = Csv::read(text);
    if (!table.error.isEmpty()) {
        staff.error = at(table.errorLine, table.error);
        return staff;
    }
    if (table.records.empty()) {
        staff.error = at(1, QStringLiteral("no header"));
        return staff;
    }
    const std::vector<int> columns = header(table.records.front(), staff);
    if (!staff.error.isEmpty()) {
        return staff;
    }
    std::array<int, EmployeeTable::kRows + 1> lineOfRow{};
    for (std::size_t i = 1; i < table.records.size(); ++i) {
        const Csv::Record& record = table.records[i];
        if (record.fields.join(QString()).trimmed().isEmpty()) {
            continue; // a blank line, or one of empty cells
        }
        Person p;
        if (!person(record, columns, staff, p)) {
            staff.warnings.clear();
            return staff;
        }
        if (p.row != 0) {
            int& first = lineOfRow[std::size_t(p.row)];
            if (first != 0) {
                staff.error = at(p.line, QStringLiteral("row %1 is given twice (first on line %2)")
                                             .arg(p.row)
                                             .arg(first));
                staff.warnings.clear();
                return staff;
            }
            first = p.line;
        }
        staff.people.push_back(std::move(p));
    }
    return staff;
}

QString apply(Schedule& schedule, const StaffList& staff) {
    EmployeeTable& e = schedule.employees();
    // A row is free for a new name only when nothing of it is in use on any
    // day, so that nobody is handed someone else's shifts.
    std::array<bool, DayRecord::kSlots + 1> slotUsed{};
    const DayRange all(schedule, 1, schedule.dayCount());
    if (!all.forEach([&](int, const DayRecord& day) {
            for (int slot = 1; slot <= DayRecord::kSlots; ++slot) {
                slotUsed[std::size_t(slot)] = slotUsed[std::size_t(slot)] || !day.isEmpty(slot);
            }
        })) {
        return schedule.errorString();
    }
    std::array<bool, EmployeeTable::kRows + 1> taken{};
    for (const Person& p : staff.people) {
        taken[std::size_t(p.row)] = true;
    }
    int next = 1;
    for (const Person& p : staff.people) {
        int row = p.row;
        if (row == 0) {
            while (next <= EmployeeTable::kRows &&
                   (taken[std::size_t(next)] || !e.hasBlankName(next) ||
                    slotUsed[std::size_t(schedule.slotOfRow(next))])) {
                ++next;
            }
            if (next > EmployeeTable::kRows) {
                return at(p.line, QStringLiteral("no empty row is left for ") + *p.name);
            }
            row = next++;
            // A row taken afresh keeps nothing of an earlier name.
            const auto r = std::size_t(row - 1);
            e.positions[r].clear();
            e.payRate[r] = 0;
            e.payType[r] = 0;
        }
        const auto r = std::size_t(row - 1);
        e.names[r] = p.name.value_or(e.names[r]);
        e.positions[r] = p.position.value_or(e.positions[r]);
        e.payRate[r] = p.payRate.value_or(e.payRate[r]);
        e.payType[r] = p.payType.value_or(e.payType[r]);
    }
    schedule.setModified();
    return {};
}

int run(const QString& archive, const QString& staffFile, QTextStream&, QTextStream& err) {
    auto refuse = [&](const QString& message) {
        err << "kalmur-tool: " << message << Qt::endl;
        return CommandInput::kRefused;
    };
    QFile file(staffFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return refuse(QStringLiteral("cannot read ") + staffFile);
    }
    if (file.size() > kMaxFileSize) {
        return refuse(staffFile + QStringLiteral(": too large for a staff list"));
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(file.readAll());
    if (utf8.hasError()) {
        return refuse(staffFile + QStringLiteral(": not UTF-8 text"));
    }
    const StaffList staff = read(text);
    if (!staff.error.isEmpty()) {
        return refuse(staffFile + QStringLiteral(": ") + staff.error);
    }
    ToolSession session;
    if (const QString e = CommandInput::openExisting(session, archive); !e.isEmpty()) {
        return refuse(e);
    }
    if (const QString e = apply(session.schedule(), staff); !e.isEmpty()) {
        return refuse(staffFile + QStringLiteral(": ") + e);
    }
    for (const QString& warning : staff.warnings) {
        err << "kalmur-tool: " << staffFile << ": " << warning << "\n";
    }
    err.flush();
    if (const QString e = session.save(); !e.isEmpty()) {
        return refuse(e);
    }
    return CommandInput::kOk;
}

} // namespace kalmur::StaffImport
