// kalmur-tool coverage against the grid's own totals, and its refusals.
#include "editor/CoverageTotals.h"
#include "support/ToolRunner.h"
#include "tool/ToolSession.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

struct CoverageToolTest : ::testing::Test {
    QTemporaryDir dir;
    QString ward = dir.filePath(QStringLiteral("ward.kmr"));

    void SetUp() override {
        const ToolRun r = tool({"import", ward, QStringLiteral(KALMUR_DEMO_WARD)});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
    }
};

} // namespace

TEST_F(CoverageToolTest, AgreesWithTheGridTotalsOfTheDemoWard) {
    // A sixth line picks employees by mark and has a title that needs quoting.
    {
        ToolSession session;
        ASSERT_EQ(session.open(ward), QString());
        ViewFormat& format = session.schedule().viewFormat();
        CoverageLine& line = format.coverageLines[5];
        line = CoverageLine::undefined();
        line.title = QStringLiteral("Day, \"charge\"");
        line.ignoreNames = false;
        line.ignoreShifts = false;
        for (const int slot : {2, 3, 16}) {
            line.employeeMarks[slot - 1] = 1;
        }
        line.shiftMarks[1] = 1;
        format.coverageVisible = 7; // the seventh is never set up
        ASSERT_TRUE(session.schedule().writeCurrentViewFormat());
        ASSERT_EQ(session.save(), QString());
    }
    // The grid's totals of the window the schedule opens with; the schedule is
    // closed again before the tool opens it.
    std::vector<std::vector<int>> grid;
    QDate first;
    int days = 0;
    {
        ToolSession session;
        ASSERT_EQ(session.open(ward), QString());
        const Schedule& s = session.schedule();
        days = s.windowLength();
        grid = CoverageTotals::count(s, 7, 1, days);
        first = s.dateOfDay(s.window().dayNumber(1));
    }
    const ToolRun r = tool({"coverage", ward, "--start", first.toString(Qt::ISODate), "--days",
                            QString::number(days)});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList rows = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 8);
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("line,title,") + first.toString(Qt::ISODate) +
                                   QLatin1Char(',')));
    EXPECT_TRUE(rows[6].startsWith(QStringLiteral("6,\"Day, \"\"charge\"\"\",")));
    int nonZero = 0;
    for (int l = 0; l < 7; ++l) {
        // The title is the only field that may hold a comma.
        const QString row = rows[l + 1];
        const QStringList counts = row.mid(row.lastIndexOf(QLatin1Char('"')) + 1)
                                       .split(QLatin1Char(','))
                                       .mid(l == 5 ? 1 : 2);
        ASSERT_EQ(counts.size(), days) << row.toStdString();
        for (int d = 0; d < days; ++d) {
            const int total = grid[std::size_t(l)][std::size_t(d)];
            EXPECT_EQ(counts[d].toInt(), total) << "line " << l + 1 << " day " << d;
            nonZero += total > 0 ? 1 : 0;
        }
    }
    EXPECT_GT(nonZero, days * 4); // the demo's lines do count
}

TEST_F(CoverageToolTest, RefusesWhatItCannotCount) {
    const struct {
        QStringList args;
        int status;
    } cases[] = {
        {{"--start", "2026-10-31", "--days", "3"}, 1}, // before the first day
        {{"--start", "2027-03-30", "--days", "3"}, 1}, // past the last day
        {{"--start", "2027-02-30", "--days", "3"}, 1},
        {{"--start", "2027-01-01", "--days", "0"}, 1},
        {{"--start", "2027-01-01", "--days", "3", "--format", "6"}, 1},
        {{"--start", "2027-01-01", "--days", "3", "--format", "5"}, 1}, // "Not Used"
        {{"--start", "2027-01-01"}, 2},
    };
    for (const auto& c : cases) {
        const ToolRun r = tool(QStringList{"coverage", ward} + c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        if (c.status == 1) {
            EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
        }
    }
    const ToolRun last =
        tool({"coverage", ward, "--start", "2027-03-29", "--days", "3", "--format", "2"});
    EXPECT_EQ(last.status, 0) << last.err.toStdString();
    EXPECT_TRUE(last.out.startsWith("line,title,2027-03-29,2027-03-30,2027-03-31\n"));
}
