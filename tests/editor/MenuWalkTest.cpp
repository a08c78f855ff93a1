// Every item of the main window's menus chosen on the demo ward, as a user
// would: each window it opens gets F1 and is left by its way out, each command
// that changes the schedule is undone, and the schedule is the same after.
#include "WalkSupport.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include <map>

using namespace kalmur;

namespace {

// The items not chosen, and why.
const std::map<QString, const char*> kSkipped = {
    {QStringLiteral("File_Exit"), "ends the program"},
};

struct Item {
    QMenu* menu;
    QAction* action;
};

// Every item of `menu` and of its submenus, in menu order.
void collect(QMenu* menu, std::vector<Item>& items) {
    for (QAction* a : menu->actions()) {
        if (a->menu()) {
            collect(a->menu(), items);
        } else if (!a->isSeparator()) {
            items.push_back({menu, a});
        }
    }
}

QString nameOf(const QAction* a) {
    return a->objectName() + QStringLiteral(" \"") + a->text() + QLatin1Char('"');
}

} // namespace

TEST(MenuWalk, EveryItemOpensAndClosesAndTheScheduleStaysAsItWas) {
    DemoWard demo;
    ASSERT_TRUE(demo.state->isOpen());
    MainForm& form = *demo.form;
    form.selectCell(3, 2); // a named row, with shifts to cut and clear
    const QByteArray before = demo.dump();
    QByteArray expected = before;

    std::vector<Item> items;
    for (QAction* top : form.menuBar()->actions()) {
        if (top->menu()) {
            collect(top->menu(), items);
        }
    }
    QAction* undo = form.findChild<QAction*>(QStringLiteral("Edit_Undo"));
    ASSERT_NE(undo, nullptr);
    QAction* viewShown = nullptr;
    for (const Item& item : items) {
        if (item.action->objectName() == QLatin1String("View_format") && item.action->isChecked()) {
            viewShown = item.action;
        }
    }
    ASSERT_NE(viewShown, nullptr);

    ModalAnswerer user(demo.platform);
    int chosen = 0;
    QStringList answered; // every window answered: an item that opens nothing lowers it
    for (const Item& item : items) {
        QAction* action = item.action;
        const QString name = nameOf(action);
        if (kSkipped.count(action->objectName())) {
            continue;
        }
        // The menu works out its items' states as it opens.
        emit item.menu->aboutToShow();
        if (!action->isEnabled()) {
            continue;
        }
        ++chosen;
        user.opened.clear();
        action->trigger();
        QApplication::processEvents();
        answered += user.opened;
        for (const QString& failure : user.failures) {
            ADD_FAILURE() << name.toStdString() << ": " << failure.toStdString();
        }
        user.failures.clear();
        if (QWidget* left = QApplication::activeModalWidget()) {
            ADD_FAILURE() << name.toStdString() << " left "
                          << ModalAnswerer::titleOf(left).toStdString() << " open";
            left->hide();
        }
        if (action->objectName() == QLatin1String("Help_Contents")) {
            EXPECT_TRUE(demo.platform.helpOpen()) << "no help from " << name.toStdString();
        }
        if (demo.platform.helpViewer()) {
            demo.platform.helpViewer()->close();
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w != &form) {
                ADD_FAILURE() << name.toStdString() << " left "
                              << ModalAnswerer::titleOf(w).toStdString() << " open";
                w->close();
            }
        }
        // A command that changed the schedule is undone; a view chosen is
        // put back.
        if (undo->isEnabled() && demo.dump() != expected) {
            undo->trigger();
        }
        if (action->objectName() == QLatin1String("View_format")) {
            viewShown->trigger();
        }
        const QByteArray now = demo.dump();
        if (now != expected) {
            ADD_FAILURE() << name.toStdString() << " changed the schedule for good";
            expected = now;
        }
    }
    EXPECT_GT(chosen, 30);
    EXPECT_GE(answered.size(), 19) << answered.join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(demo.dump(), before);
}

TEST(MenuWalk, NoPlaceholderIsLeftInTheProgram) {
    QDirIterator it(QStringLiteral(KALMUR_SOURCE_DIR "/src"),
                    QStringList{QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int read = 0;
    while (it.hasNext()) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << it.filePath().toStdString();
        EXPECT_FALSE(f.readAll().contains("not available yet")) << it.filePath().toStdString();
        ++read;
    }
    EXPECT_GT(read, 100);
}
