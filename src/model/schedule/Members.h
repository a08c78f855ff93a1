#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kalmur {

// The member files of an open schedule's working set. Every member lives in the
// working directory as "KALMUR2." + extension and is a file of fixed-length
// records; the archive holds exactly these files under the same names.
enum class Member { Days, Shifts, Employees, ViewFormats, Notes, Explanations, Settings, Queries };

struct MemberInfo {
    Member member;
    std::string_view fileName; // as written in the working directory
    std::int64_t recordLength;
    std::int64_t maxRecords; // the most records a valid member can hold
};

inline constexpr std::string_view kMemberBaseName = "KALMUR2";
// The largest day count a schedule can have: day numbers and the first-visible
// offset are 16-bit.
inline constexpr std::int64_t kMaxDays = 32767;
// Note numbers are 16-bit too.
inline constexpr std::int64_t kMaxNotes = 32767;

inline constexpr std::array<MemberInfo, 8> kMembers = {{
    {Member::Days, "KALMUR2.SCH", 1200, kMaxDays},
    {Member::Shifts, "KALMUR2.SSH", 47, 102},
    {Member::Employees, "KALMUR2.SEM", 8020, 1},
    {Member::ViewFormats, "KALMUR2.SSF", 9185, 5},
    {Member::Notes, "KALMUR2.SNO", 60, kMaxNotes},
    {Member::Explanations, "KALMUR2.SEP", 2574, 1},
    {Member::Settings, "KALMUR2.SPR", 2396, 1},
    {Member::Queries, "KALMUR2.SQ1", 502, 10},
}};

constexpr const MemberInfo& memberInfo(Member m) {
    for (const auto& info : kMembers) {
        if (info.member == m) {
            return info;
        }
    }
    return kMembers[0];
}

// The largest byte length a member may have in an archive.
constexpr std::int64_t maxMemberBytes(const MemberInfo& info) {
    return info.recordLength * info.maxRecords;
}

inline QString memberPath(const QString& workingDirectory, std::string_view fileName) {
    return workingDirectory + QLatin1Char('/') +
           QLatin1String(fileName.data(), static_cast<qsizetype>(fileName.size()));
}

inline QString memberPath(const QString& workingDirectory, Member m) {
    return memberPath(workingDirectory, memberInfo(m).fileName);
}

// Temporary members used while the date range is rebuilt.
inline constexpr std::string_view kRebuildDaysName = "KALMUR2.NCH";
inline constexpr std::string_view kRebuildNotesName = "KALMUR2.NNO";

} // namespace kalmur
