#include "StartupTestSupport.h"

#include "app/Startup.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace kalmur {
namespace {

using test::readBytes;
using test::StartupDirs;
using test::writeBytes;

StartupFailure failureOf(const std::variant<QString, StartupFailure>& result) {
    if (const auto* failure = std::get_if<StartupFailure>(&result)) {
        return *failure;
    }
    ADD_FAILURE() << "expected a failure, got " << std::get<QString>(result).toStdString();
    return StartupFailure::noWorkingDirectory(QStringLiteral("?"));
}

class CommandLineTest : public StartupDirs {};

TEST_F(CommandLineTest, TakesAnOpenableScheduleInAnyLetterCase) {
    const QString existing = inRoot(QStringLiteral("My Week.kmr"));
    writeBytes(existing, "PK");
    // The arguments are joined by single spaces, so an unquoted name with a space works.
    const QStringList split = existing.split(QLatin1Char(' '));
    EXPECT_EQ(Startup::commandLineSchedule(split), existing);
    EXPECT_EQ(Startup::commandLineSchedule({QStringLiteral("  ") + existing + QStringLiteral(" ")}),
              existing);

    // A missing file is taken when it could be created, but is not created here.
    const QString missing = inRoot(QStringLiteral("NEW.KMR"));
    EXPECT_EQ(Startup::commandLineSchedule({missing}), missing);
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(CommandLineTest, IgnoresNamesWithoutTheExtensionOrThatCannotBeOpened) {
    const QString zip = inRoot(QStringLiteral("week.zip"));
    writeBytes(zip, "PK");
    EXPECT_EQ(Startup::commandLineSchedule({}), QString());
    EXPECT_EQ(Startup::commandLineSchedule({QStringLiteral("   ")}), QString());
    EXPECT_EQ(Startup::commandLineSchedule({zip}), QString());

    EXPECT_EQ(Startup::commandLineSchedule({inRoot(QStringLiteral("nodir/WEEK.KMR"))}), QString());
    const QString folder = inRoot(QStringLiteral("folder.kmr"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(Startup::commandLineSchedule({folder}), QString());

    const QString dangling = inRoot(QStringLiteral("link.kmr"));
    ASSERT_TRUE(QFile::link(inRoot(QStringLiteral("elsewhere.kmr")), dangling));
    EXPECT_EQ(Startup::commandLineSchedule({dangling}), QString());
    EXPECT_FALSE(QFileInfo::exists(inRoot(QStringLiteral("elsewhere.kmr"))));

    if (!runningAsRoot()) {
        const QString readOnly = inRoot(QStringLiteral("locked.KMR"));
        writeBytes(readOnly, "PK");
        ASSERT_EQ(::chmod(QFile::encodeName(readOnly).constData(), S_IRUSR), 0);
        EXPECT_EQ(Startup::commandLineSchedule({readOnly}), QString());
    }
}

class WorkingDirectoryFileTest : public StartupDirs {};

TEST_F(WorkingDirectoryFileTest, FirstLineIsTheBaseDirectory) {
    writeWorkingDirectoryFile("  /srv/kalmur/base \r\n/second/line\r\n");
    EXPECT_EQ(std::get<QString>(Startup::readBaseDirectory(programDir)),
              QStringLiteral("/srv/kalmur/base"));
    writeWorkingDirectoryFile("/no/line/end");
    EXPECT_EQ(std::get<QString>(Startup::readBaseDirectory(programDir)),
              QStringLiteral("/no/line/end"));
}

TEST_F(WorkingDirectoryFileTest, UnreadableFileFailsWithTheCannotReadMessage) {
    const QString expected =
        QStringLiteral("Kalmur cannot read ") + programDir + QStringLiteral("/TRELIN.WDR");
    writeWorkingDirectoryFile("");
    const StartupFailure empty = failureOf(Startup::readBaseDirectory(programDir));
    EXPECT_EQ(empty.kind(), StartupFailure::Kind::CannotRead);
    EXPECT_EQ(empty.message(), expected);
    EXPECT_EQ(empty.title(), QStringLiteral("Can't Read TRELIN.WDR"));

    const QString otherProgram = inRoot(QStringLiteral("other"));
    ASSERT_TRUE(QDir().mkpath(otherProgram + QStringLiteral("/TRELIN.WDR")));
    EXPECT_EQ(failureOf(Startup::readBaseDirectory(otherProgram)).kind(),
              StartupFailure::Kind::CannotRead);

    const QString missing = inRoot(QStringLiteral("missing"));
    EXPECT_EQ(failureOf(Startup::readBaseDirectory(missing)).message(),
              QStringLiteral("Kalmur cannot read ") + missing + QStringLiteral("/TRELIN.WDR"));
}

TEST_F(WorkingDirectoryFileTest, BlankOrUnusableFirstLineIsNotAValidPath) {
    const QByteArray longLine(5000, 'x');
    for (const QByteArray& content :
         {QByteArray("\n/base"), QByteArray("\r\n"), QByteArray("    "), QByteArray("  \t \r\n/b"),
          QByteArray("/ba\0se\n", 7), longLine, longLine + "\n"}) {
        writeWorkingDirectoryFile(content);
        const StartupFailure failure = failureOf(Startup::readBaseDirectory(programDir));
        EXPECT_EQ(failure.kind(), StartupFailure::Kind::InvalidPath)
            << content.left(20).toStdString();
        EXPECT_EQ(failure.message(), QStringLiteral("Path in ") + programDir +
                                         QStringLiteral("/TRELIN.WDR is not valid"));
        EXPECT_EQ(failure.title(), QStringLiteral("Invalid TRELIN.WDR entry"));
    }
}

class WriteTestTest : public StartupDirs {
protected:
    QString expectedMessage(const QString& base) const {
        return QStringLiteral("Kalmur cannot write to ") + base + QChar(13) +
               QStringLiteral("Please check ") + programDir + QStringLiteral("/TRELIN.WDR");
    }
};

TEST_F(WriteTestTest, WritableBasePassesAndLeavesNothingBehind) {
    EXPECT_FALSE(Startup::writeTest(baseDir, programDir).has_value());
    EXPECT_TRUE(QDir(baseDir).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST_F(WriteTestTest, UnwritableBaseFailsWithTheCannotWriteMessage) {
    const QString missing = inRoot(QStringLiteral("no-such-dir"));
    const auto failure = Startup::writeTest(missing, programDir);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->kind(), StartupFailure::Kind::CannotWrite);
    EXPECT_EQ(failure->message(), expectedMessage(missing));
    EXPECT_EQ(failure->title(), QStringLiteral("Can't write to Temp Path"));

    if (!runningAsRoot()) {
        ASSERT_EQ(::chmod(QFile::encodeName(baseDir).constData(), S_IRUSR | S_IXUSR), 0);
        EXPECT_TRUE(Startup::writeTest(baseDir, programDir).has_value());
        ::chmod(QFile::encodeName(baseDir).constData(), S_IRWXU);
    }
}

TEST_F(WriteTestTest, NeverWritesThroughALinkInPlaceOfTheTestFile) {
    const QString victim = inRoot(QStringLiteral("victim.txt"));
    writeBytes(victim, "precious");
    ASSERT_TRUE(QFile::link(victim, inBase(QStringLiteral("TEST&&&&.TMP"))));
    const auto failure = Startup::writeTest(baseDir, programDir);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->message(), expectedMessage(baseDir));
    EXPECT_EQ(readBytes(victim), QByteArray("precious"));
}

class RunTest : public StartupDirs {};

TEST_F(RunTest, RunsTheStepsInOrderAndStopsAtTheFirstFailure) {
    const QString schedule = inRoot(QStringLiteral("week.KMR"));
    writeBytes(schedule, "PK");
    auto result = Startup::run(programDir, {schedule});
    ASSERT_TRUE(std::holds_alternative<StartupState>(result));
    const StartupState& state = std::get<StartupState>(result);
    EXPECT_EQ(state.commandLineSchedule, schedule);
    EXPECT_EQ(state.baseDirectory, baseDir);
    EXPECT_EQ(state.workingDirectory.path(), inBase(QStringLiteral("TEMP.001")));

    // A base that fails the write test gets no working directory made in it.
    writeWorkingDirectoryFile(QFile::encodeName(inRoot(QStringLiteral("gone"))) + "\n");
    auto failed = Startup::run(programDir, {});
    ASSERT_TRUE(std::holds_alternative<StartupFailure>(failed));
    EXPECT_EQ(std::get<StartupFailure>(failed).kind(), StartupFailure::Kind::CannotWrite);
    EXPECT_FALSE(QFileInfo::exists(inRoot(QStringLiteral("gone"))));
}

} // namespace
} // namespace kalmur
