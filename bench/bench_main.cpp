// kalmur-bench: times the data layer on one schedule archive and prints the
// result table.
#include "BenchSuite.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTextStream>

using namespace kalmur::bench;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times opening, saving, rebuilding and the day window on ARCHIVE."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("ARCHIVE"), QStringLiteral("a schedule archive"));
    const QCommandLineOption work({QStringLiteral("work")},
                                  QStringLiteral("scratch directory (emptied first)"),
                                  QStringLiteral("DIR"));
    const QCommandLineOption tool({QStringLiteral("tool")},
                                  QStringLiteral("the kalmur-tool binary"), QStringLiteral("PATH"));
    const QCommandLineOption rounds({QStringLiteral("rounds")},
                                    QStringLiteral("pairs per operation (default 11)"),
                                    QStringLiteral("N"), QStringLiteral("11"));
    const QCommandLineOption only({QStringLiteral("only")},
                                  QStringLiteral("comma-separated subset of "
                                                 "open,save,rebuild,inprocess,memory"),
                                  QStringLiteral("LIST"));
    parser.addOptions({work, tool, rounds, only});
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
    const QStringList parts = parser.isSet(only)
                                  ? parser.value(only).split(QLatin1Char(','))
                                  : QStringList{"open", "save", "rebuild", "inprocess", "memory"};

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
    out << suite.table() << "\n";
    for (const QString& note : suite.notes()) {
        out << "- " << note << "\n";
    }
    out.flush();
    QDir(options.workDirectory).removeRecursively();
    return 0;
}
