#pragma once

// The open schedule of OpenSchedule with a ward on it: rows 1 to `names`
// named "Name 001", ... at position "RN", row 2 a divider "/Nights", the day
// shift on day 1 for row 1 and "Training" on day 2 for row 3, and a view
// format that prints the shift description, with one coverage line counting
// the day shift.

#include "support/OpenSchedule.h"

#include <QProcess>
#include <QStandardPaths>

inline void furnishWard(kalmur::Schedule& s, int names) {
    {
        kalmur::EmployeeTable& e = s.employees();
        for (int r = 1; r <= names; ++r) {
            e.names[std::size_t(r - 1)] = QStringLiteral("Name %1").arg(r, 3, 10, QLatin1Char('0'));
            e.positions[std::size_t(r - 1)] = QStringLiteral("RN");
        }
        e.names[1] = QStringLiteral("/Nights");
        s.setCellOfDay(1, 1, kalmur::Cell{1, 0, 0, 0, 0});
        s.setCellOfDay(3, 2, kalmur::Cell{2, 0, 0, 0, 0});
        kalmur::ViewFormat& f = s.viewFormat();
        f.cellRows = {};
        f.cellRows[0] = kalmur::CellContentRow{120, true, true, false, {}};
        f.useAbbreviations = false;
        f.coverageVisible = 1;
        kalmur::CoverageLine& line = f.coverageLines[0];
        line.title = QStringLiteral("Day cover");
        line.ignoreShifts = false;
        line.shiftMarks = {};
        line.shiftMarks[1] = 1;
        f.reportSetup.title = QStringLiteral("Ward 3");
        f.reportSetup.useScreenFont = false;
        f.reportSetup.fontName = QStringLiteral("Arial");
        f.reportSetup.fontSize = 8;
        f.reportSetup.shadePercent = 10;
        f.reportSetup.shadeRuler = true;
        f.reportSetup.shadeCoverage = true;
        f.reportSetup.margins = {360, 360, 360, 360};
    }
}

struct WardSchedule : OpenSchedule {
    explicit WardSchedule(int names = 3) { furnishWard(s, names); }
};

// The text of a PDF as pdftotext reads it (in reading order, one page after
// another separated by form feeds); empty when pdftotext is missing.
inline QString pdfText(const QString& path) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        return {};
    }
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
