#pragma once

// A working directory in a temporary folder, with helpers to read and plant
// member files byte for byte.

#include "model/schedule/Members.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

struct TempWorkingDir {
    QTemporaryDir dir;

    QString path() const { return dir.path(); }
    QString member(kalmur::Member m) const { return kalmur::memberPath(dir.path(), m); }

    QByteArray read(kalmur::Member m) const {
        QFile f(member(m));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(kalmur::Member m, const QByteArray& bytes) const {
        QFile f(member(m));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    qint64 size(kalmur::Member m) const { return QFileInfo(member(m)).size(); }
    // Record n (from 1) of a member.
    QByteArray record(kalmur::Member m, int n) const {
        const auto length = kalmur::memberInfo(m).recordLength;
        return read(m).mid((n - 1) * length, length);
    }
};
