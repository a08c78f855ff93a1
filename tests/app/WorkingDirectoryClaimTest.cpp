#include "StartupTestSupport.h"

#include "app/Startup.h"

#include <QFileInfo>

#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace kalmur {
namespace {

using test::readBytes;
using test::writeBytes;

class WorkingDirectoryClaimTest : public test::StartupDirs {
protected:
    WorkingDirectoryLock claim() {
        auto result = Startup::claimWorkingDirectory(baseDir);
        if (auto* failure = std::get_if<StartupFailure>(&result)) {
            ADD_FAILURE() << failure->message().toStdString();
            return {};
        }
        return std::get<WorkingDirectoryLock>(std::move(result));
    }

    QString temp(int number) const { return inBase(WorkingDirectoryLock::directoryName(number)); }
    QString lockFile(int number) const { return temp(number) + QStringLiteral("/SYSTEM.LOK"); }
};

TEST_F(WorkingDirectoryClaimTest, ClaimsTheLowestFreeNumberWithAPrivateDirectory) {
    WorkingDirectoryLock first = claim();
    EXPECT_EQ(first.number(), 1);
    EXPECT_EQ(first.path(), temp(1));
    EXPECT_EQ(readBytes(lockFile(1)), QByteArray("KalmurTEST\n"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(temp(1)).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u);

    // A claim that finds the lock held must leave the holder's lock file alone.
    writeBytes(temp(1) + QStringLiteral("/KALMUR2.SCH"), "members");
    WorkingDirectoryLock second = claim();
    EXPECT_EQ(second.path(), temp(2));
    EXPECT_EQ(readBytes(lockFile(1)), QByteArray("KalmurTEST\n"));

    // Moving keeps the lock; releasing frees the number for the next claim.
    WorkingDirectoryLock moved = std::move(first);
    EXPECT_FALSE(first.isHeld());
    EXPECT_EQ(claim().number(), 3);
    moved.release();
    EXPECT_FALSE(moved.isHeld());
    EXPECT_EQ(claim().number(), 1);
}

TEST_F(WorkingDirectoryClaimTest, ReusesALeftOverDirectoryWhoseLockIsNotHeld) {
    ASSERT_TRUE(QDir().mkpath(temp(1)));
    writeBytes(lockFile(1), "a much longer left-over line\r\n");
    writeBytes(temp(1) + QStringLiteral("/KALMUR2.SCH"), "last schedule");
    const WorkingDirectoryLock lock = claim();
    EXPECT_EQ(lock.number(), 1);
    EXPECT_EQ(readBytes(lockFile(1)), QByteArray("KalmurTEST\n"));
    // Members of the last schedule stay: clearing them is the archive's business.
    EXPECT_TRUE(QFileInfo::exists(temp(1) + QStringLiteral("/KALMUR2.SCH")));
}

TEST_F(WorkingDirectoryClaimTest, SkipsLinksFilesAndLinkedLockFiles) {
    const QString elsewhere = inRoot(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QFile::link(elsewhere, temp(1)));
    writeBytes(temp(2), "not a directory");
    ASSERT_TRUE(QDir().mkpath(temp(3)));
    const QString victim = inRoot(QStringLiteral("victim"));
    writeBytes(victim, "precious");
    ASSERT_TRUE(QFile::link(victim, lockFile(3)));

    const WorkingDirectoryLock lock = claim();
    EXPECT_EQ(lock.path(), temp(4));
    EXPECT_TRUE(QDir(elsewhere).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_EQ(readBytes(temp(2)), QByteArray("not a directory"));
    EXPECT_EQ(readBytes(victim), QByteArray("precious"));
}

TEST_F(WorkingDirectoryClaimTest, SkipsADirectoryOfAnotherUser) {
    if (!runningAsRoot()) {
        GTEST_SKIP() << "only root can hand a directory to another user";
    }
    ASSERT_TRUE(QDir().mkpath(temp(1)));
    ASSERT_EQ(::chown(QFile::encodeName(temp(1)).constData(), 65534, 65534), 0);
    EXPECT_EQ(claim().number(), 2);
    EXPECT_FALSE(QFileInfo::exists(lockFile(1)));
}

TEST_F(WorkingDirectoryClaimTest, FailsWhenAllTwentyAreHeld) {
    std::vector<WorkingDirectoryLock> held;
    for (int n = 1; n <= 20; ++n) {
        held.push_back(claim());
        EXPECT_EQ(held.back().path(), temp(n));
    }
    auto result = Startup::claimWorkingDirectory(baseDir);
    ASSERT_TRUE(std::holds_alternative<StartupFailure>(result));
    const StartupFailure& failure = std::get<StartupFailure>(result);
    EXPECT_EQ(failure.kind(), StartupFailure::Kind::NoWorkingDirectory);
    EXPECT_EQ(failure.message(),
              QStringLiteral("Kalmur cannot create/use a temp working directory on ") + baseDir);
    EXPECT_EQ(failure.title(), QStringLiteral("* ERROR *"));
    EXPECT_FALSE(QFileInfo::exists(inBase(QStringLiteral("TEMP.021"))));
}

} // namespace
} // namespace kalmur
