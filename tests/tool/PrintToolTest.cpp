// kalmur-tool print: the schedule report of an archive into a PDF file, the
// archive left byte for byte, and the exit status of each kind of mistake.
#include "support/ToolRunner.h"
#include "support/WardSchedule.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(PrintTool, PrintsTheDemoWardAndLeavesTheArchiveAsItWas) {
    QTemporaryDir dir;
    const QString ward = dir.filePath(QStringLiteral("ward.kmr"));
    ASSERT_EQ(tool({QStringLiteral("import"), ward, QStringLiteral(KALMUR_DEMO_WARD)}).status, 0);
    const QByteArray before = bytes(ward);
    const QString pdf = dir.filePath(QStringLiteral("ward.pdf"));
    auto print = [&](QStringList more) {
        QStringList args{QStringLiteral("print"),    ward,
                         QStringLiteral("--report"), QStringLiteral("schedule"),
                         QStringLiteral("--pdf"),    pdf};
        return tool(args + more);
    };
    const ToolRun run =
        print({QStringLiteral("--start"), QStringLiteral("2026-11-02"), QStringLiteral("--days"),
               QStringLiteral("14"), QStringLiteral("--rows"), QStringLiteral("1-3"),
               QStringLiteral("--paper"), QStringLiteral("a4")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(bytes(ward), before);
    const QString text = pdfText(pdf);
    if (!text.isEmpty()) {
        for (const char* expected : {"Alvarez, Maria", "Brennan, Tom", "Day staff",
                                     "Monday, November 2, 2026 to Sunday, November 15, 2026"}) {
            EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected;
        }
        EXPECT_FALSE(text.contains(QLatin1String("Chen, Lucy")));
    }
    EXPECT_EQ(
        print({QStringLiteral("--month"), QStringLiteral("2027-02"), QStringLiteral("--blank")})
            .status,
        0);

    struct Case {
        QStringList args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{QStringLiteral("--days"), QStringLiteral("43"), QStringLiteral("--start"),
          QStringLiteral("2026-11-02")},
         1,
         "Number of days cannot be greater than 42."},
        {{QStringLiteral("--days"), QStringLiteral("0"), QStringLiteral("--start"),
          QStringLiteral("2026-11-02")},
         1,
         "Number of days must be greater than zero."},
        {{QStringLiteral("--format"), QStringLiteral("9")}, 1, "view format number"},
        {{QStringLiteral("--days"), QStringLiteral("7")}, 2, "--start and --days go together"},
        {{QStringLiteral("--month"), QStringLiteral("2027-02"), QStringLiteral("--screen")},
         2,
         "choose one of"},
        {{QStringLiteral("--rows"), QStringLiteral("0-3")}, 2, "--rows takes"},
        {{QStringLiteral("--paper"), QStringLiteral("legal")}, 2, "--paper takes"},
    };
    for (const Case& c : cases) {
        const ToolRun r = print(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
    }
    const ToolRun other = tool({QStringLiteral("print"), ward, QStringLiteral("--report"),
                                QStringLiteral("cost"), QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(other.status, 2);
    EXPECT_EQ(bytes(ward), before);
}

TEST(PrintTool, PrintsTheEstimatedCostOfTheNamedRowsForDaysInTheSchedule) {
    QTemporaryDir dir;
    const QString ward = dir.filePath(QStringLiteral("ward.kmr"));
    ASSERT_EQ(tool({QStringLiteral("import"), ward, QStringLiteral(KALMUR_DEMO_WARD)}).status, 0);
    const QString pdf = dir.filePath(QStringLiteral("cost.pdf"));
    auto cost = [&](const char* start, const char* days) {
        return tool({QStringLiteral("print"), ward, QStringLiteral("--report"),
                     QStringLiteral("cost"), QStringLiteral("--pdf"), pdf,
                     QStringLiteral("--start"), QLatin1String(start), QStringLiteral("--days"),
                     QLatin1String(days), QStringLiteral("--rows"), QStringLiteral("1-3")});
    };
    const ToolRun run = cost("2026-11-02", "14");
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString text = pdfText(pdf);
    if (!text.isEmpty()) {
        for (const char* expected :
             {"Estimated Cost", "Alvarez, Maria", "Brennan, Tom", "Regular Hrs", "TOTALS"}) {
            EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected;
        }
        EXPECT_FALSE(text.contains(QLatin1String("Chen, Lucy")));
    }
    const ToolRun early = cost("1990-01-01", "7");
    EXPECT_EQ(early.status, 1);
    EXPECT_TRUE(early.err.contains(QLatin1String("Data not available for date entered")));
}

TEST(PrintTool, PrintsCalendarsAndPersonalSchedulesOnePagePerNamedRow) {
    QTemporaryDir dir;
    const QString ward = dir.filePath(QStringLiteral("ward.kmr"));
    ASSERT_EQ(tool({QStringLiteral("import"), ward, QStringLiteral(KALMUR_DEMO_WARD)}).status, 0);
    const QString pdf = dir.filePath(QStringLiteral("days.pdf"));
    auto print = [&](const char* report, QStringList more) {
        return tool(QStringList{QStringLiteral("print"), ward, QStringLiteral("--report"),
                                QLatin1String(report), QStringLiteral("--pdf"), pdf,
                                QStringLiteral("--rows"), QStringLiteral("1-3")} +
                    more);
    };
    struct Case {
        const char* report;
        QStringList options;
        int status;
        const char* expected; // in the PDF, or in the message
    };
    const Case cases[] = {
        {"calendar", {"--month", "2027-02"}, 0, "February, 2027 - Alvarez, Maria, RN"},
        // Days before the schedule print empty.
        {"personal",
         {"--start", "2026-10-30", "--days", "4", "--blank"},
         0,
         "Friday, October 30, 2026 to Monday, November 2, 2026 - Brennan, Tom, RN"},
        {"personal",
         {"--start", "2026-11-02", "--days", "43"},
         1,
         "Number of days cannot be greater than 42."},
        {"calendar", {"--start", "2026-11-02", "--days", "4"}, 2, "--month"},
        {"personal", {"--month", "2027-02"}, 2, "--start and --days"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        QFile::remove(pdf);
        const ToolRun run = print(c.report, c.options);
        ASSERT_EQ(run.status, c.status) << run.err.toStdString();
        if (c.status != 0) {
            EXPECT_TRUE(run.err.contains(QLatin1String(c.expected))) << run.err.toStdString();
            continue;
        }
        const QString text = pdfText(pdf);
        if (!text.isEmpty()) {
            EXPECT_TRUE(text.contains(QLatin1String(c.expected))) << text.toStdString();
            EXPECT_EQ(text.count(QLatin1Char('\f')), 2) << "the divider row prints no page";
        }
    }
}
