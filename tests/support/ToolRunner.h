#pragma once

// Runs kalmur-tool's commands in process and keeps what they printed.

#include "tool/Tool.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

inline ToolRun tool(const QStringList& args) {
    ToolRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = kalmur::runTool(args, out, err);
    out.flush();
    err.flush();
    return r;
}
