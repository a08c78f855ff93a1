#pragma once

#include "Measure.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace kalmur::bench {

// One line of the result table.
struct ResultRow {
    QString operation;
    QString ours;
    QString reference;
    QString ratio;
    QString goal;
    QString met; // "yes", "NO", or "-" where there is no goal
};

// Measures the data layer on one schedule archive: each operation through the
// program's own code, in this process, side by side with a command-line tool
// doing the comparable file work. Pairs are run alternately in one loop, so
// that other load on the machine falls on both alike.
class BenchSuite {
public:
    struct Options {
        QString archive;       // the schedule to measure (copied, never changed)
        QString workDirectory; // scratch space; emptied first
        QString tool;          // the kalmur-tool binary, for the memory figures
        int rounds = 11;       // pairs per operation
        int samples = 15;      // samples of the in-process operations
        int perSample = 2000;  // operations per sample
        QString reportRows;    // the reports' and exports' display rows; empty: all named
    };

    explicit BenchSuite(Options options);

    // Copies the archive into the work directory and checks the tools; empty
    // on success, otherwise what is missing.
    QString prepare();
    // A few lines saying what the archive holds.
    QStringList describeArchive();

    void measureOpen();
    void measureSave();
    void measureRebuild();
    void measureInProcess();
    void measureMemory();
    void measureCoverage();
    // The schedule report to PDF against LibreOffice (skipped without soffice).
    void measurePrint();
    void measureCopyMultiple();
    void measureQuery();
    // The estimated cost report of 200 employees x 42 days to PDF.
    void measureCost();
    // The monthly calendar, the personal schedule, the legend and the query
    // report to PDF against texttopdf (skipped without it).
    void measureReports();
    // export-csv, export-ics and import-staff against python3 (skipped
    // without it).
    void measureExports();

    // Rows and notes measured elsewhere (the main window), added to the table.
    void append(const std::vector<ResultRow>& rows, const QStringList& notes);

    const std::vector<ResultRow>& rows() const { return m_rows; }
    // Notes gathered on the way (failures, checks of the saved archive).
    const QStringList& notes() const { return m_notes; }
    // The rows as a Markdown table.
    QString table() const;

private:
    void addPair(const QString& operation, const PairTimes& pair, double goalRatio,
                 const QString& goal);
    QString path(const QString& name) const;
    QStringList rowsArgument() const;
    bool freshDirectory(const QString& dir);

    Options m_options;
    QString m_archive; // the working copy of the archive
    std::vector<ResultRow> m_rows;
    QStringList m_notes;
};

} // namespace kalmur::bench
