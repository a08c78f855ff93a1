#pragma once

#include <QString>
#include <QTime>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// One shift definition. The shift table holds 102 of them: 1..99 user shifts,
// 100 off, 101 on call, 102 the note mark.
struct ShiftRecord {
    static constexpr std::size_t fileSize = 47;
    static constexpr int kUserShifts = 99;
    static constexpr int kCount = 102;
    static constexpr int kOff = 100;
    static constexpr int kOnCall = 101;
    static constexpr int kNoteMark = 102;
    // Where each field starts in the record image.
    struct Offset {
        static constexpr std::size_t kDescription = 0;
        static constexpr std::size_t kStartTime = 15;
        static constexpr std::size_t kEndTime = 23;
        static constexpr std::size_t kColour = 31;
        static constexpr std::size_t kQuickKey = 33;
        static constexpr std::size_t kAbbreviation = 34;
        static constexpr std::size_t kBreakLength = 39;
        static constexpr std::size_t kPaidLength = 43;
    };

    QString description;     // Text 15
    double startTime = 0;    // a date on day 0
    double endTime = 0;      // a date on day 0
    std::int16_t colour = 0; // 0..15 of the 16-colour palette
    std::uint8_t quickKey = 0;
    QString abbreviation;  // Text 5
    float breakLength = 0; // hours
    float paidLength = 0;  // hours

    static ShiftRecord fromBytes(std::span<const std::uint8_t> bytes);
    void encode(std::span<std::uint8_t, fileSize> out) const;
    std::array<std::uint8_t, fileSize> toBytes() const;

    // The paid hours of a shift from start to end less the break: an end at or
    // before the start is on the next day, unless either end is exactly
    // midnight; never below 0. Seconds do not count.
    static float paidLengthOf(QTime start, QTime end, double breakHours);

    // A free slot: described "undefined", left out of pick lists.
    bool isUndefined() const;
    static ShiftRecord undefined();
    bool operator==(const ShiftRecord&) const = default;
};

} // namespace kalmur
