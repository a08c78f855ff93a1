#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// The settings record of a schedule of the previous format (the ".SPR" file of
// the old group): one record of 526 bytes. An old schedule is recognised by
// this file having exactly that length. Only the fields the conversion carries
// over are decoded.
struct OldSettingsRecord {
    static constexpr std::size_t fileSize = 526;
    static constexpr int kRows = 50;
    static constexpr int kPasteOptions = 6;

    double startDate = 0; // OLE date
    double endDate = 0;   // OLE date
    QString password;     // Text 10
    std::int16_t weekStart = 0;
    std::int16_t firstShownDay = 0;
    std::array<std::int16_t, kRows> rowOrder{}; // entry r - 1: the slot shown on row r
    std::int16_t value130 = 0;
    QString weeklyTitle;         // Text 30 at 132
    QString dailyTitle;          // Text 30 at 172
    QString twentyEightDayTitle; // Text 30 at 252
    // The first byte of the Text 10 at 282: a zero byte there means the field
    // was never written.
    std::uint8_t firstByte282 = 0;
    QString costTitle;     // Text 30 at 292
    QString calendarTitle; // Text 30 at 462
    std::array<std::int16_t, kPasteOptions> pasteOptions{};
    std::array<std::uint8_t, 10> pasteText{}; // the Text 10 after the paste options, raw
    std::int16_t value524 = 0;

    // A short image reads as if padded with zero bytes.
    static OldSettingsRecord fromBytes(std::span<const std::uint8_t> bytes);
};

} // namespace kalmur
