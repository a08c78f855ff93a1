#pragma once

#include "ReportSetup.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// The settings record of a schedule: its dates, password, first day of the
// week, row order, the setups of the reports kept here, the selective-paste
// choices and the current view-format number.
struct ScheduleSettings {
    static constexpr std::size_t fileSize = 2396;
    static constexpr int kRows = 200;
    // Where each field starts in the record image.
    struct Offset {
        static constexpr std::size_t kStart = 0;
        static constexpr std::size_t kEnd = 8;
        static constexpr std::size_t kPassword = 16;
        static constexpr std::size_t kWeekStart = 26;
        static constexpr std::size_t kFirstShown = 28;
        static constexpr std::size_t kRowOrder = 30;
        static constexpr std::size_t kReserved430 = 430;
        static constexpr std::size_t kReserved432 = 432;
        static constexpr std::size_t kReserved472 = 472;
        static constexpr std::size_t kReserved522 = 522;
        static constexpr std::size_t kCost = 602;
        static constexpr std::size_t kCalendar = 738;
        static constexpr std::size_t kPersonal = 874;
        // The setup table: the legend's setup, the query report's, then the spare ones.
        static constexpr std::size_t kLegend = 1010;
        static constexpr std::size_t kQuery = 1146;
        static constexpr std::size_t kSpare = 1282;
        static constexpr std::size_t kPaste = 2370;
        static constexpr std::size_t kReserved2382 = 2382;
        static constexpr std::size_t kReserved2392 = 2392;
        static constexpr std::size_t kViewFormat = 2394;
    };
    // The setup table holds ten report setups: the legend's, the query report's
    // and eight that no report uses, kept byte for byte.
    static constexpr int kSetupTable = 10;
    static constexpr int kSpareSetups = kSetupTable - 2;
    static constexpr int kPasteOptions = 6;

    double startDate = 0;                       // OLE date
    double endDate = 0;                         // OLE date
    QString password;                           // Text 10, upper case, blank for none
    std::int16_t weekStart = 1;                 // 1 = Sunday .. 7 = Saturday
    std::int16_t firstShownDay = 0;             // days from the start date to the first day shown
    std::array<std::int16_t, kRows> rowOrder{}; // entry r - 1: the slot shown on row r
    std::int16_t reserved430 = 0;
    std::array<std::uint8_t, 40> reserved432{};
    std::array<std::uint8_t, 50> reserved472{};
    std::array<std::uint8_t, 80> reserved522{};
    ReportSetup costSetup;
    ReportSetup calendarSetup;
    ReportSetup personalSetup;
    ReportSetup legendSetup;
    ReportSetup querySetup;
    std::array<std::array<std::uint8_t, ReportSetup::fileSize>, kSpareSetups> spareSetups{};
    std::array<bool, kPasteOptions> pasteOptions{};
    std::array<std::uint8_t, 10> reserved2382{};
    std::int16_t reserved2392 = 0;
    std::int16_t viewFormatNumber = 0;

    static ScheduleSettings fromBytes(std::span<const std::uint8_t> bytes);
    void encode(std::span<std::uint8_t, fileSize> out) const;
    std::array<std::uint8_t, fileSize> toBytes() const;

    // The record of a new settings file; the dates run from 1 January of the
    // year of `today` to 31 December of the next year.
    static ScheduleSettings defaults(QDate today);
    bool operator==(const ScheduleSettings&) const = default;
};

} // namespace kalmur
