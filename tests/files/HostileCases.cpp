#include "HostileCases.h"

#include "files/ScheduleArchive.h"
#include "model/codec/OleDate.h"
#include "tool/ScheduleJson.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kalmur::hostile {

using test::ZipEntry;

void put8(QByteArray& b, qsizetype offset, int value) {
    b[offset] = static_cast<char>(value & 0xff);
}
void put16(QByteArray& b, qsizetype offset, int value) {
    const auto u = static_cast<std::uint16_t>(value);
    b[offset] = static_cast<char>(u & 0xffu);
    b[offset + 1] = static_cast<char>(u >> 8);
}
namespace {
void putBits(QByteArray& b, qsizetype offset, const void* value, int size) {
    const auto* p = static_cast<const char*>(value);
    for (int i = 0; i < size; ++i) {
        b[offset + i] = p[i];
    }
}
} // namespace
void putDouble(QByteArray& b, qsizetype offset, double value) {
    putBits(b, offset, &value, 8);
}
void putFloat(QByteArray& b, qsizetype offset, float value) {
    putBits(b, offset, &value, 4);
}
double ole(int year, int month, int day) {
    return OleDate::fromDate(QDate(year, month, day));
}

const Members& baseMembers() {
    static const Members members = [] {
        QTemporaryDir dir;
        Schedule s(dir.path());
        EXPECT_TRUE(s.loadSettings().ok);
        s.settings().startDate = ole(1997, 1, 1);
        s.settings().endDate = ole(1997, 3, 31);
        EXPECT_TRUE(s.openAll()) << s.errorString().toStdString();
        EXPECT_TRUE(s.replaceNotes({"", "first", "second"}));
        s.setCell(1, 1, Cell{1, 0, 0, 0, 2});
        s.setExplanation(2, 1, 3);
        s.shifts()[0].description = "Day";
        s.shifts()[0].abbreviation = "D";
        s.shifts()[99].colour = 4;
        EXPECT_TRUE(s.writeShifts());
        s.explanations().descriptions[11] = "Jury duty";
        EXPECT_TRUE(s.writeExplanations());
        s.employees().names[0] = "Adams, Ann";
        s.employees().positions[0] = "RN";
        s.employees().payRate[0] = 312500;
        s.employees().names[1] = "Baker, Bo";
        // The rows the hostile cells sit on have names, so the reports print them.
        for (std::size_t slot = 3; slot <= 20; ++slot) {
            s.employees().names[slot - 1] = QStringLiteral("Staff %1").arg(slot);
        }
        EXPECT_TRUE(s.closeAll());
        Members m;
        for (const MemberInfo& info : kMembers) {
            m[info.member] = test::readFile(memberPath(dir.path(), info.member));
        }
        return m;
    }();
    return members;
}

std::vector<ZipEntry> entriesOf(const Members& members) {
    std::vector<ZipEntry> entries;
    for (const auto& [member, bytes] : members) {
        entries.push_back({std::string(memberInfo(member).fileName), bytes});
    }
    return entries;
}

Make bytes(std::function<QByteArray(const Layout&)> image) {
    return [image](const Layout& l) {
        test::writeFile(l.archive(), image(l));
    };
}

Make members(std::function<void(Members&)> patch, std::vector<ZipEntry> extra,
             std::vector<Member> skip) {
    return bytes([=](const Layout&) {
        Members m = baseMembers();
        if (patch) {
            patch(m);
        }
        for (Member s : skip) {
            m.erase(s);
        }
        auto entries = entriesOf(m);
        entries.insert(entries.end(), extra.begin(), extra.end());
        return test::zipBytes(entries);
    });
}

Make membersAt(std::vector<Member> skip,
               std::function<std::vector<ZipEntry>(const Layout&)> extra) {
    return bytes([=](const Layout& l) {
        Members m = baseMembers();
        for (Member s : skip) {
            m.erase(s);
        }
        auto entries = entriesOf(m);
        const auto more = extra(l);
        entries.insert(entries.end(), more.begin(), more.end());
        return test::zipBytes(entries);
    });
}

Make edited(std::function<void(QByteArray&)> edit) {
    return bytes([edit](const Layout&) {
        QByteArray image = test::zipBytes(entriesOf(baseMembers()));
        edit(image);
        return image;
    });
}

Make blankRange(QDate start, QDate end) {
    return members([start, end](Members& m) {
        putDouble(m[Member::Settings], at::settingsStart, OleDate::fromDate(start));
        putDouble(m[Member::Settings], at::settingsEnd, OleDate::fromDate(end));
        m[Member::Days] = QByteArray(static_cast<qsizetype>(start.daysTo(end) + 1) * 1200, '\0');
    });
}

QJsonObject cellOf(const QJsonObject& json, int day, int slot) {
    for (const QJsonValue& d : json["days"].toArray()) {
        if (d["day"].toInt() != day) {
            continue;
        }
        for (const QJsonValue& c : d["cells"].toArray()) {
            if (c["slot"].toInt() == slot) {
                return c.toObject();
            }
        }
    }
    return {};
}

QJsonArray identityRowOrder() {
    QJsonArray order;
    for (int r = 1; r <= 200; ++r) {
        order.append(r);
    }
    return order;
}

const QJsonObject& baseJson() {
    static const QJsonObject json = [] {
        QTemporaryDir dir;
        const QString wd = dir.path() + "/wd";
        QDir().mkpath(wd);
        test::writeZip(dir.path() + "/base.kmr", entriesOf(baseMembers()));
        ScheduleArchive archive(wd);
        EXPECT_EQ(archive.open(ScheduleLocation::fromPath(dir.path() + "/base.kmr")).outcome,
                  ArchiveOutcome::Extracted);
        Schedule s(wd);
        EXPECT_TRUE(s.loadSettings().ok);
        EXPECT_TRUE(s.openAll());
        return ScheduleJson::dump(s);
    }();
    return json;
}

void sameAsBase(Schedule&, const QJsonObject& json) {
    EXPECT_EQ(json, baseJson());
}

void expectNoCells(Schedule&, const QJsonObject& json) {
    EXPECT_EQ(json["days"].toArray(), QJsonArray());
}

} // namespace kalmur::hostile
