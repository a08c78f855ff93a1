#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// Names, positions, pay and the overtime rules; one record. The four arrays are
// indexed by display row - 1 (not by employee slot: the row order maps rows to
// the slots whose day cells they show).
struct EmployeeTable {
    static constexpr std::size_t fileSize = 8020;
    static constexpr int kRows = 200;
    static constexpr std::int16_t kLayoutMarker = 2;
    // Where each field starts in the record image.
    struct Offset {
        static constexpr std::size_t kNames = 0;
        static constexpr std::size_t kPositions = 4000;
        static constexpr std::size_t kMarker = 6000;
        static constexpr std::size_t kThresDay = 6002;
        static constexpr std::size_t kDayFactor = 6006;
        static constexpr std::size_t kPeriodDays = 6010;
        static constexpr std::size_t kThresPeriod = 6012;
        static constexpr std::size_t kPeriodFactor = 6016;
        static constexpr std::size_t kPayRate = 6020;
        static constexpr std::size_t kPayType = 7620;
    };

    std::array<QString, kRows> names;     // Text 20; "/..." marks a divider row
    std::array<QString, kRows> positions; // Text 10
    std::int16_t layoutMarker = kLayoutMarker;
    float thresDay = 8.0f;
    float dayOtFactor = 1.0f;
    std::int16_t periodDays = 7;
    float thresPeriod = 40.0f;
    float periodOtFactor = 1.5f;
    std::array<std::int64_t, kRows> payRate{}; // Currency: amount x 10,000
    std::array<std::int16_t, kRows> payType{}; // 0 hourly, 1 daily

    static EmployeeTable fromBytes(std::span<const std::uint8_t> bytes);
    void encode(std::span<std::uint8_t, fileSize> out) const;
    std::array<std::uint8_t, fileSize> toBytes() const;

    // The defaults of a new table: marker 2, overtime 8 h x 1.0 daily and 40 h
    // x 1.5 over 7 days, blank names and positions, no pay.
    static EmployeeTable defaults();
    // The kinds of row, one rule for every command, list and count:
    // - a divider row's name begins with "/": it is drawn as a band and takes
    //   no cells;
    // - a named row's name is neither blank nor a divider: only named rows are
    //   listed, found and counted;
    // - an empty row has a blank name and nothing in its cells on the days
    //   shown (Schedule::isEmptyRow, since it looks at the cells).
    // A row with a blank name that still holds cells is neither named nor empty.
    static bool isDividerName(const QString& name);
    static bool isNamedName(const QString& name);
    // Rows 1..200; false for rows outside.
    bool isDivider(int row) const;
    bool isNamed(int row) const;
    bool hasBlankName(int row) const;

    // Resets the marker, the overtime rules, every cost and pay type; names and
    // positions stay.
    void resetLayout();
    bool operator==(const EmployeeTable&) const = default;
};

} // namespace kalmur
