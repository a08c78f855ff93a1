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
    // Where each field starts in the record image.
    struct Offset {
        static constexpr std::size_t kTitle = 0;
        static constexpr std::size_t kPrintQuality = 30;
        static constexpr std::size_t kOrientation = 32;
        static constexpr std::size_t kShadingAllowed = 34;
        static constexpr std::size_t kMarginsAllowed = 36;
        static constexpr std::size_t kShadePercent = 38;
        static constexpr std::size_t kShadeRuler = 40;
        static constexpr std::size_t kShadeCoverage = 42;
        static constexpr std::size_t kInColor = 44;
        static constexpr std::size_t kMargins = 46;
        static constexpr std::size_t kCentimeters = 54;
        static constexpr std::size_t kUseScreenFont = 56;
        static constexpr std::size_t kFontName = 58;
        static constexpr std::size_t kFontSize = 88;
        static constexpr std::size_t kFontBold = 92;
        static constexpr std::size_t kFontItalic = 94;
        static constexpr std::size_t kOptionsAt = 96;
    };

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
