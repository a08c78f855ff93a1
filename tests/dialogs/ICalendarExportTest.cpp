// "Export iCalendar..." as a window calls it: the files of the chosen rows, or
// the failure told in an "Error" message after a beep.
#include "DialogFixture.h"

#include "dialogs/ICalendarExport.h"

#include <QFile>

namespace {

struct ICalendarExportTest : DialogFixture {
    void SetUp() override {
        ASSERT_TRUE(state.schedule().openAll());
        state.schedule().employees().names[0] = QStringLiteral("Ann");
        ASSERT_TRUE(state.schedule().setCellOfDay(1, 2, kalmur::Cell{kalmur::ShiftRecord::kOff}));
    }
};

TEST_F(ICalendarExportTest, WritesTheChosenRowsOrTellsWhyNot) {
    QFile blocker(dir.filePath(QStringLiteral("taken")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    platform.answers = {kalmur::MessageAnswer::Ok, kalmur::MessageAnswer::Ok};

    EXPECT_FALSE(kalmur::exportICalendar(platform, nullptr, state, {1, 2}, QDate(1997, 1, 1), 7,
                                         blocker.fileName()));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].request.title, QStringLiteral("Error"));
    EXPECT_TRUE(platform.messages[0].beeped);

    const QString folder = dir.filePath(QStringLiteral("phones"));
    EXPECT_TRUE(
        kalmur::exportICalendar(platform, nullptr, state, {1, 2}, QDate(1997, 1, 1), 7, folder));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].request.icon, kalmur::MessageIcon::Information);
    EXPECT_EQ(platform.busyDepth, 0);
    QFile file(folder + QStringLiteral("/001-Ann.ics"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("UID:19970102-001-WARD1.KMR@kalmur-pro")) << text.toStdString();
}

} // namespace
