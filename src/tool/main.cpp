#include "model/patterns/DateText.h"
#include "tool/Tool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    kalmur::useSystemLocale();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return kalmur::runTool(QCoreApplication::arguments().mid(1), out, err);
}
