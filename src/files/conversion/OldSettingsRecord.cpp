#include "OldSettingsRecord.h"

#include "model/codec/ByteReader.h"
#include "model/records/RecordImage.h"

namespace kalmur {

namespace {
constexpr std::size_t kStart = 0;
constexpr std::size_t kEnd = 8;
constexpr std::size_t kPassword = 16;
constexpr std::size_t kWeekStart = 26;
constexpr std::size_t kFirstShown = 28;
constexpr std::size_t kRowOrder = 30;
constexpr std::size_t kValue130 = 130;
constexpr std::size_t kWeeklyTitle = 132;
constexpr std::size_t kDailyTitle = 172;
constexpr std::size_t kTwentyEightDayTitle = 252;
constexpr std::size_t kText282 = 282;
constexpr std::size_t kCostTitle = 292;
constexpr std::size_t kCalendarTitle = 462;
constexpr std::size_t kPaste = 502;
constexpr std::size_t kPasteText = 514;
constexpr std::size_t kValue524 = 524;
constexpr std::size_t kTitleWidth = 30;
static_assert(kRowOrder + 2 * OldSettingsRecord::kRows == kValue130);
static_assert(kPaste + 2 * OldSettingsRecord::kPasteOptions == kPasteText);
static_assert(kValue524 + 2 == OldSettingsRecord::fileSize);
} // namespace

OldSettingsRecord OldSettingsRecord::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    OldSettingsRecord s;
    s.startDate = in.f64(kStart);
    s.endDate = in.f64(kEnd);
    s.password = in.text(kPassword, 10);
    s.weekStart = in.i16(kWeekStart);
    s.firstShownDay = in.i16(kFirstShown);
    for (std::size_t r = 0; r < kRows; ++r) {
        s.rowOrder[r] = in.i16(kRowOrder + 2 * r);
    }
    s.value130 = in.i16(kValue130);
    s.weeklyTitle = in.text(kWeeklyTitle, kTitleWidth);
    s.dailyTitle = in.text(kDailyTitle, kTitleWidth);
    s.twentyEightDayTitle = in.text(kTwentyEightDayTitle, kTitleWidth);
    s.firstByte282 = in.u8(kText282);
    s.costTitle = in.text(kCostTitle, kTitleWidth);
    s.calendarTitle = in.text(kCalendarTitle, kTitleWidth);
    for (std::size_t i = 0; i < kPasteOptions; ++i) {
        s.pasteOptions[i] = in.i16(kPaste + 2 * i);
    }
    copyBytes(s.pasteText, in.bytes(kPasteText, s.pasteText.size()));
    s.value524 = in.i16(kValue524);
    return s;
}

} // namespace kalmur
