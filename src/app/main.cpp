// Kalmur Pro: start-up (the working-directory file, the write test and the
// private working directory), the splash window, then the main window.
#include "app/Startup.h"
#include "dialogs/SplashWindow.h"
#include "dialogs/WidgetScheduleDialogs.h"
#include "editor/MainForm.h"
#include "files/ProgramState.h"
#include "model/patterns/DateText.h"
#include "platform/DesktopPlatform.h"
#include "platform/HelpKey.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <QWindow>

#include <ctime>
#include <memory>
#include <unistd.h>
#include <variant>

namespace {

constexpr const char* kUsage =
    "usage: kalmur [SCHEDULE.kmr]\n"
    "\n"
    "Kalmur Pro, staff scheduling for one workplace. Opens SCHEDULE.kmr when given.\n"
    "The working files live under the folder named by TRELIN.WDR beside the program.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

// Milliseconds since the kernel started this process (counted in its clock
// ticks, 10 ms on most systems); negative when /proc cannot tell.
double msSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    // The fields after the command name, which is in parentheses and may hold
    // spaces; the start time is the 22nd field of the line.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    bool ok = false;
    const double startTicks = fields.size() > 19 ? fields[19].toDouble(&ok) : 0;
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (!ok || ticksPerSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        return -1;
    }
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6 -
           startTicks * 1e3 / double(ticksPerSecond);
}

// With KALMUR_EXIT_WHEN_SHOWN=1 (used to measure start-up): once the main
// window is exposed with the command-line schedule loaded and painted, prints
// the milliseconds since the process started and quits.
class ExitWhenShown : public QObject {
public:
    explicit ExitWhenShown(QWidget& window)
        : QObject(&window)
        , m_window(window) {
        if (QWindow* handle = window.windowHandle()) {
            handle->installEventFilter(this);
        }
    }
    // Called once the schedule is loaded.
    void arm() {
        m_armed = true;
        if (exposed()) {
            m_window.repaint(); // exposed while loading: paint what was loaded
            report();
        }
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Expose && m_armed) {
            // The expose is painted when it is handled, after this filter.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (exposed()) {
                        report();
                    }
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool exposed() const {
        const QWindow* handle = m_window.windowHandle();
        return handle && handle->isExposed();
    }
    void report() {
        if (m_reported) {
            return;
        }
        m_reported = true;
        QTextStream(stdout) << "shown after " << qRound(msSinceProcessStart()) << " ms" << Qt::endl;
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }

    QWidget& m_window;
    bool m_armed = false;
    bool m_reported = false;
};

} // namespace

int main(int argc, char** argv) {
    // Options are answered before any window system is needed.
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--version") {
            QTextStream(stdout) << "Kalmur Pro " << PROJECT_VERSION << Qt::endl;
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            QTextStream(stdout) << kUsage;
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalmur Pro"));
    QApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));
    QApplication::setWindowIcon(
        QIcon(QApplication::applicationDirPath() + QStringLiteral("/kalmur.png")));
    kalmur::useSystemLocale();

    kalmur::DesktopPlatform platform;
    kalmur::HelpKey::install(platform);

    auto started =
        kalmur::Startup::run(QApplication::applicationDirPath(), QApplication::arguments().mid(1));
    std::unique_ptr<kalmur::ProgramState> state;
    kalmur::WidgetScheduleDialogs dialogs(platform);
    std::unique_ptr<kalmur::MainForm> window;
    if (auto* failure = std::get_if<kalmur::StartupFailure>(&started)) {
        platform.warn(nullptr, kalmur::MessageRequest{failure->message(), failure->title(),
                                                      kalmur::MessageIcon::Exclamation,
                                                      kalmur::MessageButtons::Ok, std::nullopt});
        return 1;
    }
    auto& startup = std::get<kalmur::StartupState>(started);
    state = std::make_unique<kalmur::ProgramState>(startup.workingDirectory.path());
    state->commandLineSchedule = startup.commandLineSchedule;
    // The splash stays for at least a second; the main window is built
    // while it is shown.
    kalmur::SplashWindow::showFor(platform.clock(), std::chrono::seconds(1), [&] {
        window = std::make_unique<kalmur::MainForm>(*state, platform, dialogs);
    });
    window->show();
    ExitWhenShown* exitWhenShown = qEnvironmentVariableIntValue("KALMUR_EXIT_WHEN_SHOWN") == 1
                                       ? new ExitWhenShown(*window)
                                       : nullptr;
    window->loadInitial();
    if (exitWhenShown) {
        exitWhenShown->arm();
    }
    return app.exec();
}
