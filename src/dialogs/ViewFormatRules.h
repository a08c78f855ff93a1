#pragma once

#include "model/records/ViewFormat.h"
#include "model/schedule/CellItems.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace kalmur {

// What "Edit Schedule Format" offers and stores, apart from the window: the
// entries of its lists, the rules of the cell-content check boxes, and how
// the typed values become the fields of the view format.
namespace ViewFormatRules {

inline constexpr int kMinDays = 1;
inline constexpr int kMaxDays = ViewFormat::kMaxDaysOnScreen;
inline constexpr int kMaxCoverage = ViewFormat::kCoverageLines;
inline constexpr int kMinFontPoints = 4;
inline constexpr int kMaxFontPoints = 13;
inline constexpr int kNameLength = 20;
inline constexpr int kTimeFormatLength = 15;
inline constexpr int kFontNameLength = 30;
// Rows that are tied to the next one: every row but the last.
inline constexpr int kTieBoxes = ViewFormat::kCellRows - 1;

// The entries of cell-content row `row` (0..5), in list order; the screen
// cell icon is offered in the first row only.
std::vector<CellItem> itemsOfRow(int row);

// The time format as the list shows it ("m" for minutes) and as the record
// stores it ("n" for minutes, cut to 15 characters).
QString shownTimeFormat(const QString& stored);
QString storedTimeFormat(const QString& shown);
QStringList timeFormatEntries();

// The ruler lists; the record stores the list index.
QStringList rulerDayEntries();
QStringList rulerDateEntries();

// The whole number a typed text starts with: blanks, an optional sign and
// digits; a text that does not start with a number counts as 0. Values too
// large for any field are held at the limits of int rather than wrapping.
int leadingNumber(const QString& text);

// Days on screen and visible coverage totals as they are stored: the typed
// number held to 1..42 and 0..20.
int daysOnScreen(const QString& typed);
int visibleCoverage(const QString& typed);

// The check boxes of one cell-content row.
struct RowBoxes {
    bool screen = false;
    bool report = false;
    bool tie = false;
    bool reportEnabled = true;
    bool operator==(const RowBoxes&) const = default;
};

// The boxes after the user chose the entry with code `chosen` in a row whose
// entry had code `previous`: "None" clears all three; coming from "None" ticks
// screen and report; the screen cell icon is never printed, so it clears and
// disables the report box, and any other entry enables it again.
RowBoxes afterChoice(RowBoxes boxes, int previous, int chosen);

// The report box of a row is offered unless the row holds the screen cell icon.
bool reportOffered(int item);

// What the window's controls hold when the format is stored. A list without a
// selection keeps the stored value.
struct Input {
    struct Row {
        std::optional<int> item;
        bool screen = false;
        bool report = false;
    };
    QString name;
    std::optional<QString> timeFormat; // as shown
    std::optional<int> rulerDay;
    std::optional<int> rulerDate;
    bool showCellIcon = false;
    bool hidePosition = false;
    bool useAbbreviations = false;
    bool showTimeOff = false;
    QString daysOnScreen;
    QString coverageVisible;
    std::array<Row, ViewFormat::kCellRows> rows{};
    std::array<bool, kTieBoxes> ties{};
};

// What the controls show for a format when the dialog opens.
Input inputOf(const ViewFormat& format);

// Stores the input into the fields the dialog edits; the report setup, the
// coverage lines, the font and the layout values stay as they are. The last
// row has no tie box, so its tie flag is kept.
void store(ViewFormat& format, const Input& input);

// The text a number box shows after storing: the stored value.
inline QString numberText(int value) {
    return QString::number(value);
}

} // namespace ViewFormatRules

} // namespace kalmur
