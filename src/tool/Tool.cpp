#include "Tool.h"

#include "CostCsv.h"
#include "CoverageCsv.h"
#include "ExportCsv.h"
#include "IcsCommand.h"
#include "PrintCommand.h"
#include "QueryCsv.h"
#include "ScheduleJson.h"
#include "StaffImport.h"
#include "ToolSession.h"
#include "files/conversion/OldScheduleConversion.h"
#include "model/criteria/QueryRun.h"
#include "model/schedule/Members.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMap>
#include <QTemporaryDir>

namespace kalmur {

namespace {

constexpr int kOk = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;

struct Command {
    const char* name;
    const char* usage;
    const char* summary;
    int positional;
    QStringList valueOptions;
    QStringList flags;
};

const QList<Command>& commands() {
    static const QList<Command> list = {
        {"new",
         "new FILE.kmr [--start YYYY-MM-DD --end YYYY-MM-DD] [--force]",
         "Create a new schedule with every default of a new file (dates default to 1 January of "
         "this year to 31 December of the next). --force replaces an existing FILE.",
         1,
         {"--start", "--end"},
         {"--force"}},
        {"dump",
         "dump FILE.kmr",
         "Write the whole schedule as one JSON object to standard output.",
         1,
         {},
         {}},
        {"import",
         "import FILE.kmr DATA.json",
         "Apply a JSON object of the dump's form (any subset of its keys; DATA.json may be - for "
         "standard input) and save. A FILE that does not exist is created.",
         2,
         {},
         {}},
        {"set-dates",
         "set-dates FILE.kmr --start YYYY-MM-DD --end YYYY-MM-DD",
         "Change the schedule's date range (days outside it are dropped, new days are blank) and "
         "save.",
         1,
         {"--start", "--end"},
         {}},
        {"info", "info FILE.kmr", "Print a short summary of the schedule.", 1, {}, {}},
        {"convert",
         "convert DIR/NAME.SCH [--force]",
         "Convert a schedule of the previous format (the files NAME.SCH, .SPR, .SSH, .SEM, .SNO "
         "and .SEP in DIR) into the schedule file DIR/NAME.KMR. An existing DIR/NAME.KMR that "
         "holds a schedule is replaced only with --force.",
         1,
         {},
         {"--force"}},
        {"coverage",
         "coverage FILE.kmr --start YYYY-MM-DD --days N [--format K]",
         "Print, as CSV, the coverage totals the grid would show for N days from the start date: "
         "a header 'line,title,' and the dates, then one row per visible coverage line of view "
         "format K (1 to 5; default the current one) with its number, title and the count of "
         "each day.",
         1,
         {"--start", "--days", "--format"},
         {}},
        {"export-ics",
         IcsCommand::kUsage,
         IcsCommand::kSummary,
         1,
         {"--start", "--days", "--rows", "--out"},
         {}},
        {"print",
         PrintCommand::kUsage,
         PrintCommand::kSummary,
         1,
         {"--report", "--pdf", "--start", "--days", "--month", "--rows", "--format", "--paper",
          "--end", "--query"},
         {"--screen", "--blank", "--notes", "--names-only"}},
        {"query",
         "query FILE.kmr (--notes | --query N) --start YYYY-MM-DD --end YYYY-MM-DD",
         "Run the built-in notes query or saved query N (1 to 10) over the days from the start "
         "to the end date and print, as CSV, the header 'entry,name,days' and one row per "
         "employee found with its number of matching days. A start before the schedule's first "
         "day or an end after its last day is pulled in.",
         1,
         {"--query", "--start", "--end"},
         {"--notes"}},
        {"cost", CostCsv::kUsage, CostCsv::kSummary, 1, {"--start", "--days", "--rows"}, {}},
        {"export-csv",
         ExportCsv::kUsage,
         ExportCsv::kSummary,
         1,
         {"--start", "--days", "--rows", "--layout"},
         {}},
        {"import-staff", StaffImport::kUsage, StaffImport::kSummary, 2, {}, {}},
    };
    return list;
}

QString overallUsage() {
    QString text = QStringLiteral("usage: kalmur-tool COMMAND [ARGS]\n\nCommands:\n");
    for (const Command& c : commands()) {
        text += QStringLiteral("  ") + QLatin1String(c.usage) + QLatin1Char('\n');
    }
    text += QStringLiteral("\nRun 'kalmur-tool COMMAND --help' for one command.\n");
    return text;
}

QString commandUsage(const Command& c) {
    return QStringLiteral("usage: kalmur-tool ") + QLatin1String(c.usage) + QStringLiteral("\n\n") +
           QLatin1String(c.summary) + QLatin1Char('\n');
}

struct Arguments {
    QStringList positional;
    QMap<QString, QString> values;
    QStringList flags;
    bool help = false;
    QString error;
};

Arguments parse(const Command& c, const QStringList& args) {
    Arguments a;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            a.help = true;
        } else if (c.valueOptions.contains(arg)) {
            if (i + 1 >= args.size()) {
                a.error = arg + QStringLiteral(" needs a value");
                return a;
            }
            a.values.insert(arg, args[++i]);
        } else if (c.flags.contains(arg)) {
            a.flags.append(arg);
        } else if (arg.startsWith(QLatin1String("--")) && arg.size() > 2) {
            a.error = QStringLiteral("unknown option ") + arg;
            return a;
        } else {
            a.positional.append(arg);
        }
    }
    if (!a.help && a.positional.size() != c.positional) {
        a.error = QStringLiteral("wrong number of arguments");
    }
    return a;
}

// A date given on the command line; an invalid one is refused with the
// program's own message.
bool readDate(const QString& text, QDate& date, QString& error) {
    date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid() || text.size() != 10) {
        error =
            QStringLiteral("The date entered ") + text + QStringLiteral(" is not a valid date.");
        return false;
    }
    return true;
}

QString checkRange(QDate start, QDate end);

// The --start and --end of a command, both given or (when optional) neither.
QString readRange(const Arguments& a, QDate& start, QDate& end) {
    const bool hasStart = a.values.contains(QStringLiteral("--start"));
    if (hasStart != a.values.contains(QStringLiteral("--end"))) {
        return QStringLiteral("give both --start and --end");
    }
    if (!hasStart) {
        return {};
    }
    QString error;
    if (!readDate(a.values.value(QStringLiteral("--start")), start, error) ||
        !readDate(a.values.value(QStringLiteral("--end")), end, error)) {
        return error;
    }
    return checkRange(start, end);
}

QString checkRange(QDate start, QDate end) {
    const auto days = start.daysTo(end) + 1;
    if (days < 42) {
        return QStringLiteral("File must contain at least 42 days.");
    }
    if (days > kMaxDays) {
        return QStringLiteral("File must contain at most %1 days.").arg(kMaxDays);
    }
    return {};
}

QString checkExtension(const QString& path) {
    if (QFileInfo(path).suffix().compare(QLatin1String("kmr"), Qt::CaseInsensitive) != 0) {
        return QStringLiteral(
            "The file selected is not a valid schedule file.  Extension must be .kmr");
    }
    return {};
}

QString mustExist(const QString& path) {
    if (QString e = checkExtension(path); !e.isEmpty()) {
        return e;
    }
    if (!QFileInfo(path).isFile()) {
        return path + QStringLiteral(": no such schedule file");
    }
    return {};
}

class Runner {
public:
    Runner(QTextStream& out, QTextStream& err)
        : m_out(out)
        , m_err(err) {}

    int refuse(const QString& message) {
        m_err << "kalmur-tool: " << message << Qt::endl;
        return kRefused;
    }

    int runNew(const Arguments& a) {
        const QString path = a.positional[0];
        if (QString e = checkExtension(path); !e.isEmpty()) {
            return refuse(e);
        }
        QDate start;
        QDate end;
        if (QString e = readRange(a, start, end); !e.isEmpty()) {
            return refuse(e);
        }
        if (QFileInfo::exists(path) && !a.flags.contains(QStringLiteral("--force"))) {
            return refuse(path + QStringLiteral(" already exists (use --force to replace it)"));
        }
        ToolSession session;
        if (QString e = session.create(path, start, end); !e.isEmpty()) {
            return refuse(e);
        }
        if (QString e = session.save(); !e.isEmpty()) {
            return refuse(e);
        }
        return kOk;
    }

    int runDump(const Arguments& a) {
        ToolSession session;
        if (QString e = openExisting(session, a.positional[0]); !e.isEmpty()) {
            return refuse(e);
        }
        ScheduleJson::writeCompact(session.schedule(),
                                   [this](const QByteArray& piece) { m_out << piece; });
        m_out << Qt::endl;
        return kOk;
    }

    int runImport(const Arguments& a) {
        const QString path = a.positional[0];
        if (QString e = checkExtension(path); !e.isEmpty()) {
            return refuse(e);
        }
        QJsonObject data;
        if (QString e = readJson(a.positional[1], data); !e.isEmpty()) {
            return refuse(e);
        }
        ToolSession session;
        if (QString e = session.open(path); !e.isEmpty()) {
            return refuse(e);
        }
        if (QString e = ScheduleJson::apply(session.schedule(), data); !e.isEmpty()) {
            return refuse(e);
        }
        if (QString e = session.save(); !e.isEmpty()) {
            return refuse(e);
        }
        return kOk;
    }

    int runSetDates(const Arguments& a) {
        if (!a.values.contains(QStringLiteral("--start")) ||
            !a.values.contains(QStringLiteral("--end"))) {
            m_err << "kalmur-tool: set-dates needs --start and --end" << Qt::endl;
            return kUsage;
        }
        QDate start;
        QDate end;
        if (QString e = readRange(a, start, end); !e.isEmpty()) {
            return refuse(e);
        }
        ToolSession session;
        if (QString e = openExisting(session, a.positional[0]); !e.isEmpty()) {
            return refuse(e);
        }
        Schedule& s = session.schedule();
        if ((start != s.startDate() || end != s.endDate()) && !s.changeDateRange(start, end)) {
            return refuse(QStringLiteral("Kalmur cannot save ") + session.archivePath());
        }
        if (QString e = session.save(); !e.isEmpty()) {
            return refuse(e);
        }
        return kOk;
    }

    int runInfo(const Arguments& a) {
        ToolSession session;
        if (QString e = openExisting(session, a.positional[0]); !e.isEmpty()) {
            return refuse(e);
        }
        printInfo(session);
        return kOk;
    }

    int runConvert(const Arguments& a) {
        const QString path = QFileInfo(a.positional[0]).absoluteFilePath();
        if (QFileInfo(path).suffix().compare(QLatin1String("sch"), Qt::CaseInsensitive) != 0) {
            return refuse(path + QStringLiteral(" is not an old schedule file (extension .SCH)"));
        }
        // The new set is built in a private working directory of its own.
        const QTemporaryDir working(QDir::tempPath() + QStringLiteral("/kalmur-tool-XXXXXX"));
        if (!working.isValid()) {
            return refuse(QStringLiteral("cannot create a working directory in ") +
                          QDir::tempPath());
        }
        OldScheduleConversion conversion(working.path(), path);
        const auto verdict = conversion.check(a.flags.contains(QStringLiteral("--force")));
        if (verdict != OldScheduleConversion::Verdict::Ready) {
            return refuse(conversion.message(verdict));
        }
        if (!conversion.run()) {
            return refuse(conversion.message(OldScheduleConversion::Verdict::CannotCreate));
        }
        return kOk;
    }

    int runCoverage(const Arguments& a) {
        if (!a.values.contains(QStringLiteral("--start")) ||
            !a.values.contains(QStringLiteral("--days"))) {
            m_err << "kalmur-tool: coverage needs --start and --days" << Qt::endl;
            return kUsage;
        }
        QDate start;
        if (QString e; !readDate(a.values.value(QStringLiteral("--start")), start, e)) {
            return refuse(e);
        }
        bool isNumber = false;
        const QString daysText = a.values.value(QStringLiteral("--days"));
        const int days = daysText.toInt(&isNumber);
        if (!isNumber || days < 1) {
            return refuse(QStringLiteral("--days must be a whole number of at least 1, not ") +
                          daysText);
        }
        int format = 0;
        if (a.values.contains(QStringLiteral("--format"))) {
            format = a.values.value(QStringLiteral("--format")).toInt(&isNumber);
            if (!isNumber || format < 1 || format > ViewFormat::kCount) {
                return refuse(QStringLiteral("--format must be a view format number 1 to 5"));
            }
        }
        ToolSession session;
        if (QString e = openExisting(session, a.positional[0]); !e.isEmpty()) {
            return refuse(e);
        }
        const Schedule& s = session.schedule();
        const int first = s.dayOfDate(start);
        if (first < 1 || days > s.dayCount() - first + 1) {
            return refuse(
                QStringLiteral("Date out of schedule file range: the schedule runs from "
                               "%1 to %2.")
                    .arg(s.startDate().toString(Qt::ISODate), s.endDate().toString(Qt::ISODate)));
        }
        std::optional<ViewFormat> chosen = s.viewFormat();
        if (format != 0 && format != s.viewFormatNumber()) {
            chosen = s.readViewFormat(format);
        }
        if (!chosen) {
            return refuse(QStringLiteral("cannot read view format %1").arg(format));
        }
        if (!chosen->isUsed()) {
            return refuse(QStringLiteral("view format %1 is not used").arg(format));
        }
        if (!CoverageCsv::write(s, *chosen, first, first + days - 1, m_out)) {
            return refuse(QStringLiteral("cannot read the days of ") + session.archivePath());
        }
        m_out.flush();
        return kOk;
    }

    int runQuery(const Arguments& a) {
        const bool notes = a.flags.contains(QStringLiteral("--notes"));
        if (notes == a.values.contains(QStringLiteral("--query")) ||
            !a.values.contains(QStringLiteral("--start")) ||
            !a.values.contains(QStringLiteral("--end"))) {
            m_err << "kalmur-tool: query needs --notes or --query, --start and --end" << Qt::endl;
            return kUsage;
        }
        int number = QueryRun::kNotes;
        if (!notes) {
            bool isNumber = false;
            number = a.values.value(QStringLiteral("--query")).toInt(&isNumber);
            if (!isNumber || number < 1 || number > QueryRecord::kCount) {
                return refuse(QStringLiteral("--query must be a saved query number 1 to 10"));
            }
        }
        QDate start;
        QDate end;
        if (QString e; !readDate(a.values.value(QStringLiteral("--start")), start, e) ||
                       !readDate(a.values.value(QStringLiteral("--end")), end, e)) {
            return refuse(e);
        }
        ToolSession session;
        if (QString e = openExisting(session, a.positional[0]); !e.isEmpty()) {
            return refuse(e);
        }
        const Schedule& s = session.schedule();
        const QueryCsv::Days days = QueryCsv::days(s, start, end);
        if (!days.refusal.isEmpty()) {
            return refuse(days.refusal);
        }
        if (!QueryCsv::write(s, number, days.first, days.last, m_out)) {
            return refuse(QStringLiteral("cannot read the query or the days of ") +
                          session.archivePath());
        }
        m_out.flush();
        return kOk;
    }

private:
    QString openExisting(ToolSession& session, const QString& path) {
        if (QString e = mustExist(path); !e.isEmpty()) {
            return e;
        }
        return session.open(path);
    }

    QString readJson(const QString& path, QJsonObject& data) {
        QFile file;
        const bool opened = path == QLatin1String("-")
                                ? file.open(stdin, QIODevice::ReadOnly)
                                : (file.setFileName(path), file.open(QIODevice::ReadOnly));
        if (!opened) {
            return QStringLiteral("cannot read ") + path;
        }
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
        if (error.error != QJsonParseError::NoError) {
            return path + QStringLiteral(": not valid JSON (") + error.errorString() +
                   QStringLiteral(" at offset %1)").arg(error.offset);
        }
        if (!doc.isObject()) {
            return path + QStringLiteral(": expected a JSON object");
        }
        data = doc.object();
        return {};
    }

    void printInfo(ToolSession& session) {
        const Schedule& s = session.schedule();
        int named = 0;
        int dividers = 0;
        for (int row = 1; row <= EmployeeTable::kRows; ++row) {
            dividers += s.employees().isDivider(row) ? 1 : 0;
            named += s.employees().isNamed(row) ? 1 : 0;
        }
        int shifts = 0;
        for (int n = 1; n <= ShiftRecord::kUserShifts; ++n) {
            shifts += s.shift(n).isUndefined() ? 0 : 1;
        }
        int explanations = 0;
        for (int n = 1; n <= ExplanationTable::kCount; ++n) {
            explanations += s.explanations().isUndefined(n) ? 0 : 1;
        }
        int notes = 0;
        for (int d = 1; d <= s.dayCount(); ++d) {
            if (const auto day = s.readDay(d)) {
                notes += static_cast<int>(std::count_if(day->note.begin(), day->note.end(),
                                                        [](std::int16_t n) { return n > 0; }));
            }
        }
        const auto names = s.viewFormatNames();
        m_out << "Schedule:     " << session.archivePath() << "\n"
              << "Dates:        " << s.startDate().toString(Qt::ISODate) << " to "
              << s.endDate().toString(Qt::ISODate) << " (" << s.dayCount() << " days)\n"
              << "Named rows:   " << named << " (and " << dividers << " dividers)\n"
              << "Shifts:       " << shifts << " of 99 defined\n"
              << "Explanations: " << explanations << " of 99 defined\n"
              << "Notes:        " << notes << " in cells (" << s.noteCount() << " note records)\n"
              << "View format:  " << s.viewFormatNumber() << " ("
              << names[static_cast<std::size_t>(s.viewFormatNumber() - 1)] << ")\n"
              << "Password:     " << (s.settings().password.trimmed().isEmpty() ? "none" : "set")
              << Qt::endl;
    }

    QTextStream& m_out;
    QTextStream& m_err;
};

} // namespace

int runTool(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.isEmpty() || arguments[0] == QLatin1String("--help") ||
        arguments[0] == QLatin1String("-h")) {
        (arguments.isEmpty() ? err : out) << overallUsage();
        return arguments.isEmpty() ? kUsage : kOk;
    }
    const Command* command = nullptr;
    for (const Command& c : commands()) {
        if (arguments[0] == QLatin1String(c.name)) {
            command = &c;
        }
    }
    if (!command) {
        err << "kalmur-tool: unknown command " << arguments[0] << "\n\n" << overallUsage();
        return kUsage;
    }
    const Arguments a = parse(*command, arguments.mid(1));
    if (a.help) {
        out << commandUsage(*command);
        return kOk;
    }
    if (!a.error.isEmpty()) {
        err << "kalmur-tool: " << a.error << "\n" << commandUsage(*command);
        return kUsage;
    }
    Runner runner(out, err);
    const QString name = QLatin1String(command->name);
    if (name == QLatin1String("new")) {
        return runner.runNew(a);
    }
    if (name == QLatin1String("dump")) {
        return runner.runDump(a);
    }
    if (name == QLatin1String("import")) {
        return runner.runImport(a);
    }
    if (name == QLatin1String("set-dates")) {
        return runner.runSetDates(a);
    }
    if (name == QLatin1String("coverage")) {
        return runner.runCoverage(a);
    }
    if (name == QLatin1String("query")) {
        return runner.runQuery(a);
    }
    if (name == QLatin1String("convert")) {
        return runner.runConvert(a);
    }
    if (name == QLatin1String("export-ics")) {
        return IcsCommand::run(a.positional[0], a.values, out, err);
    }
    if (name == QLatin1String("cost")) {
        return CostCsv::run(a.positional[0], a.values, out, err);
    }
    if (name == QLatin1String("export-csv")) {
        return ExportCsv::run(a.positional[0], a.values, out, err);
    }
    if (name == QLatin1String("import-staff")) {
        return StaffImport::run(a.positional[0], a.positional[1], out, err);
    }
    if (name == QLatin1String("print")) {
        return PrintCommand::run(a.positional[0], a.values, a.flags, out, err);
    }
    return runner.runInfo(a);
}

} // namespace kalmur
