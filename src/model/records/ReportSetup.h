#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace kalmur {

// The page setup of one report.
struct ReportSetup {
    static constexpr std::size_t fileSize = 136;
    static constexpr int kOptions = 20;

    QString title;                 // Text 30
    std::int16_t printQuality = 0; // "Default", "Draft", "Low", "Medium", "High"
    std::int16_t orientation = 0;  // "Default", "Portrait", "Landscape"
    bool shadingAllowed = false;
    bool marginsAllowed = false;
    std::int16_t shadePercent = 0; // 5, 10 or 20
    bool shadeRuler = false;
    bool shadeCoverage = false;
    bool inColor = false;
    std::array<std::int16_t, 4> margins{}; // top, bottom, left, right in twips
    bool centimeters = false;
    bool useScreenFont = false;
    QString fontName; // Text 30
    float fontSize = 0;
    bool fontBold = false;
    bool fontItalic = false;
    std::array<bool, kOptions> options{}; // report-specific flags 1..20 at index 0..19

    static ReportSetup fromBytes(std::span<const std::uint8_t> bytes);
    void encode(std::span<std::uint8_t, fileSize> out) const;
    std::array<std::uint8_t, fileSize> toBytes() const;

    // Sets the given 1-based option numbers.
    void setOptions(std::initializer_list<int> numbers);
    bool operator==(const ReportSetup&) const = default;
};

} // namespace kalmur
