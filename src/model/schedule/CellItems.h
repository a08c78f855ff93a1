#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kalmur {

// What one cell-content row of a view format can show, in list order.
struct CellItem {
    std::string_view text;
    std::int16_t code;
};

// The item codes a cell-content row stores. The codes are file values: a code
// of 1000 or more takes two text lines and one of 2000 or more three.
enum CellItemCode : std::int16_t {
    kItemNone = 0,
    kItemScreenCellIcon = 999,     // the status marks, screen only, first row only
    kItemShiftDescription = 120,   // the shift text, or the time-off text
    kItemStartTime = 130,          // of a shift with a paid length
    kItemEndTime = 140,            // likewise
    kItemStartEndTime = 150,       // likewise, "start - end"
    kItemShiftLength = 160,        // the paid length, "#0.00"
    kItemExplanation = 220,        // the explanation text
    kItemNoteText = 310,           // the note, one line
    kItemNoteText2Lines = 1310,    // the note wrapped over two lines
    kItemNoteText3Lines = 2310,    // the note wrapped over three lines
    kItemNoteStatus = 320,         // the note mark text
    kItemOnCallStatus = 410,       // the on-call text
    kItemShiftAndExplanation = 500 // the shift text and the explanation text
};

inline constexpr std::array<CellItem, 14> kCellItems = {{
    {"None", kItemNone},
    {"Screen Cell Icon", kItemScreenCellIcon},
    {"Shift Description", kItemShiftDescription},
    {"Shift & Explanation Desc.", kItemShiftAndExplanation},
    {"Start Time", kItemStartTime},
    {"End Time", kItemEndTime},
    {"Start & End Time", kItemStartEndTime},
    {"Shift Length", kItemShiftLength},
    {"Explanation Desc.", kItemExplanation},
    {"Note Text", kItemNoteText},
    {"Note Text (2 Line)", kItemNoteText2Lines},
    {"Note Text (3 Line)", kItemNoteText3Lines},
    {"Note Status", kItemNoteStatus},
    {"On Call Status", kItemOnCallStatus},
}};

// Text lines an item takes in a cell.
constexpr int cellItemLines(int code) {
    return code >= 2000 ? 3 : code >= 1000 ? 2 : 1;
}

constexpr bool isCellItemCode(int code) {
    for (const auto& item : kCellItems) {
        if (item.code == code) {
            return true;
        }
    }
    return false;
}

// The time formats a view format offers: shown text and stored text (minutes
// are "n" when stored).
struct TimeFormatChoice {
    std::string_view shown;
    std::string_view stored;
};

inline constexpr std::array<TimeFormatChoice, 8> kTimeFormats = {{
    {"hh:mma/p", "hh:nna/p"},
    {"h:mma/p", "h:nna/p"},
    {"h:ma/p", "h:na/p"},
    {"ha/p", "ha/p"},
    {"hh:mm", "hh:nn"},
    {"h:mm", "h:nn"},
    {"h:m", "h:n"},
    {"h", "h"},
}};

} // namespace kalmur
