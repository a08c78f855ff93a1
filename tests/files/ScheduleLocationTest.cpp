#include "files/ScheduleLocation.h"

#include "ArchiveTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kalmur {
namespace {

struct SplitCase {
    const char* path;
    const char* marker;
    const char* directory;
    const char* name;
    const char* extension;
};

TEST(ScheduleLocationTest, SplitsPathsAndKeepsTheExtensionAsFound) {
    const SplitCase cases[] = {
        {"/home/ann/ward.kmr", ".KMR", "/home/ann/", "ward", ".kmr"},
        {"/home/ann/WARD.KMR", ".KMR", "/home/ann/", "WARD", ".KMR"},
        {"A:\\SCHED\\Ward.Kmr", ".KMR", "A:\\SCHED\\", "Ward", ".Kmr"},
        {"A:ward.kmr", ".KMR", "A:", "ward", ".kmr"},
        {"ward.kmr", ".KMR", "", "ward", ".kmr"},
        {"/x/a.kmr.kmr", ".KMR", "/x/", "a.kmr", ".kmr"},
        {"/x/ward.kmr.bak", ".KMR", "/x/", "ward", ".kmr"},
        {"/x/ward", ".KMR", "/x/", "ward", ".KMR"},
        {"/x/old.sch", ".SCH", "/x/", "old", ".sch"},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.path);
        const auto location =
            ScheduleLocation::fromPath(QString::fromUtf8(c.path), QString::fromUtf8(c.marker));
        EXPECT_EQ(location.directory(), QString::fromUtf8(c.directory));
        EXPECT_EQ(location.name(), QString::fromUtf8(c.name));
        EXPECT_EQ(location.extension(), QString::fromUtf8(c.extension));
    }
    EXPECT_EQ(ScheduleLocation::fromPath("/home/ann/ward.kmr").archivePath(), "/home/ann/ward.kmr");
}

TEST(ScheduleLocationTest, FloppyRule) {
    const std::pair<const char*, bool> cases[] = {
        {"A:", false},         {"B:", false},         {"A:\\", true},
        {"B:\\SCHED\\", true}, {"A:SCHED", true},     {"C:\\", false},
        {"a:\\", false},       {"/media/A:/", false}, {"", false},
    };
    for (const auto& [directory, floppy] : cases) {
        EXPECT_EQ(ScheduleLocation::isFloppyDirectory(directory), floppy) << directory;
    }
}

TEST(ScheduleLocationTest, TakesTheLetterCaseFromTheListing) {
    QTemporaryDir root;
    test::writeFile(root.path() + "/WARD.KMR", "x");
    test::writeFile(root.path() + "/Other.kmr", "x");
    test::writeFile(root.path() + "/OTHER.KMR", "x");

    const auto found = ScheduleLocation::fromPath(root.path() + "/ward.kmr").withCaseFromListing();
    EXPECT_EQ(found.archivePath(), root.path() + "/WARD.KMR");
    // Exact matches and ambiguous or missing ones stay as they are.
    for (const char* name : {"/Other.kmr", "/other.kmr", "/none.kmr"}) {
        const auto location = ScheduleLocation::fromPath(root.path() + name);
        EXPECT_EQ(location.withCaseFromListing(), location) << name;
    }
}

} // namespace
} // namespace kalmur
