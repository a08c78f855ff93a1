#pragma once

#include "Platform.h"

#include <QPointer>
#include <QString>

namespace kalmur {

class HelpViewer;

// The Platform of the running program: Qt message boxes, file and font
// dialogs, the system beep, the override cursor, the program's own help viewer
// and the printers Qt's printer support lists.
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
    QList<InstalledPrinter> printers() override;
    std::optional<InstalledPrinter> currentPrinter() override;
    void setCurrentPrinter(const InstalledPrinter& printer) override;
    std::optional<QString> pdfFileName(QWidget* parent, const QString& suggestedPath) override;
    std::optional<QString> folderName(QWidget* parent, const QString& title,
                                      const QString& initialPath) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial, int minPointSize,
                                    int maxPointSize) override;

    // The help window while it is open (for tests and for closing it).
    HelpViewer* helpViewer() const;

private:
    std::optional<QString> runFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         bool saving);

    QString m_helpFile;
    QPointer<HelpViewer> m_help;
    int m_busyDepth = 0;
    std::optional<InstalledPrinter> m_currentPrinter;
};

} // namespace kalmur
