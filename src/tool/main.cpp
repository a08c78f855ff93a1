#include "model/patterns/DateText.h"
#include "tool/Tool.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    // Printing measures and draws text, which needs the font system of a GUI
    // application; it runs without a display.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && std::strcmp(argv[1], "print") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    kalmur::useSystemLocale();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return kalmur::runTool(QCoreApplication::arguments().mid(1), out, err);
}
