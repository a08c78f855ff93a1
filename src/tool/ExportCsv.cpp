#include "ExportCsv.h"

#include "CommandInput.h"
#include "Csv.h"
#include "ToolSession.h"
#include "model/codec/OleDate.h"
#include "model/schedule/DayRange.h"
#include "view/CellText.h"

namespace kalmur::ExportCsv {

namespace {

const QString kLongHeader = QStringLiteral(
    "date,entry,name,position,shift,shiftAbbreviation,shiftDescription,start,end,paidHours,"
    "onCall,explanation,explanationDescription,note\n");

// What a cell shows on the report, its lines joined into one text.
QString reportText(const CellText& texts, const Cell& cell) {
    const CellContent content = texts.content(cell);
    QStringList lines;
    for (const CellContent::Line& line : content.lines) {
        lines.append(line.text());
    }
    return lines.join(QStringLiteral(" / "));
}

// A cell taken apart: the shift with its abbreviation, description, times and
// paid hours (times only for a shift 1..99 that is paid, as the report shows
// them), the on-call mark, the explanation and the note.
QStringList longFields(const Schedule& s, const Cell& cell) {
    const int shift = cell.shownShift();
    const int explanation = cell.shownExplanation();
    QStringList fields;
    if (shift == 0) {
        fields << QString() << QString() << QString() << QString() << QString() << QString();
    } else {
        const ShiftRecord& r = s.shift(shift);
        const bool user = shift <= ShiftRecord::kUserShifts;
        const bool timed = user && r.paidLength > 0;
        auto time = [&](double t) {
            return timed ? OleDate::toTime(t).toString(QStringLiteral("HH:mm")) : QString();
        };
        fields << QString::number(shift) << r.abbreviation.trimmed() << r.description.trimmed()
               << time(r.startTime) << time(r.endTime)
               << (user ? QString::number(double(r.paidLength), 'f', 2) : QString());
    }
    fields << (cell.onCall != 0 ? QStringLiteral("1") : QStringLiteral("0"));
    if (explanation == 0) {
        fields << QString() << QString();
    } else {
        fields << QString::number(explanation)
               << s.explanations().description(explanation).trimmed();
    }
    fields << s.readNote(cell.shownNote(s.noteCount())).trimmed();
    return fields;
}

bool isEmpty(const Schedule& s, const Cell& cell) {
    return cell.shownShift() == 0 && cell.onCall == 0 && cell.shownExplanation() == 0 &&
           cell.shownNote(s.noteCount()) == 0;
}

bool writeLong(const Schedule& s, const DayRange& range, const std::vector<int>& rows,
               QTextStream& out) {
    out << kLongHeader;
    const EmployeeTable& e = s.employees();
    return range.forEach([&](int day, const DayRecord& record) {
        const QString date = s.dateOfDay(day).toString(Qt::ISODate);
        QString text;
        for (const int row : rows) {
            const Cell cell = record.cell(s.slotOfRow(row));
            if (isEmpty(s, cell)) {
                continue;
            }
            const auto r = static_cast<std::size_t>(row - 1);
            text += Csv::line(QStringList{date, QString::number(row), e.names[r].trimmed(),
                                          e.positions[r].trimmed()} +
                              longFields(s, cell));
        }
        out << text;
    });
}

bool writeGrid(const Schedule& s, const DayRange& range, const std::vector<int>& rows,
               QTextStream& out) {
    std::vector<DayRecord> days;
    days.reserve(static_cast<std::size_t>(range.size()));
    QStringList header{QStringLiteral("name"), QStringLiteral("position")};
    if (!range.forEach([&](int day, const DayRecord& record) {
            days.push_back(record);
            header.append(s.dateOfDay(day).toString(Qt::ISODate));
        })) {
        return false;
    }
    out << Csv::line(header);
    const ViewLayout layout(s.viewFormat(), ViewTarget::Report);
    const CellText texts(s, s.viewFormat(), layout);
    const EmployeeTable& e = s.employees();
    for (const int row : rows) {
        const auto r = static_cast<std::size_t>(row - 1);
        const int slot = s.slotOfRow(row);
        QStringList fields{e.names[r].trimmed(), e.positions[r].trimmed()};
        for (const DayRecord& day : days) {
            fields.append(reportText(texts, day.cell(slot)));
        }
        out << Csv::line(fields);
    }
    return true;
}

} // namespace

int run(const QString& archive, const QMap<QString, QString>& values, QTextStream& out,
        QTextStream& err) {
    const CommandInput::Run request = CommandInput::readRun(values);
    const QString layout = values.value(QStringLiteral("--layout"), QStringLiteral("grid"));
    const bool grid = layout == QLatin1String("grid");
    QString usage = request.usage;
    if (usage.isEmpty() && !grid && layout != QLatin1String("long")) {
        usage = QStringLiteral("--layout takes grid or long");
    }
    if (!usage.isEmpty()) {
        err << "kalmur-tool: " << usage << "\nusage: kalmur-tool " << kUsage << Qt::endl;
        return CommandInput::kUsage;
    }
    auto refuse = [&](const QString& message) {
        err << "kalmur-tool: " << message << Qt::endl;
        return CommandInput::kRefused;
    };
    if (!request.refusal.isEmpty()) {
        return refuse(request.refusal);
    }
    if (request.days < 1) {
        return refuse(QStringLiteral("--days must be a whole number of at least 1, not ") +
                      values.value(QStringLiteral("--days")));
    }
    ToolSession session;
    if (const QString e = CommandInput::openExisting(session, archive); !e.isEmpty()) {
        return refuse(e);
    }
    const Schedule& s = session.schedule();
    const int first = s.dayOfDate(request.start);
    if (first < 1 || request.days > s.dayCount() - first + 1) {
        return refuse(
            QStringLiteral("Date out of schedule file range: the schedule runs from %1 to %2.")
                .arg(s.startDate().toString(Qt::ISODate), s.endDate().toString(Qt::ISODate)));
    }
    const DayRange range(s, first, first + request.days - 1);
    const std::vector<int> rows = CommandInput::namedRows(s.employees(), request.rows);
    if (!(grid ? writeGrid(s, range, rows, out) : writeLong(s, range, rows, out))) {
        out.flush();
        return refuse(QStringLiteral("cannot read the days of ") + session.archivePath());
    }
    out.flush();
    return CommandInput::kOk;
}

} // namespace kalmur::ExportCsv
