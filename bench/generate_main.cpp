// kalmur-bench-generate: writes the large schedule archive the benchmarks use.
#include "ScheduleGenerator.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

using namespace kalmur;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1 || args[0].startsWith(QLatin1Char('-'))) {
        err << "usage: kalmur-bench-generate OUT.KMR\n\n"
               "Writes a ten-year schedule of 200 employees (3,653 days, about 60% of the cells\n"
               "with a shift, 5% on call, 3% with an explanation, 5,000 notes).\n";
        return 2;
    }
    ScheduleGenerator generator(ScheduleGenerator::Options{});
    if (const QString e = generator.writeArchive(args[0]); !e.isEmpty()) {
        err << "kalmur-bench-generate: " << e << Qt::endl;
        return 1;
    }
    const auto& c = generator.counts();
    out << args[0] << ": " << c.days << " days, " << c.cells << " cells, " << c.withShift
        << " with a shift, " << c.onCall << " on call, " << c.withExplanation
        << " with an explanation, " << c.withNote << " with a note" << Qt::endl;
    return 0;
}
