// What the reports ask of the desktop: the printers, the file to print a PDF
// into and the font dialog.
#include "support/QtPrinters.h"

#include "platform/DesktopPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace kalmur;

namespace {

// Answers the next modal dialog from inside its event loop.
template <class Dialog>
void whenModal(std::function<void(Dialog*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        act(dialog);
    });
}

} // namespace

TEST(DesktopPlatform, PrintersAreTheSystemsAndTheChosenOneStaysCurrent) {
    DesktopPlatform platform;
    const QList<QPrinterInfo> system = QPrinterInfo::availablePrinters();
    const QList<InstalledPrinter> listed = platform.printers();
    ASSERT_EQ(listed.size(), system.size());
    for (qsizetype i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].name, system[i].printerName());
        EXPECT_EQ(listed[i].port, system[i].location());
    }
    const auto current = platform.currentPrinter();
    if (system.isEmpty()) {
        EXPECT_FALSE(current); // reports print into a PDF file then
    } else {
        const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
        ASSERT_TRUE(current);
        EXPECT_EQ(current->name,
                  preferred.isNull() ? system.front().printerName() : preferred.printerName());
    }
    const InstalledPrinter chosen{QStringLiteral("Ward Laser"), QStringLiteral("Office 2")};
    platform.setCurrentPrinter(chosen);
    EXPECT_EQ(platform.currentPrinter(), chosen);
}

TEST(DesktopPlatform, TheFontDialogKeepsTheSizeInRangeAndCancelGivesNothing) {
    DesktopPlatform platform;
    struct Case {
        int initial;
        int shown; // what the dialog opens with
        int picked;
        int result;
    };
    for (const Case c : {Case{20, 13, 20, 13}, Case{2, 4, 3, 4}, Case{8, 8, 11, 11}}) {
        QFont initial(QStringLiteral("Liberation Sans"));
        initial.setPointSize(c.initial);
        whenModal<QFontDialog>([c](QFontDialog* dialog) {
            EXPECT_EQ(dialog->currentFont().pointSize(), c.shown);
            QFont picked = dialog->currentFont();
            picked.setPointSize(c.picked);
            dialog->setCurrentFont(picked);
            dialog->accept();
        });
        const auto font = platform.chooseFont(nullptr, initial, 4, 13);
        ASSERT_TRUE(font) << c.initial;
        EXPECT_EQ(font->pointSize(), c.result) << c.initial;
    }
    whenModal<QFontDialog>([](QFontDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(platform.chooseFont(nullptr, QFont(), 4, 13));
}

TEST(DesktopPlatform, ThePdfFileDialogGivesAPdfName) {
    DesktopPlatform platform;
    QTemporaryDir dir;
    whenModal<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("PDF Files (*.pdf)")});
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        dialog->selectFile(QStringLiteral("week"));
        static_cast<QDialog*>(dialog)->accept(); // as the Save button does
    });
    EXPECT_EQ(platform.pdfFileName(nullptr, dir.filePath(QStringLiteral("Schedule.pdf"))),
              dir.filePath(QStringLiteral("week.pdf")));
    whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(platform.pdfFileName(nullptr, dir.filePath(QStringLiteral("Schedule.pdf"))));
}
