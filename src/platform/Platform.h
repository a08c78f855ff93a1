#pragma once

#include "Clock.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace kalmur {

enum class MessageIcon { None, Information, Exclamation, Question, Stop };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore };
enum class MessageAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

struct MessageRequest {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::Exclamation;
    MessageButtons buttons = MessageButtons::Ok;
    // The button that Enter chooses; the first button when not given.
    std::optional<MessageAnswer> defaultAnswer;
};

struct FileDialogRequest {
    QString title;
    QString defaultSuffix; // without the dot
    QString initialPath;   // a file name, a pattern such as "*.kmr", or a full path
    QStringList filters;   // "Schedule Files (*.kmr)", ...
    bool pathMustExist = true;
    bool confirmOverwrite = false;
};

// A printer the system offers: its device name and where it is reached (its
// port; on a CUPS system the location the printer was given, often blank).
struct InstalledPrinter {
    QString name;
    QString port;
    bool operator==(const InstalledPrinter&) const = default;
};

// The program's own printer, listed after the system's: a run on it asks for a
// PDF file to print into. It is the current printer when the system has none.
inline InstalledPrinter pdfFilePrinter() {
    return {QStringLiteral("PDF file"), QStringLiteral("PDF")};
}

// The desktop facilities the windows use: message boxes with their beep, icon
// and title, the file and font dialogs, the busy pointer, the help viewer, the
// printers and the clock. Windows reach them through this interface so that tests
// can script the answers.
class Platform {
public:
    virtual ~Platform() = default;

    virtual void beep() = 0;
    virtual MessageAnswer message(QWidget* parent, const MessageRequest& request) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent,
                                                const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent,
                                                const FileDialogRequest& request) = 0;
    // Shows or ends the hourglass pointer; calls nest.
    virtual void setBusy(bool busy) = 0;
    // Opens the help file at a topic (1 = its contents).
    virtual void showHelp(QWidget* parent, int topic) = 0;
    // Lets pending window events run.
    virtual void processEvents() = 0;
    // The clock and timers the windows wait and repeat on.
    virtual Clock& clock() { return systemClock(); }

    // The printers the system offers, in the order it lists them.
    virtual QList<InstalledPrinter> printers() = 0;
    // The printer the reports go to: the one chosen last, otherwise the
    // system's default printer (or its first one). Nothing when the system
    // has no printer; reports then print into a PDF file.
    virtual std::optional<InstalledPrinter> currentPrinter() = 0;
    // Makes `printer` the current printer for all later printing.
    virtual void setCurrentPrinter(const InstalledPrinter& printer) = 0;
    // Asks for the PDF file to print into, preset with `suggestedPath`: the
    // chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> pdfFileName(QWidget* parent, const QString& suggestedPath) = 0;
    // Asks for a folder, opening in `initialPath`: the chosen folder, or
    // nothing when the user cancelled.
    virtual std::optional<QString> folderName(QWidget* parent, const QString& title,
                                              const QString& initialPath) = 0;
    // The font dialog, preset with `initial`: the chosen font, its point size
    // brought into minPointSize..maxPointSize; nothing on Cancel.
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial, int minPointSize,
                                            int maxPointSize) = 0;

    // Beeps, then shows the message (the usual order for a refusal).
    MessageAnswer warn(QWidget* parent, const MessageRequest& request) {
        beep();
        return message(parent, request);
    }

    // `font` with its point size brought into min..max; a font sized in pixels
    // gets the smallest size.
    static QFont withPointSizeIn(QFont font, int minPointSize, int maxPointSize) {
        const qreal size = font.pointSizeF();
        if (size < minPointSize) {
            font.setPointSize(minPointSize);
        } else if (size > maxPointSize) {
            font.setPointSize(maxPointSize);
        }
        return font;
    }
};

// Shows the busy pointer for the life of the object.
class BusyCursor {
public:
    explicit BusyCursor(Platform& platform)
        : m_platform(platform) {
        m_platform.setBusy(true);
    }
    ~BusyCursor() { m_platform.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    Platform& m_platform;
};

} // namespace kalmur
