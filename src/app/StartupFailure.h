#pragma once

#include <QString>

namespace kalmur {

// A start-up failure that ends the program: the message and title the window
// layer shows (after a beep, with an exclamation icon) before it quits.
class StartupFailure {
public:
    enum class Kind {
        CannotRead,         // the working-directory file cannot be opened or read
        InvalidPath,        // its first line is blank
        CannotWrite,        // the base directory it names is not writable
        NoWorkingDirectory, // none of the private working directories could be claimed
    };

    static StartupFailure cannotRead(const QString& programDir);
    static StartupFailure invalidPath(const QString& programDir);
    static StartupFailure cannotWrite(const QString& baseDir, const QString& programDir);
    static StartupFailure noWorkingDirectory(const QString& baseDir);

    Kind kind() const { return m_kind; }
    const QString& message() const { return m_message; }
    const QString& title() const { return m_title; }

private:
    StartupFailure(Kind kind, QString message, QString title);

    Kind m_kind;
    QString m_message;
    QString m_title;
};

} // namespace kalmur
