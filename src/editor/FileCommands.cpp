#include "FileCommands.h"

#include "model/codec/OleDate.h"

#include <QFileInfo>

namespace kalmur {

namespace {

bool hasExtension(const QString& path, const char* extension) {
    return QFileInfo(path).suffix().compare(QLatin1String(extension), Qt::CaseInsensitive) == 0;
}

} // namespace

FileCommands::FileCommands(ProgramState& state, Platform& platform, ScheduleDialogs& dialogs,
                           QWidget* parent, Hooks hooks)
    : m_state(state)
    , m_platform(platform)
    , m_dialogs(dialogs)
    , m_parent(parent)
    , m_hooks(std::move(hooks)) {
}

MessageAnswer FileCommands::warn(const QString& text, const QString& title, MessageIcon icon,
                                 MessageButtons buttons) {
    return m_platform.warn(m_parent, MessageRequest{text, title, icon, buttons, std::nullopt});
}

QString FileCommands::cannotSave(const ScheduleLocation& location) const {
    return QStringLiteral("Kalmur cannot save ") + location.archivePath();
}

std::optional<FileCommands::Choice> FileCommands::chooseToOpen() {
    FileDialogRequest request;
    request.title = QStringLiteral("Open File");
    request.defaultSuffix = QStringLiteral("kmr");
    request.initialPath = QStringLiteral("*.kmr");
    for (const char* filter : kOpenFilter) {
        request.filters << QLatin1String(filter);
    }
    request.pathMustExist = true;
    for (;;) {
        const auto chosen = m_platform.openFileName(m_parent, request);
        if (!chosen) {
            return std::nullopt;
        }
        const QString path = *chosen;
        const QString name = QFileInfo(path).fileName();
        if (name.trimmed().isEmpty() ||
            name.compare(QLatin1String("*.KMR"), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String("*.SCH"), Qt::CaseInsensitive) == 0) {
            return std::nullopt;
        }
        if (hasExtension(path, "kmr")) {
            return Choice{ScheduleLocation::fromPath(path).withCaseFromListing(), {}};
        }
        if (name.contains(QLatin1String(".SCH"), Qt::CaseInsensitive)) {
            return Choice{{}, path}; // converted first
        }
        warn(QStringLiteral(
                 "The file selected is not a valid schedule file.  Extension must be .kmr"),
             QStringLiteral("Open File"), MessageIcon::Exclamation);
    }
}

FileCommands::SaveOutcome FileCommands::saveClosed(bool modified) {
    for (;;) {
        if (m_state.archive().save().succeeded()) {
            return SaveOutcome::Saved;
        }
        switch (warn(cannotSave(m_state.archive().currentLocation()), QStringLiteral("Error"),
                     MessageIcon::Stop, MessageButtons::AbortRetryIgnore)) {
        case MessageAnswer::Retry:
            continue;
        case MessageAnswer::Ignore:
            return SaveOutcome::Ignored;
        default:
            reopen(modified);
            return SaveOutcome::Aborted;
        }
    }
}

void FileCommands::reopen(bool modified) {
    m_state.schedule().openAll();
    m_state.archive().holdCurrent();
    m_state.schedule().setModified(modified);
}

bool FileCommands::closeForOpen(bool& unsaved) {
    // The same question whether another schedule is opened or the window closes.
    unsaved = false;
    Schedule& schedule = m_state.schedule();
    if (!schedule.isOpen()) {
        return true;
    }
    if (!schedule.isModified()) {
        schedule.closeAll();
        return true;
    }
    const MessageAnswer answer = m_platform.message(
        m_parent, MessageRequest{QStringLiteral("Save changes to ") + m_state.locationText() +
                                     QStringLiteral(" ?"),
                                 QStringLiteral("Kalmur Pro"), MessageIcon::Question,
                                 MessageButtons::YesNoCancel, std::nullopt});
    if (answer == MessageAnswer::Cancel) {
        return false;
    }
    if (answer == MessageAnswer::No) {
        // The changes stay in the working files until another schedule
        // replaces them.
        schedule.closeAll();
        unsaved = true;
        return true;
    }
    const bool flushed = schedule.closeAll();
    if (!flushed) {
        // The working files could not be completed: saving now would pack an
        // incomplete schedule.
        warn(cannotSave(m_state.archive().currentLocation()), QStringLiteral("Error"),
             MessageIcon::Stop);
        reopen(true);
        return false;
    }
    return saveClosed(true) != SaveOutcome::Aborted;
}

void FileCommands::open() {
    if (m_hooks.endEditing) {
        m_hooks.endEditing();
    }
    m_platform.processEvents();
    const auto chosen = chooseToOpen();
    if (!chosen) {
        return;
    }
    const bool wasOpen = m_state.schedule().isOpen();
    bool unsaved = false;
    if (!closeForOpen(unsaved)) {
        return;
    }
    auto restore = [&] {
        if (wasOpen && !m_state.schedule().isOpen() && m_state.schedule().openAll()) {
            m_state.archive().holdCurrent();
            m_state.schedule().setModified(unsaved);
            if (m_hooks.repaint) {
                m_hooks.repaint();
            }
        }
    };
    ScheduleLocation location = chosen->location;
    if (!chosen->oldSchedule.isEmpty()) {
        // An old-format schedule is converted into an archive beside it,
        // which then opens like any other; cancelling keeps the previous one.
        const auto converted = m_dialogs.convertOldSchedule(m_parent, m_state, chosen->oldSchedule);
        if (!converted) {
            restore();
            return;
        }
        location = *converted;
    }
    const ArchiveResult result = m_state.archive().open(location);
    if (!result.succeeded()) {
        reportOpenFailure(result, location, true);
        restore();
        return;
    }
    load();
}

void FileCommands::reportOpenFailure(const ArchiveResult& result, const ScheduleLocation& location,
                                     bool reportUnavailable) {
    if (result.outcome == ArchiveOutcome::InUse) {
        warn(location.archivePath() +
                 QStringLiteral(" is open in another copy of Kalmur Pro.  Close it there first."),
             QStringLiteral("Error"), MessageIcon::Exclamation);
    } else if (!result.message.isEmpty()) {
        warn(result.message, result.title, MessageIcon::Exclamation);
    } else if (reportUnavailable) {
        warn(QStringLiteral("Could not open ") + location.archivePath(), QStringLiteral("Error"),
             MessageIcon::Exclamation);
    }
}

void FileCommands::abandonLoad(bool withMessage) {
    if (withMessage) {
        warn(QStringLiteral("Could not open ") + m_state.archive().currentLocation().archivePath(),
             QStringLiteral("Error"), MessageIcon::Exclamation);
    }
    m_state.archive().release();
    if (m_hooks.scheduleClosed) {
        m_hooks.scheduleClosed();
    }
}

void FileCommands::openCommandLine() {
    if (m_state.commandLineSchedule.isEmpty()) {
        return;
    }
    QString path = m_state.commandLineSchedule;
    m_state.commandLineSchedule.clear();
    const qsizetype marker = path.lastIndexOf(QLatin1String(".KMR"), -1, Qt::CaseInsensitive);
    if (marker >= 0) {
        path.truncate(marker + 4);
    }
    const ScheduleLocation location = ScheduleLocation::fromPath(path).withCaseFromListing();
    const ArchiveResult result = m_state.archive().open(location);
    if (!result.succeeded()) {
        reportOpenFailure(result, location, false);
        return;
    }
    load();
}

void FileCommands::load() {
    Schedule& schedule = m_state.schedule();
    const auto loaded = schedule.loadSettings();
    if (!loaded.ok) {
        abandonLoad(true);
        return;
    }
    if (loaded.createdDefaults) {
        if (const auto dates = m_dialogs.newScheduleProperties(m_parent, m_state)) {
            schedule.settings().startDate = OleDate::fromDate(dates->start);
            schedule.settings().endDate = OleDate::fromDate(dates->end);
        }
    } else if (!schedule.settings().password.trimmed().isEmpty()) {
        if (!m_dialogs.askPassword(m_parent, m_state)) {
            abandonLoad(false);
            return;
        }
    }
    {
        BusyCursor busy(m_platform);
        schedule.setModified(false);
        if (!schedule.openAll()) {
            abandonLoad(true);
            return;
        }
    }
    if (m_hooks.scheduleShown) {
        m_hooks.scheduleShown();
    }
}

bool FileCommands::save() {
    Schedule& schedule = m_state.schedule();
    if (!schedule.isOpen()) {
        return false;
    }
    const bool modified = schedule.isModified();
    if (!schedule.closeAll()) {
        warn(cannotSave(m_state.archive().currentLocation()), QStringLiteral("Error"),
             MessageIcon::Stop);
        reopen(modified);
        return false;
    }
    if (saveClosed(modified) == SaveOutcome::Aborted) {
        return false;
    }
    schedule.openAll();
    schedule.setModified(false);
    return true;
}

void FileCommands::saveAs() {
    Schedule& schedule = m_state.schedule();
    if (!schedule.isOpen()) {
        return;
    }
    FileDialogRequest request;
    request.title = QStringLiteral("Save As...");
    request.defaultSuffix = QStringLiteral("kmr");
    request.initialPath = m_state.archive().currentLocation().archivePath();
    request.filters << QLatin1String(kOpenFilter[0]);
    request.pathMustExist = true;
    request.confirmOverwrite = true;
    std::optional<QString> chosen;
    for (;;) {
        chosen = m_platform.saveFileName(m_parent, request);
        if (!chosen) {
            return;
        }
        if (hasExtension(*chosen, "kmr")) {
            break;
        }
        warn(QStringLiteral(
                 "The file selected is not a valid schedule file.  Extension must be .KMR"),
             QStringLiteral("Save As"), MessageIcon::Exclamation);
    }
    const bool modified = schedule.isModified();
    const ScheduleLocation target = ScheduleLocation::fromPath(*chosen);
    if (m_hooks.endEditing) {
        m_hooks.endEditing();
    }
    const bool flushed = schedule.closeAll();
    const ArchiveResult result = flushed ? m_state.archive().saveAs(target)
                                         : ArchiveResult{ArchiveOutcome::NotSaved, {}, {}};
    if (!result.succeeded()) {
        QString text = cannotSave(target);
        if (result.outcome == ArchiveOutcome::InUse) {
            text += QStringLiteral(": it is open in another copy of Kalmur Pro.");
        }
        warn(text, QStringLiteral("Error"), MessageIcon::Stop);
        reopen(modified);
        if (m_hooks.repaint) {
            m_hooks.repaint();
        }
        return;
    }
    schedule.openAll();
    schedule.setModified(false);
    if (m_hooks.repaint) {
        m_hooks.repaint();
    }
}

bool FileCommands::mayClose() {
    bool unsaved = false;
    return closeForOpen(unsaved);
}

void FileCommands::properties() {
    Schedule& schedule = m_state.schedule();
    if (!schedule.isOpen()) {
        return;
    }
    const auto dates = m_dialogs.editProperties(m_parent, m_state);
    if (!dates || (dates->start == schedule.startDate() && dates->end == schedule.endDate())) {
        if (m_hooks.repaint) {
            m_hooks.repaint();
        }
        return;
    }
    bool ok = false;
    {
        BusyCursor busy(m_platform);
        auto progress = m_dialogs.rebuildProgress(m_parent);
        ok = schedule.changeDateRange(dates->start, dates->end, [&](int percent) {
            if (progress) {
                progress->setPercent(percent);
            }
        });
    }
    if (!ok) {
        warn(QStringLiteral("Kalmur cannot change the dates of ") + m_state.locationText() +
                 QStringLiteral(": ") + schedule.errorString(),
             QStringLiteral("Error"), MessageIcon::Exclamation);
    }
    if (m_hooks.repaint) {
        m_hooks.repaint();
    }
}

} // namespace kalmur
