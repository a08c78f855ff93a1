#include "DesktopPlatform.h"

#include "HelpViewer.h"
#include "Placement.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>

#include <utility>
#include <vector>

namespace kalmur {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

std::vector<MessageAnswer> answersOf(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return {MessageAnswer::Ok};
    case MessageButtons::OkCancel:
        return {MessageAnswer::Ok, MessageAnswer::Cancel};
    case MessageButtons::YesNo:
        return {MessageAnswer::Yes, MessageAnswer::No};
    case MessageButtons::YesNoCancel:
        return {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel};
    case MessageButtons::AbortRetryIgnore:
        return {MessageAnswer::Abort, MessageAnswer::Retry, MessageAnswer::Ignore};
    }
    return {MessageAnswer::Ok};
}

QMessageBox::StandardButton standardButton(MessageAnswer answer) {
    switch (answer) {
    case MessageAnswer::Ok:
        return QMessageBox::Ok;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    case MessageAnswer::Abort:
        return QMessageBox::Abort;
    case MessageAnswer::Retry:
        return QMessageBox::Retry;
    case MessageAnswer::Ignore:
        return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QWidget* ownerOf(QWidget* parent) {
    if (parent) {
        return parent->window();
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

InstalledPrinter installedPrinter(const QPrinterInfo& info) {
    return {info.printerName(), info.location()};
}

bool isPattern(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

} // namespace

DesktopPlatform::DesktopPlatform(QString helpFile)
    : m_helpFile(std::move(helpFile)) {
}

DesktopPlatform::~DesktopPlatform() {
    delete m_help.data();
    while (m_busyDepth > 0) {
        setBusy(false);
    }
}

HelpViewer* DesktopPlatform::helpViewer() const {
    return m_help.data();
}

QString DesktopPlatform::defaultHelpFile() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/KALMUR.HLP");
}

void DesktopPlatform::beep() {
    QApplication::beep();
}

MessageAnswer DesktopPlatform::message(QWidget* parent, const MessageRequest& request) {
    const QString title = request.title.isEmpty() ? QStringLiteral("Kalmur Pro") : request.title;
    QMessageBox box(boxIcon(request.icon), title, request.text, QMessageBox::NoButton,
                    ownerOf(parent));
    const auto answers = answersOf(request.buttons);
    MessageAnswer chosenDefault = answers.front();
    for (const MessageAnswer answer : answers) {
        box.addButton(standardButton(answer));
        if (request.defaultAnswer == answer) {
            chosenDefault = answer;
        }
    }
    box.setDefaultButton(standardButton(chosenDefault));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    const auto pressed = clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
    for (const MessageAnswer answer : answers) {
        if (standardButton(answer) == pressed) {
            return answer;
        }
    }
    // Closed without a button: the box's way out.
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::No}) {
        for (const MessageAnswer offered : answers) {
            if (offered == answer) {
                return answer;
            }
        }
    }
    return answers.back();
}

std::optional<QString> DesktopPlatform::openFileName(QWidget* parent,
                                                     const FileDialogRequest& request) {
    return runFileDialog(parent, request, false);
}

std::optional<QString> DesktopPlatform::saveFileName(QWidget* parent,
                                                     const FileDialogRequest& request) {
    return runFileDialog(parent, request, true);
}

std::optional<QString>
DesktopPlatform::runFileDialog(QWidget* parent, const FileDialogRequest& request, bool saving) {
    QWidget* owner = ownerOf(parent);
    QFileDialog dialog(owner, request.title);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Opening may name a schedule that does not exist yet: that creates it.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!request.filters.isEmpty()) {
        dialog.setNameFilters(request.filters);
    }
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);

    const QFileInfo initial(request.initialPath);
    if (!request.initialPath.isEmpty()) {
        const QString folder = initial.path();
        if (folder != QStringLiteral(".") && QDir(folder).exists()) {
            dialog.setDirectory(folder);
        } else {
            dialog.setDirectory(QDir::currentPath());
        }
        if (!isPattern(initial.fileName())) {
            dialog.selectFile(initial.fileName());
        }
    } else {
        dialog.setDirectory(QDir::currentPath());
    }

    for (;;) {
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        const QString chosen = dialog.selectedFiles().value(0);
        if (chosen.isEmpty()) {
            return std::nullopt;
        }
        const QFileInfo info(chosen);
        if (request.pathMustExist && !info.absoluteDir().exists()) {
            MessageRequest missing;
            missing.text = QDir::toNativeSeparators(info.absolutePath()) +
                           QStringLiteral("\nThis folder does not exist.");
            missing.title = request.title;
            missing.icon = MessageIcon::Exclamation;
            message(&dialog, missing);
            continue;
        }
        if (!saving && request.pathMustExist && !info.exists()) {
            MessageRequest create;
            create.text = QDir::toNativeSeparators(info.absoluteFilePath()) +
                          QStringLiteral("\nThis file does not exist.\nCreate the file?");
            create.title = request.title;
            create.icon = MessageIcon::Question;
            create.buttons = MessageButtons::YesNo;
            if (message(&dialog, create) != MessageAnswer::Yes) {
                continue;
            }
        }
        return info.absoluteFilePath();
    }
}

void DesktopPlatform::setBusy(bool busy) {
    if (busy) {
        if (m_busyDepth++ == 0) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    } else if (m_busyDepth > 0) {
        if (--m_busyDepth == 0) {
            QApplication::restoreOverrideCursor();
        }
    }
}

void DesktopPlatform::showHelp(QWidget* parent, int topic) {
    // A help window belonging to an open modal dialog stays usable while that
    // dialog waits; one belonging to another window would be blocked by it.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) {
        owner = parent ? parent->window() : nullptr;
    }
    if (m_help && owner == m_help.data()) {
        owner = m_help->parentWidget(); // F1 inside the help window itself
    }
    if (m_help && m_help->parentWidget() != owner) {
        delete m_help.data();
    }
    if (!m_help) {
        m_help = new HelpViewer(owner);
        Placement::centreOver(m_help, owner);
    }
    m_help->openFile(m_helpFile, topic);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void DesktopPlatform::processEvents() {
    QCoreApplication::processEvents();
}

QList<InstalledPrinter> DesktopPlatform::printers() {
    QList<InstalledPrinter> list;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        list.append(installedPrinter(info));
    }
    return list;
}

std::optional<InstalledPrinter> DesktopPlatform::currentPrinter() {
    if (m_currentPrinter) {
        return m_currentPrinter;
    }
    // Until one is chosen, the system's choice; asked again each time, so a
    // printer installed meanwhile is found.
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (all.isEmpty()) {
            return std::nullopt;
        }
        info = all.front();
    }
    return installedPrinter(info);
}

void DesktopPlatform::setCurrentPrinter(const InstalledPrinter& printer) {
    m_currentPrinter = printer;
}

std::optional<QString> DesktopPlatform::pdfFileName(QWidget* parent, const QString& suggestedPath) {
    FileDialogRequest request;
    request.title = QStringLiteral("Print to File");
    request.defaultSuffix = QStringLiteral("pdf");
    request.initialPath = suggestedPath;
    request.filters = {QStringLiteral("PDF Files (*.pdf)")};
    request.confirmOverwrite = true;
    return runFileDialog(parent, request, true);
}

std::optional<QString> DesktopPlatform::folderName(QWidget* parent, const QString& title,
                                                   const QString& initialPath) {
    const QString folder = QFileDialog::getExistingDirectory(parent, title, initialPath);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder;
}

std::optional<QFont> DesktopPlatform::chooseFont(QWidget* parent, const QFont& initial,
                                                 int minPointSize, int maxPointSize) {
    QFontDialog dialog(withPointSizeIn(initial, minPointSize, maxPointSize), ownerOf(parent));
    dialog.setObjectName(QStringLiteral("FontDialog"));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return withPointSizeIn(dialog.selectedFont(), minPointSize, maxPointSize);
}

} // namespace kalmur
