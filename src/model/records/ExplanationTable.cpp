#include "ExplanationTable.h"

#include "RecordImage.h"
#include "model/codec/ByteReader.h"
#include "model/codec/ByteWriter.h"

namespace kalmur {

static_assert(ExplanationTable::Offset::kQuickKeys + ExplanationTable::kCount ==
              ExplanationTable::fileSize);

ExplanationTable ExplanationTable::fromBytes(std::span<const std::uint8_t> bytes) {
    const auto image = recordImage<fileSize>(bytes);
    const ByteReader in(image);
    ExplanationTable t;
    for (std::size_t i = 0; i < kCount; ++i) {
        t.descriptions[i] = in.text(Offset::kDescriptions + 20 * i, 20);
        t.abbreviations[i] = in.text(Offset::kAbbreviations + 5 * i, 5);
        t.quickKeys[i] = in.u8(Offset::kQuickKeys + i);
    }
    return t;
}

void ExplanationTable::encode(std::span<std::uint8_t, fileSize> out) const {
    ByteWriter w(out);
    for (std::size_t i = 0; i < kCount; ++i) {
        w.setText(Offset::kDescriptions + 20 * i, 20, descriptions[i]);
        w.setText(Offset::kAbbreviations + 5 * i, 5, abbreviations[i]);
        w.setU8(Offset::kQuickKeys + i, quickKeys[i]);
    }
}

std::array<std::uint8_t, ExplanationTable::fileSize> ExplanationTable::toBytes() const {
    std::array<std::uint8_t, fileSize> out{};
    encode(out);
    return out;
}

bool ExplanationTable::isUndefined(int number) const {
    if (number < 1 || number > kCount) {
        return true;
    }
    return descriptions[static_cast<std::size_t>(number - 1)].trimmed() ==
           QLatin1String("undefined");
}

QString ExplanationTable::description(int number) const {
    return number >= 1 && number <= kCount ? descriptions[static_cast<std::size_t>(number - 1)]
                                           : QString();
}

QString ExplanationTable::abbreviation(int number) const {
    return number >= 1 && number <= kCount ? abbreviations[static_cast<std::size_t>(number - 1)]
                                           : QString();
}

ExplanationTable ExplanationTable::defaults() {
    static const char* const kNames[][2] = {
        {"Personal", "a"},      {"Vacation", "b"},          {"Sick", "c"},     {"Temp Leave", "d"},
        {"Comp", "e"},          {"Maternity", "f"},         {"Military", "g"}, {"Educational", "h"},
        {"Corp Function", "i"}, {"At other facility", "j"}, {"Other", "k"}};
    ExplanationTable t;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (i < std::size(kNames)) {
            t.descriptions[i] = QString::fromLatin1(kNames[i][0]);
            t.abbreviations[i] = QString::fromLatin1(kNames[i][1]);
        } else {
            t.descriptions[i] = QStringLiteral("undefined");
        }
    }
    return t;
}

} // namespace kalmur
