#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace kalmur {

class Schedule;

// What to export: the chosen display rows over a run of days, into a folder.
struct IcsExportRequest {
    QString archiveFileName; // the schedule file's name, for the events' UIDs
    std::vector<int> rows;   // display rows 1..200; rows without a name are left out
    QDate start;
    int days = 0; // days outside the schedule have no events
    QString folder;
    QDateTime stamp = QDateTime::currentDateTimeUtc();
    QByteArray zoneId; // an IANA zone name; empty: the machine's zone
};

struct IcsExportResult {
    QStringList files; // the paths written, in row order
    QString error;     // empty when every file was written
    bool ok() const { return error.isEmpty(); }
};

// Writes one iCalendar file per named row of the request into its folder
// (created when missing). Each file is written whole or not at all; on a
// failure the files written before it stay and the error names the file.
IcsExportResult writeIcsFiles(const Schedule& schedule, const IcsExportRequest& request);

// "NNN-Name.ics": the row number with three digits and the name with the
// characters that file names cannot hold replaced by "_".
QString icsFileName(int row, const QString& name);

} // namespace kalmur
