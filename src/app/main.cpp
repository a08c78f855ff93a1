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
#include <QTextStream>

#include <memory>
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
    QApplication::setWindowIcon(QIcon(QApplication::applicationDirPath() + QStringLiteral("/kalmur.png")));
    kalmur::useSystemLocale();

    kalmur::DesktopPlatform platform;
    kalmur::HelpKey::install(platform);

    auto started = kalmur::Startup::run(QApplication::applicationDirPath(),
                                        QApplication::arguments().mid(1));
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
    kalmur::SplashWindow::showFor(std::chrono::seconds(1), [&] {
        window = std::make_unique<kalmur::MainForm>(*state, platform, dialogs);
    });
    window->show();
    window->loadInitial();
    return app.exec();
}
