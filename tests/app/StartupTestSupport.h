#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace kalmur::test {

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A program directory and a base directory side by side in a fresh temporary
// directory; the working-directory file names the base directory.
class StartupDirs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        programDir = m_root.filePath(QStringLiteral("prog"));
        baseDir = m_root.filePath(QStringLiteral("base"));
        ASSERT_TRUE(QDir().mkpath(programDir));
        ASSERT_TRUE(QDir().mkpath(baseDir));
        writeWorkingDirectoryFile(QFile::encodeName(baseDir) + "\r\n");
    }

    void writeWorkingDirectoryFile(const QByteArray& bytes) {
        writeBytes(programDir + QStringLiteral("/TRELIN.WDR"), bytes);
    }

    QString inRoot(const QString& name) const { return m_root.filePath(name); }
    QString inBase(const QString& name) const { return baseDir + QLatin1Char('/') + name; }

    static bool runningAsRoot() { return ::geteuid() == 0; }

    QString programDir;
    QString baseDir;

private:
    QTemporaryDir m_root;
};

} // namespace kalmur::test
