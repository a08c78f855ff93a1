#pragma once

// A schedule of the previous format written byte by byte at the offsets of the
// old layouts (independently of the program's readers), and small helpers to
// see what a conversion left on disk.

#include "support/HandBytes.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>

#include <gtest/gtest.h>

namespace oldsample {

using handbytes::Bytes;

inline double oleDay(int year, int month, int day) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(year, month, day)));
}
inline double oleTime(int hour, int minute) {
    return (hour * 60 + minute) / 1440.0;
}

// ".SPR": 526 bytes. Dates 1 January to 31 March 1997 (the start carries a
// time part), rows 1 and 2 show slots 2 and 1, row 50 names slot 99 (outside
// the old table), the Text at 282 left as zero bytes and 3 at 524.
inline Bytes settings() {
    Bytes b(526, 0);
    handbytes::putDouble(b, 0, oleDay(1997, 1, 1) + 0.75);
    handbytes::putDouble(b, 8, oleDay(1997, 3, 31));
    handbytes::putText(b, 16, 10, "NIGHT");
    handbytes::put16(b, 26, 2);
    handbytes::put16(b, 28, 3);
    for (int r = 1; r <= 50; ++r) {
        handbytes::put16(b, 30 + 2 * (r - 1), r);
    }
    handbytes::put16(b, 30, 2);
    handbytes::put16(b, 32, 1);
    handbytes::put16(b, 30 + 2 * 49, 99);
    handbytes::put16(b, 130, 5);
    handbytes::putText(b, 132, 30, "Week Title");
    handbytes::putText(b, 162, 10, "ignored");
    handbytes::putText(b, 172, 30, "Day Title");
    handbytes::putText(b, 252, 30, "Month Title");
    handbytes::putText(b, 292, 30, "Cost Title");
    handbytes::putText(b, 462, 30, "Calendar Title");
    const int paste[6] = {-1, 0, -1, 0, -1, -1};
    for (int i = 0; i < 6; ++i) {
        handbytes::put16(b, 502 + 2 * i, paste[i]);
    }
    handbytes::putText(b, 514, 10, "PASTETEXT");
    handbytes::put16(b, 524, 3);
    return b;
}

// ".SEM": 2016 bytes. Row 1 "Alice", row 2 a blank name with a position,
// rows 3, 4 and 50 "Carol", "Dave" and "Zoe"; the other rows are blank.
inline Bytes employees() {
    Bytes b(2016, 0);
    for (int r = 0; r < 50; ++r) {
        handbytes::putText(b, 20 * r, 20, "");
        handbytes::putText(b, 1000 + 10 * r, 10, "");
    }
    handbytes::putText(b, 0, 20, "Alice");
    handbytes::putText(b, 20, 20, "   ");
    handbytes::putText(b, 40, 20, "Carol");
    handbytes::putText(b, 60, 20, "Dave");
    handbytes::putText(b, 49 * 20, 20, "Zoe");
    handbytes::putText(b, 1000, 10, "RN");
    handbytes::putText(b, 1010, 10, "LPN");
    handbytes::putText(b, 1020, 10, "CNA");
    handbytes::put16(b, 1500, 2);
    handbytes::put16(b, 1502, 9);
    handbytes::putFloat(b, 1504, 1.25f);
    handbytes::put16(b, 1508, 14);
    handbytes::put16(b, 1510, 80);
    handbytes::putFloat(b, 1512, 2.0f);
    handbytes::put64(b, 1516, 125000);    // row 1: 12.50
    handbytes::put64(b, 1516 + 8, 99);    // row 2
    handbytes::put16(b, 1916 + 2 * 2, 1); // row 3: daily
    return b;
}

inline void putShift(Bytes& b, int n, const std::string& description, double start, double end,
                     int colour) {
    const std::size_t at = static_cast<std::size_t>(n - 1) * 33;
    handbytes::putText(b, at, 15, description);
    handbytes::putDouble(b, at + 15, start);
    handbytes::putDouble(b, at + 23, end);
    handbytes::put16(b, at + 31, colour);
}

// ".SSH": only 27 of the 35 records (the rest of the layout is missing).
inline Bytes shifts() {
    Bytes b(27 * 33, 0);
    for (int n = 1; n <= 27; ++n) {
        putShift(b, n, "", 0, 0, 0);
    }
    putShift(b, 1, "Day", oleTime(7, 0), oleTime(15, 0), 9);
    putShift(b, 2, "Undefined", oleTime(8, 0), oleTime(9, 0), 4);
    putShift(b, 3, "Night", oleTime(22, 0), oleTime(6, 0), 1);
    putShift(b, 4, "Evening", oleTime(16, 0), 0, 2);
    putShift(b, 26, "Zed", oleTime(1, 30), oleTime(2, 0), 3);
    putShift(b, 27, "Float", oleTime(8, 0), oleTime(12, 0), 5);
    return b;
}

// ".SEP": 400 bytes.
inline Bytes explanations() {
    Bytes b(400, 0);
    for (int e = 0; e < 20; ++e) {
        handbytes::putText(b, 20 * e, 20, "");
    }
    handbytes::putText(b, 0, 20, "Sick");
    handbytes::putText(b, 20, 20, "undefined");
    handbytes::putText(b, 40, 20, "Training");
    handbytes::putText(b, 19 * 20, 20, "Last");
    return b;
}

// ".SNO": three notes, the second blank.
inline Bytes notes() {
    Bytes b(180, 0);
    handbytes::putText(b, 0, 60, "First note");
    handbytes::putText(b, 60, 60, "");
    handbytes::putText(b, 120, 60, "Third note");
    return b;
}

struct OldCell {
    int day;
    int slot;
    int shift;
    int onCall;
    int explanation;
    int reserved;
    int note;
};

inline void putCell(Bytes& b, const OldCell& c) {
    const std::size_t at = static_cast<std::size_t>(c.day - 1) * 350;
    const std::size_t e = static_cast<std::size_t>(c.slot - 1);
    handbytes::put8(b, at + e, static_cast<std::uint8_t>(c.shift));
    handbytes::put8(b, at + 50 + e, static_cast<std::uint8_t>(c.onCall));
    handbytes::put8(b, at + 100 + e, static_cast<std::uint8_t>(c.explanation));
    handbytes::put8(b, at + 150 + e, static_cast<std::uint8_t>(c.reserved));
    handbytes::put16(b, at + 200 + 2 * e, c.note);
}

// ".SCH": only the first five of the 90 days.
inline Bytes days() {
    Bytes b(5 * 350, 0);
    putCell(b, {1, 1, 1, 1, 1, 1, 1});   // slot 1 is shown on the blank row
    putCell(b, {1, 2, 1, 1, 3, 7, 3});   // Alice: note 3
    putCell(b, {1, 3, 40, 0, 0, 0, 2});  // shift 40; the blank note 2
    putCell(b, {1, 4, 100, 0, 0, 0, 9}); // off; note 9 is past the old note file
    putCell(b, {2, 2, 27, 0, 0, 0, 1});
    putCell(b, {2, 3, 36, 0, 2, 0, 0});
    putCell(b, {2, 50, 35, 0, 0, 0, -4});
    putCell(b, {5, 3, 3, 0, 0, 0, 3});
    return b;
}

inline void write(const QString& path, const Bytes& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())),
              qint64(bytes.size()));
}

// The whole group; `names` gives the file name of each extension.
struct GroupNames {
    QString sch = "WARD.SCH";
    QString spr = "WARD.SPR";
    QString ssh = "WARD.SSH";
    QString sem = "WARD.SEM";
    QString sno = "WARD.SNO";
    QString sep = "WARD.SEP";
};

inline void writeGroup(const QString& dir, const GroupNames& n = {}) {
    write(dir + "/" + n.sch, days());
    write(dir + "/" + n.spr, settings());
    write(dir + "/" + n.ssh, shifts());
    write(dir + "/" + n.sem, employees());
    write(dir + "/" + n.sno, notes());
    write(dir + "/" + n.sep, explanations());
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file and folder below root with its bytes: what a failed conversion
// must leave exactly as it was.
inline QMap<QString, QByteArray> snapshot(const QString& root) {
    QMap<QString, QByteArray> tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        tree.insert(QDir(root).relativeFilePath(path),
                    it.fileInfo().isFile() ? readFile(path) : QByteArray("<dir>"));
    }
    return tree;
}

} // namespace oldsample
