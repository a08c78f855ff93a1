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

inline constexpr std::int16_t kItemNone = 0;
inline constexpr std::int16_t kItemScreenCellIcon = 999;

inline constexpr std::array<CellItem, 14> kCellItems = {{
    {"None", 0},
    {"Screen Cell Icon", 999},
    {"Shift Description", 120},
    {"Shift & Explanation Desc.", 500},
    {"Start Time", 130},
    {"End Time", 140},
    {"Start & End Time", 150},
    {"Shift Length", 160},
    {"Explanation Desc.", 220},
    {"Note Text", 310},
    {"Note Text (2 Line)", 1310},
    {"Note Text (3 Line)", 2310},
    {"Note Status", 320},
    {"On Call Status", 410},
}};

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
