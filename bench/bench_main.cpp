// kalmur-bench: times the data layer, the main window and the program's
// start-up on one schedule archive and prints the result table.
#include "BenchSuite.h"
#include "WindowBench.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QTextStream>

#include <cstdio>

using namespace kalmur::bench;

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform says so whenever a window asks for what it has no
// screen for (raising, size hints); nothing else is held back.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support"))) {
        return;
    }
    if (standardHandler) {
        standardHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

} // namespace

int main(int argc, char** argv) {
    // Windows are drawn off screen, in the same locale on every machine; the
    // programs started for the start-up inherit both.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LANG", "en_US.UTF-8");
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LC_NUMERIC", "LC_TIME", "LC_COLLATE",
                             "LC_MONETARY", "LC_MESSAGES", "LANGUAGE"}) {
        qunsetenv(name);
    }
    standardHandler = qInstallMessageHandler(quietOffscreenNotes);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times opening, saving, rebuilding, the day window, the reports and "
                       "exports, the main window and the program's start-up on ARCHIVE."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("ARCHIVE"), QStringLiteral("a schedule archive"));
    const QCommandLineOption work({QStringLiteral("work")},
                                  QStringLiteral("scratch directory (emptied first)"),
                                  QStringLiteral("DIR"));
    const QCommandLineOption tool({QStringLiteral("tool")},
                                  QStringLiteral("the kalmur-tool binary"), QStringLiteral("PATH"));
    const QCommandLineOption program({QStringLiteral("program")},
                                     QStringLiteral("the kalmur binary"), QStringLiteral("PATH"));
    const QCommandLineOption rounds({QStringLiteral("rounds")},
                                    QStringLiteral("pairs per operation (default 11)"),
                                    QStringLiteral("N"), QStringLiteral("11"));
    const QCommandLineOption only(
        {QStringLiteral("only")},
        QStringLiteral("comma-separated subset of "
                       "open,save,rebuild,inprocess,memory,coverage,mcopy,query,print,cost,"
                       "reports,exports,window,startup"),
        QStringLiteral("LIST"));
    parser.addOptions({work, tool, program, rounds, only});
    parser.process(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1) {
        err << parser.helpText();
        return 2;
    }

    BenchSuite::Options options;
    options.archive = parser.positionalArguments().first();
    options.workDirectory = parser.isSet(work) ? parser.value(work)
                                               : QDir::tempPath() + QStringLiteral("/kalmur-bench");
    options.tool = parser.isSet(tool)
                       ? parser.value(tool)
                       : QCoreApplication::applicationDirPath() + QStringLiteral("/kalmur-tool");
    options.rounds = parser.value(rounds).toInt();
    const QStringList parts =
        parser.isSet(only) ? parser.value(only).split(QLatin1Char(','))
                           : QStringList{"open",     "save",    "rebuild", "inprocess", "memory",
                                         "coverage", "mcopy",   "query",   "print",     "cost",
                                         "reports",  "exports", "window",  "startup"};

    BenchSuite suite(options);
    if (const QString e = suite.prepare(); !e.isEmpty()) {
        err << "kalmur-bench: " << e << Qt::endl;
        return 1;
    }
    for (const QString& line : suite.describeArchive()) {
        out << line << "\n";
    }
    out << Qt::endl;
    if (parts.contains(QLatin1String("open"))) {
        suite.measureOpen();
    }
    if (parts.contains(QLatin1String("save"))) {
        suite.measureSave();
    }
    if (parts.contains(QLatin1String("rebuild"))) {
        suite.measureRebuild();
    }
    if (parts.contains(QLatin1String("inprocess"))) {
        suite.measureInProcess();
    }
    if (parts.contains(QLatin1String("memory"))) {
        suite.measureMemory();
    }
    if (parts.contains(QLatin1String("coverage"))) {
        suite.measureCoverage();
    }
    if (parts.contains(QLatin1String("mcopy"))) {
        suite.measureCopyMultiple();
    }
    if (parts.contains(QLatin1String("query"))) {
        suite.measureQuery();
    }
    // The table runs from the data layer through the reports and exports to
    // the window, whatever order --only names them in.
    if (parts.contains(QLatin1String("print"))) {
        suite.measurePrint();
    }
    if (parts.contains(QLatin1String("cost"))) {
        suite.measureCost();
    }
    if (parts.contains(QLatin1String("reports"))) {
        suite.measureReports();
    }
    if (parts.contains(QLatin1String("exports"))) {
        suite.measureExports();
    }
    if (parts.contains(QLatin1String("window")) || parts.contains(QLatin1String("startup"))) {
        WindowBench::Options windowOptions;
        windowOptions.archive = options.archive;
        windowOptions.workDirectory = options.workDirectory + QStringLiteral("/window");
        windowOptions.program = parser.isSet(program) ? parser.value(program)
                                                      : QCoreApplication::applicationDirPath() +
                                                            QStringLiteral("/kalmur");
        windowOptions.rounds = options.rounds;
        WindowBench window(windowOptions);
        if (parts.contains(QLatin1String("window"))) {
            // Without a window its rows show as failed.
            if (const QString e = window.prepare(); !e.isEmpty()) {
                err << "kalmur-bench: " << e << Qt::endl;
            }
            window.measureRepaint();
            window.measureSteps();
            window.measureQuickKey();
        }
        if (parts.contains(QLatin1String("startup"))) {
            window.measureStartup();
        }
        suite.append(window.rows(), window.notes());
    }
    out << suite.table() << "\n";
    for (const QString& note : suite.notes()) {
        out << "- " << note << "\n";
    }
    out.flush();
    QDir(options.workDirectory).removeRecursively();
    return 0;
}
