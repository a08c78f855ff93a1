#pragma once

// Crafted archives and member sets for the hostile-input test: a base schedule
// written by the program, ways to build an archive from it, and the cases with
// the outcome each must get.

#include "ArchiveTestSupport.h"
#include "model/schedule/Schedule.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kalmur::hostile {

// Field offsets of the member records, as the file layouts document them.
namespace at {
constexpr qsizetype settingsStart = 0;
constexpr qsizetype settingsEnd = 8;
constexpr qsizetype weekStart = 26;
constexpr qsizetype firstShownDay = 28;
constexpr qsizetype rowOrder = 30;
constexpr qsizetype viewFormatNumber = 2394;
constexpr qsizetype timeFormat = 24;
constexpr qsizetype rulerDay = 47;
constexpr qsizetype daysOnScreen = 51;
constexpr qsizetype fontSize = 83;
constexpr qsizetype coverageVisible = 93;
constexpr qsizetype cellRows = 233; // 6 rows of 12 bytes, item code first
constexpr qsizetype dayShift = 0;
constexpr qsizetype dayOnCall = 200;
constexpr qsizetype dayExplanation = 400;
constexpr qsizetype dayReserved = 600;
constexpr qsizetype dayNote = 800;
constexpr qsizetype shiftStart = 15;
constexpr qsizetype shiftBreak = 39;
constexpr qsizetype dailyFactor = 6006;
// The employee table: 200 names of 20 bytes, then 200 positions of 10.
constexpr qsizetype name(int row) {
    return 20 * (row - 1);
}
constexpr qsizetype position(int row) {
    return 4000 + 10 * (row - 1);
}
} // namespace at

// The member files of a schedule, by member.
using Members = std::map<Member, QByteArray>;

constexpr int kBaseDays = 90; // 1 January to 31 March 1997

// A schedule as the program writes it: 1997-01-01 to 1997-03-31, three note
// records, a few cells, a defined shift, explanation and employee.
const Members& baseMembers();
std::vector<test::ZipEntry> entriesOf(const Members& members);
// The dump of the base schedule, opened from an archive of its members.
const QJsonObject& baseJson();

// Where a case lays out its files: root/work/TEMP.001 is the working
// directory, root/sched holds the archive, root/outside is bait for names that
// try to escape.
struct Layout {
    QString root;
    QString workingDirectory() const { return root + "/work/TEMP.001"; }
    QString folder() const { return root + "/sched"; }
    QString archive() const { return folder() + "/case.kmr"; }
    QString outside() const { return root + "/outside"; }
};

// Writes the archive (or whatever stands under its name) of a case.
using Make = std::function<void(const Layout&)>;

Make bytes(std::function<QByteArray(const Layout&)> image);
// The base members after `patch`, without `skip`, plus `extra` entries.
Make members(std::function<void(Members&)> patch, std::vector<test::ZipEntry> extra = {},
             std::vector<Member> skip = {});
// As members(), with the extra entries computed from the layout.
Make membersAt(std::vector<Member> skip,
               std::function<std::vector<test::ZipEntry>(const Layout&)> extra);
// The base archive after an edit of its image.
Make edited(std::function<void(QByteArray&)> edit);
// Settings and a blank day file for the given dates.
Make blankRange(QDate start, QDate end);

enum class Outcome { Opens, OpensAsNew, NotValid, NotExtracted, Unavailable };

// Checks an opened schedule and its dump; may change the schedule.
using Check = std::function<void(Schedule&, const QJsonObject&)>;

struct HostileCase {
    std::string label;
    Make make;
    Outcome outcome;
    Check check = {};
};

// Entry names, folders, links, encryption, sizes and damage of the zip itself.
std::vector<HostileCase> archiveCases();
// Values out of range inside well-formed members, and members of odd lengths.
std::vector<HostileCase> memberCases();

// Little-endian fields written by hand.
void put8(QByteArray& b, qsizetype offset, int value);
void put16(QByteArray& b, qsizetype offset, int value);
void putDouble(QByteArray& b, qsizetype offset, double value);
void putFloat(QByteArray& b, qsizetype offset, float value);
double ole(int year, int month, int day);

// The cell of a dump's day and slot ({} when the cell is empty).
QJsonObject cellOf(const QJsonObject& json, int day, int slot);
QJsonArray identityRowOrder();
void sameAsBase(Schedule&, const QJsonObject& json);
void expectNoCells(Schedule&, const QJsonObject& json);

} // namespace kalmur::hostile
