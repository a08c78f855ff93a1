#pragma once

#include "ScheduleDialogs.h"
#include "files/ProgramState.h"
#include "platform/Platform.h"

#include <functional>

class QWidget;

namespace kalmur {

// The File menu's commands and the close question: what they do to the
// working files, the archive and the program-wide state. The main window owns
// the menus and repainting and is told through the hooks.
class FileCommands {
public:
    struct Hooks {
        std::function<void()> endEditing; // finish in-place editing in the grid
        std::function<void()>
            scheduleShown; // a schedule was loaded: lay out, enable menus, repaint
        std::function<void()> scheduleClosed; // nothing is open any more
        std::function<void()> repaint;        // the same schedule, repaint everything
    };

    FileCommands(ProgramState& state, Platform& platform, ScheduleDialogs& dialogs, QWidget* parent,
                 Hooks hooks);

    // "&New..." and "&Open...": choose a schedule and open it.
    void open();
    // Opens the schedule named on the command line, without a question.
    void openCommandLine();
    // "&Save". True when the schedule counts as saved.
    bool save();
    // "Save &As...".
    void saveAs();
    // The question before the main window closes; true when it may close.
    bool mayClose();
    // "&Properties": edits the dates, password and week start; a date change
    // rebuilds the day file with the progress window.
    void properties();

    static constexpr const char* kOpenFilter[] = {
        "Schedule Files (*.kmr)", "Old Schedule Files (*.sch)", "All Files(*.*) (*)"};

private:
    enum class SaveOutcome { Saved, Ignored, Aborted };
    // The chosen archive, or an old-format schedule (its ".SCH" file) to convert.
    struct Choice {
        ScheduleLocation location;
        QString oldSchedule;
    };
    std::optional<Choice> chooseToOpen();
    // Closes the open schedule before another is opened, asking about changes.
    // False when the user cancelled (or aborted a failed save); `unsaved` tells
    // that the user chose not to save changes.
    bool closeForOpen(bool& unsaved);
    // Packs the closed working set into the current archive, with Abort, Retry
    // and Ignore on failure. Aborted reopens the schedule.
    SaveOutcome saveClosed(bool modified);
    void reopen(bool modified);
    void load();
    // The message for an archive that did not open (none for an unavailable
    // one unless asked).
    void reportOpenFailure(const ArchiveResult& result, const ScheduleLocation& location,
                           bool reportUnavailable);
    // Gives up a schedule whose loading failed or was cancelled.
    void abandonLoad(bool withMessage);
    QString cannotSave(const ScheduleLocation& location) const;
    MessageAnswer warn(const QString& text, const QString& title, MessageIcon icon,
                       MessageButtons buttons = MessageButtons::Ok);

    ProgramState& m_state;
    Platform& m_platform;
    ScheduleDialogs& m_dialogs;
    QWidget* m_parent;
    Hooks m_hooks;
};

} // namespace kalmur
