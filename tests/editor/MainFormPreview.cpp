// A test-only program that shows the main window with a schedule, for looking
// at the window under Xvfb: mainform_preview WORKDIR SCHEDULE.kmr [FORMAT [ROW]]; with a ROW
// the name of that screen row is clicked once the window is up.
#include "dialogs/WidgetScheduleDialogs.h"
#include "editor/MainForm.h"
#include "files/ProgramState.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

namespace {

struct QuietPlatform : kalmur::Platform {
    void beep() override {}
    kalmur::MessageAnswer message(QWidget*, const kalmur::MessageRequest& r) override {
        qWarning("message: %s", qPrintable(r.text));
        return kalmur::MessageAnswer::Cancel;
    }
    std::optional<QString> openFileName(QWidget*, const kalmur::FileDialogRequest&) override {
        return {};
    }
    std::optional<QString> saveFileName(QWidget*, const kalmur::FileDialogRequest&) override {
        return {};
    }
    void setBusy(bool) override {}
    void showHelp(QWidget*, int) override {}
    void processEvents() override { QApplication::processEvents(); }
    QList<kalmur::InstalledPrinter> printers() override { return {}; }
    std::optional<kalmur::InstalledPrinter> currentPrinter() override { return {}; }
    void setCurrentPrinter(const kalmur::InstalledPrinter&) override {}
    std::optional<QString> pdfFileName(QWidget*, const QString&) override { return {}; }
    std::optional<QString> folderName(QWidget*, const QString&, const QString&) override {
        return {};
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont&, int, int) override { return {}; }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    if (argc < 3) {
        return 2;
    }
    kalmur::ProgramState state(QString::fromLocal8Bit(argv[1]));
    state.commandLineSchedule = QString::fromLocal8Bit(argv[2]);
    QuietPlatform platform;
    kalmur::WidgetScheduleDialogs dialogs(platform);
    kalmur::MainForm form(state, platform, dialogs);
    form.show();
    form.loadInitial();
    if (argc > 3) {
        form.chooseViewFormat(QString::fromLocal8Bit(argv[3]).toInt());
    }
    form.selectCell(3, 2);
    if (argc > 4) {
        const int row = QString::fromLocal8Bit(argv[4]).toInt();
        QTimer::singleShot(500, &form, [&form, row] {
            QWidget* names = form.findChild<QWidget*>(QStringLiteral("EmpList"));
            const int h = form.metrics().cellHeight;
            const QPointF at(5, (row - 1) * h + h / 2);
            QMouseEvent press(QEvent::MouseButtonPress, at, names->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, {});
            QApplication::sendEvent(names, &press);
            QMouseEvent release(QEvent::MouseButtonRelease, at, names->mapToGlobal(at),
                                Qt::LeftButton, {}, {});
            QApplication::sendEvent(names, &release);
        });
    }
    return app.exec();
}
