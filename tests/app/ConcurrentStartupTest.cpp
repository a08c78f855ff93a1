#include "StartupTestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSet>

#include <algorithm>
#include <memory>
#include <vector>

namespace kalmur {
namespace {

// Each copy is a separate process running the real start-up steps, so the locks
// are tested between processes, as running copies of the program hold them.
class ConcurrentStartupTest : public test::StartupDirs {
protected:
    void TearDown() override {
        for (auto& copy : m_copies) {
            copy->closeWriteChannel();
        }
        for (auto& copy : m_copies) {
            if (!copy->waitForFinished(5000)) {
                copy->kill();
                copy->waitForFinished(5000);
            }
        }
    }

    QProcess* start() {
        auto copy = std::make_unique<QProcess>();
        copy->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        copy->start(QStringLiteral(KALMUR_STARTUP_CLAIMER), {programDir});
        m_copies.push_back(std::move(copy));
        return m_copies.back().get();
    }

    // The one line a copy prints once it has claimed a directory or failed.
    static QString reply(QProcess* copy) {
        QElapsedTimer timer;
        timer.start();
        while (!copy->canReadLine() && timer.elapsed() < 8000) {
            if (!copy->waitForReadyRead(500) && copy->state() == QProcess::NotRunning) {
                break;
            }
        }
        return QString::fromLocal8Bit(copy->readLine()).trimmed();
    }

    QString claimed(int number) const {
        return QStringLiteral("OK ") +
               inBase(QStringLiteral("TEMP.%1").arg(number, 3, 10, QLatin1Char('0')));
    }

private:
    std::vector<std::unique_ptr<QProcess>> m_copies;
};

TEST_F(ConcurrentStartupTest, TwentyCopiesShareOneBaseAndAKilledCopyFreesItsDirectory) {
    std::vector<QProcess*> copies;
    for (int n = 0; n < 20; ++n) {
        copies.push_back(start());
    }
    std::vector<QString> replies;
    for (QProcess* copy : copies) {
        replies.push_back(reply(copy));
    }
    QSet<QString> expected;
    for (int n = 1; n <= 20; ++n) {
        expected.insert(claimed(n));
    }
    ASSERT_EQ(QSet<QString>(replies.begin(), replies.end()), expected);

    QProcess* extra = start();
    EXPECT_EQ(reply(extra),
              QStringLiteral("FAIL Kalmur cannot create/use a temp working directory on ") +
                  baseDir);
    EXPECT_TRUE(extra->waitForFinished(5000));
    EXPECT_EQ(extra->exitCode(), 1);

    // SIGKILL gives the copy holding TEMP.007 no chance to clean up; its
    // directory is free for the next copy all the same.
    const auto holder = std::find(replies.begin(), replies.end(), claimed(7)) - replies.begin();
    QProcess* victim = copies[static_cast<std::size_t>(holder)];
    victim->kill();
    ASSERT_TRUE(victim->waitForFinished(5000));
    EXPECT_EQ(victim->exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(reply(start()), claimed(7));
}

} // namespace
} // namespace kalmur
