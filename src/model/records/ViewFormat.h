#pragma once

#include "CoverageLine.h"
#include "ReportSetup.h"

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// One row of a view format's cell contents: what a cell shows on screen and in
// the schedule report. The two layout values are filled by the grid layout.
struct CellContentRow {
    static constexpr std::size_t fileSize = 12;
    // Where each field starts in the row image.
    struct Offset {
        static constexpr std::size_t kItem = 0;
        static constexpr std::size_t kScreen = 2;
        static constexpr std::size_t kReport = 4;
        static constexpr std::size_t kTie = 6;
        static constexpr std::size_t kLayout = 8;
    };
    std::int16_t item = 0; // item code (0 none, 999 screen cell icon, 120 shift description, ...)
    bool screen = false;
    bool report = false;
    bool tie = false;
    std::array<std::int16_t, 2> layout{};
    bool operator==(const CellContentRow&) const = default;
};

// One of the five named view formats of a schedule.
struct ViewFormat {
    static constexpr std::size_t fileSize = 9185;
    static constexpr int kCount = 5;
    static constexpr int kCellRows = 6;
    static constexpr int kCoverageLines = 20;
    static constexpr int kMaxDaysOnScreen = 42;
    // Where each field starts in the record image.
    struct Offset {
        static constexpr std::size_t kValue0 = 0;
        static constexpr std::size_t kName = 2;
        static constexpr std::size_t kSymbols = 22;
        static constexpr std::size_t kTimeFormat = 24;
        static constexpr std::size_t kHidePosition = 39;
        static constexpr std::size_t kLayoutValues = 41;
        static constexpr std::size_t kAbbreviations = 45;
        static constexpr std::size_t kRulerDay = 47;
        static constexpr std::size_t kRulerDate = 49;
        static constexpr std::size_t kDaysOnScreen = 51;
        static constexpr std::size_t kFontName = 53;
        static constexpr std::size_t kFontSize = 83;
        static constexpr std::size_t kFontBold = 87;
        static constexpr std::size_t kFontItalic = 89;
        static constexpr std::size_t kShowTimeOff = 91;
        static constexpr std::size_t kCoverageVisible = 93;
        static constexpr std::size_t kReportSetup = 95;
        static constexpr std::size_t kValue231 = 231;
        static constexpr std::size_t kCellRowsAt = 233;
        static constexpr std::size_t kCoverageAt = 305;
        static constexpr std::size_t kValues9105 = 9105;
        static constexpr std::size_t kText9135 = 9135;
    };

    std::int16_t value0 = 0;
    QString name; // Text 20; "Not Used" marks a free slot
    bool showCellIcon = false;
    QString timeFormat; // Text 15, e.g. "h:nna/p"
    bool hidePosition = false;
    std::array<std::int16_t, 2> layoutValues{}; // at 41 and 43, kept for the grid layout
    bool useAbbreviations = false;
    std::int16_t rulerDay = 0;  // list index 0..3
    std::int16_t rulerDate = 0; // list index 0..3
    std::int16_t daysOnScreen = 0;
    QString fontName; // Text 30
    float fontSize = 0;
    bool fontBold = false;
    bool fontItalic = false;
    bool showTimeOff = false;
    std::int16_t coverageVisible = 0; // 0..20
    ReportSetup reportSetup;          // the schedule report's page setup
    std::int16_t value231 = 0;
    std::array<CellContentRow, kCellRows> cellRows{};
    std::array<CoverageLine, kCoverageLines> coverageLines{};
    std::array<std::uint8_t, 30> values9105{};
    std::array<std::uint8_t, 50> text9135{};

    static ViewFormat fromBytes(std::span<const std::uint8_t> bytes);
    void encode(std::span<std::uint8_t, fileSize> out) const;
    std::array<std::uint8_t, fileSize> toBytes() const;

    bool isUsed() const;
    bool operator==(const ViewFormat&) const = default;
};

} // namespace kalmur
