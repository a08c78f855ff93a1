#pragma once

#include "Platform.h"

#include <QPointer>
#include <QString>

namespace kalmur {

class HelpViewer;

// The Platform of the running program: Qt message boxes and file dialogs, the
// system beep, the override cursor and the program's own help viewer.
class DesktopPlatform : public Platform {
public:
    // `helpFile` is the help manual; by default KALMUR.HLP beside the program.
    explicit DesktopPlatform(QString helpFile = defaultHelpFile());
    ~DesktopPlatform() override;
    DesktopPlatform(const DesktopPlatform&) = delete;
    DesktopPlatform& operator=(const DesktopPlatform&) = delete;

    static QString defaultHelpFile();
    const QString& helpFile() const { return m_helpFile; }

    void beep() override;
    MessageAnswer message(QWidget* parent, const MessageRequest& request) override;
    std::optional<QString> openFileName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    void setBusy(bool busy) override;
    void showHelp(QWidget* parent, int topic) override;
    void processEvents() override;

    // The help window while it is open (for tests and for closing it).
    HelpViewer* helpViewer() const;

private:
    std::optional<QString> runFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         bool saving);

    QString m_helpFile;
    QPointer<HelpViewer> m_help;
    int m_busyDepth = 0;
};

} // namespace kalmur
