// kalmur-tool convert, run in process.
#include "files/OldScheduleSample.h"

#include "support/ToolRunner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kalmur;

namespace {

struct ConvertToolTest : ::testing::Test {
    QTemporaryDir dir;
    QString sch = dir.path() + "/WARD.SCH";
    QString kmr = dir.path() + "/WARD.KMR";

    void SetUp() override { oldsample::writeGroup(dir.path()); }
};

TEST_F(ConvertToolTest, ConvertsBesideTheOldFiles) {
    const ToolRun help = tool({"convert", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("convert DIR/NAME.SCH [--force]"));

    const ToolRun run = tool({"convert", sch});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const ToolRun info = tool({"info", kmr});
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains("1997-01-01 to 1997-03-31 (90 days)")) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains("Named rows:   4")) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains("Notes:        3 in cells (3 note records)"))
        << info.out.toStdString();
    EXPECT_TRUE(info.out.contains("Shifts:       5 of 99 defined"));
    EXPECT_TRUE(info.out.contains("Password:     set"));
}

TEST_F(ConvertToolTest, RefusesWithTheDialogsMessages) {
    oldsample::write(kmr, handbytes::Bytes(40, 2));
    const auto before = oldsample::snapshot(dir.path());
    ToolRun r = tool({"convert", sch});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.trimmed(),
              "kalmur-tool: " + kmr + " already exists. Do you wish to overwrite this file?");
    EXPECT_EQ(oldsample::snapshot(dir.path()), before);
    r = tool({"convert", sch, "--force"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_GT(QFileInfo(kmr).size(), 40);

    oldsample::write(dir.path() + "/WARD.SPR", handbytes::Bytes(20, 0));
    r = tool({"convert", sch, "--force"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.trimmed(), "kalmur-tool: " + sch + " is not a valid Kalmur 1.0x file.");

    ASSERT_TRUE(QFile::remove(kmr));
    ASSERT_TRUE(QDir().mkdir(kmr));
    r = tool({"convert", sch});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.trimmed(), "kalmur-tool: Cannot create " + kmr);

    r = tool({"convert", dir.path() + "/WARD.SPR"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(tool({"convert"}).status, 2);
}

} // namespace
