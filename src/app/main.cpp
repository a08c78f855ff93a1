// Kalmur Pro. Start-up claims a private working directory; the main window
// is built on top of it.
#include "app/Startup.h"

#include <QCoreApplication>
#include <QTextStream>

#include <variant>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kalmur Pro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.contains(QStringLiteral("--version"))) {
        out << "Kalmur Pro " << QCoreApplication::applicationVersion() << Qt::endl;
        return 0;
    }
    if (args.contains(QStringLiteral("--help"))) {
        out << "usage: kalmur [SCHEDULE.kmr]" << Qt::endl;
        return 0;
    }
    auto started = kalmur::Startup::run(QCoreApplication::applicationDirPath(), args);
    if (const auto* failure = std::get_if<kalmur::StartupFailure>(&started)) {
        err << failure->title() << ": " << QString(failure->message()).replace(QLatin1Char('\r'), QLatin1Char('\n'))
            << Qt::endl;
        return 1;
    }
    const auto& state = std::get<kalmur::StartupState>(started);
    out << "Kalmur Pro started in " << state.workingDirectory.path() << Qt::endl;
    out << "The schedule window is not available in this build; use kalmur-tool." << Qt::endl;
    return 0;
}
