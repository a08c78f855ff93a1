// Each report window of the main window's menus, on the demo ward, answered
// with Print to the program's PDF-file printer: the PDF has pages and the
// report's title.
#include "WalkSupport.h"
#include "support/WardSchedule.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>

using namespace kalmur;

namespace {

QPushButton* button(QWidget* window, const QString& text) {
    for (auto* b : window->findChildren<QPushButton*>()) {
        if (b->window() == window && b->isVisible() && b->isEnabled() &&
            b->text().remove(QLatin1Char('&')) == text) {
            return b;
        }
    }
    return nullptr;
}

} // namespace

TEST(PrintWalk, EveryReportWindowPrintsItsTitleIntoAPdf) {
    struct Case {
        const char* item;   // the menu item that opens it
        const char* window; // the window whose Print is chosen
        const char* title;  // in the PDF
    };
    const Case cases[] = {
        {"Report_Current", "kalmur::PrtMain", "Schedule"},
        {"File_Print", "kalmur::PrtMain", "Schedule"},
        {"View_Change", "kalmur::PrtMain", "Schedule"},
        {"Report_Proj", "kalmur::ProjCost", "Estimated Cost"},
        {"Report_Query", "kalmur::QueryPrt", "Vacations"},
        {"Report_Personal_Month", "kalmur::CalRpt2", "Employee Calendar"},
        {"Report_Personal_Day142", "kalmur::Per42", "Personal Schedule"},
        {"Report_Legend", "kalmur::Legend", "Legend"},
    };
    DemoWard demo;
    ASSERT_TRUE(demo.state->isOpen());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        const QString pdf = demo.root.filePath(QLatin1String(c.item) + QStringLiteral(".pdf"));
        bool printed = false;
        ModalAnswerer user(demo.platform);
        user.answer = [&](QWidget* w) {
            const QString kind = QString::fromLatin1(w->metaObject()->className());
            if (auto* files = qobject_cast<QFileDialog*>(w)) {
                files->selectFile(pdf);
                static_cast<QDialog*>(files)->accept(); // as Save does
                return true;
            }
            if (kind == QLatin1String("kalmur::Query")) {
                w->findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(1);
                // Over the whole schedule, so that someone is found.
                for (const char* end : {"BOF", "EOF"}) {
                    w->findChild<QPushButton*>(QLatin1String(end))->click();
                }
                QPushButton* run = button(w, QStringLiteral("Run..."));
                EXPECT_NE(run, nullptr);
                if (run) {
                    run->click();
                }
                return run != nullptr;
            }
            if (kind == QLatin1String("kalmur::ChgView")) {
                QPushButton* print = button(w, QStringLiteral("Print..."));
                EXPECT_NE(print, nullptr);
                if (print) {
                    print->click();
                }
                return print != nullptr;
            }
            if (kind != QLatin1String(c.window) || printed) {
                return false;
            }
            printed = true;
            if (QPushButton* all = button(w, QStringLiteral("Select All"))) {
                all->click();
            }
            QPushButton* print = w->findChild<QPushButton*>(QStringLiteral("ButtonPrint"));
            EXPECT_TRUE(print && print->isEnabled());
            if (print) {
                print->click();
            }
            return true;
        };
        QAction* action = demo.form->findChild<QAction*>(QLatin1String(c.item));
        ASSERT_NE(action, nullptr);
        action->trigger();
        EXPECT_TRUE(printed) << "windows: " << user.opened.join(QStringLiteral(", ")).toStdString();
        EXPECT_TRUE(user.failures.isEmpty()) << user.failures.join(QLatin1Char('\n')).toStdString();
        const QString text = pdfText(pdf);
        EXPECT_GE(text.count(QLatin1Char('\f')), 1) << "no page in " << pdf.toStdString();
        EXPECT_TRUE(text.contains(QLatin1String(c.title))) << text.left(600).toStdString();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}
