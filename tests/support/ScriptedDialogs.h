#pragma once

// The schedule dialogs for window tests. Each dialog answers from its own
// queue, in order; a dialog opened with nothing queued for it fails the test,
// and so does an answer still queued when the fake goes.

#include "editor/ScheduleDialogs.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The answers queued for one dialog, and how often it was opened.
template <class Answer>
class DialogScript {
public:
    explicit DialogScript(std::string dialog)
        : m_dialog(std::move(dialog)) {}
    ~DialogScript() {
        if (!m_answers.empty()) {
            ADD_FAILURE() << m_answers.size() << " answer(s) for " << m_dialog
                          << " left: the dialog was not opened";
        }
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    void push(Answer answer) { m_answers.push_back(std::move(answer)); }
    int opened() const { return m_opened; }

    // The next answer; `none` (and a failure) when nothing is queued.
    Answer take(Answer none) {
        ++m_opened;
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected " << m_dialog;
            return none;
        }
        Answer answer = std::move(m_answers.front());
        m_answers.pop_front();
        return answer;
    }

private:
    std::string m_dialog;
    std::deque<Answer> m_answers;
    int m_opened = 0;
};

struct ScriptedDialogs : kalmur::ScheduleDialogs {
    // The answer of a window the user only looks at.
    struct Shown {};
    // A definition dialog's work on the program state; true when accepted.
    using Edit = std::function<bool(kalmur::ProgramState&)>;

    DialogScript<std::optional<kalmur::DateRange>> newDates{"new schedule's properties"};
    DialogScript<std::optional<kalmur::DateRange>> editDates{"properties"};
    DialogScript<bool> passwords{"password prompt"};
    DialogScript<Shown> rebuilds{"rebuild progress"};
    DialogScript<std::optional<kalmur::ScheduleLocation>> conversions{"conversion"};
    DialogScript<Edit> shiftEdits{"shift definitions"};
    DialogScript<Edit> explanationEdits{"explanation definitions"};
    // The view-format dialog's work, given the relayout it is to call.
    using ViewEdit = std::function<bool(kalmur::ProgramState&, const std::function<void()>&)>;
    DialogScript<ViewEdit> viewEdits{"view format"};
    DialogScript<std::optional<QDate>> pages{"page changer"};
    DialogScript<std::optional<int>> names{"find name"};
    DialogScript<Edit> coverageEdits{"coverage watch"};
    DialogScript<Shown> aboutBoxes{"about box"};
    // The report setup dialog's work on the working copy; true for OK.
    using SetupEdit = std::function<bool(kalmur::ReportSetup&)>;
    DialogScript<SetupEdit> reportSetups{"report setup"};
    DialogScript<Shown> printerSetups{"printer setup"};
    DialogScript<Shown> prints{"print window"};
    DialogScript<std::optional<kalmur::PasteOptions>> selectivePastes{"selective paste"};
    DialogScript<std::optional<kalmur::CopyMultipleJob>> copies{"copy multiple"};
    DialogScript<Shown> queries{"query"};
    DialogScript<Edit> queryEdits{"edit query"};
    DialogScript<Shown> queryResults{"query found"};
    DialogScript<Shown> costReports{"cost report window"};
    DialogScript<Shown> legends{"legend"};
    DialogScript<kalmur::ReportKind> personalReports{"calendar or personal window"};

    // What the dialogs were given.
    std::vector<int> progress; // every share the rebuild showed
    QStringList converted;
    kalmur::PagerRules pageRules;
    QDate pageShown;
    QList<kalmur::FindNameEntry> nameRows;
    std::vector<int> coverageLines;             // the line each coverage watch was opened for
    std::vector<kalmur::ReportKind> setupKinds; // the report each setup was opened for
    std::function<void(QWidget*)> viewPrint;    // the view-format dialog's "Print..."
    std::vector<kalmur::PrintDays::Grid> printGrids;
    kalmur::PasteOptions pasteShown;
    kalmur::CopyMultipleSetup copySetup;
    std::vector<kalmur::DateRange> queryDays;    // the days each query dialog opened on
    std::vector<int> queryEditNumbers;           // the query each edit was opened for
    std::vector<kalmur::QueryRun::Result> found; // what each shown run found

    std::optional<kalmur::DateRange> newScheduleProperties(QWidget*,
                                                           kalmur::ProgramState&) override {
        return newDates.take(std::nullopt);
    }
    std::optional<kalmur::DateRange> editProperties(QWidget*, kalmur::ProgramState&) override {
        return editDates.take(std::nullopt);
    }
    bool askPassword(QWidget*, kalmur::ProgramState&) override { return passwords.take(false); }
    std::unique_ptr<kalmur::ProgressDisplay> rebuildProgress(QWidget*) override {
        rebuilds.take({});
        return std::make_unique<Progress>(progress);
    }
    std::optional<kalmur::ScheduleLocation> convertOldSchedule(QWidget*, kalmur::ProgramState&,
                                                               const QString& path) override {
        converted << path;
        return conversions.take(std::nullopt);
    }
    bool editShifts(QWidget*, kalmur::ProgramState& state, const QString&) override {
        const Edit edit = shiftEdits.take({});
        return edit && edit(state);
    }
    bool editExplanations(QWidget*, kalmur::ProgramState& state) override {
        const Edit edit = explanationEdits.take({});
        return edit && edit(state);
    }
    bool editViewFormat(QWidget*, kalmur::ProgramState& state,
                        const std::function<void()>& relayout,
                        const std::function<void(QWidget*)>& print) override {
        viewPrint = print;
        const ViewEdit edit = viewEdits.take({});
        return edit && edit(state, relayout);
    }
    void printSchedule(QWidget*, kalmur::ProgramState&,
                       const kalmur::PrintDays::Grid& grid) override {
        printGrids.push_back(grid);
        prints.take({});
    }
    void estimateCost(QWidget*, kalmur::ProgramState&,
                      const kalmur::PrintDays::Grid& grid) override {
        printGrids.push_back(grid);
        costReports.take({});
    }
    void legend(QWidget*, kalmur::ProgramState&) override { legends.take({}); }
    void personalReport(QWidget*, kalmur::ProgramState&, kalmur::ReportKind kind,
                        const kalmur::PrintDays::Grid& grid) override {
        printGrids.push_back(grid);
        EXPECT_EQ(personalReports.take(kind), kind);
    }
    std::optional<QDate> changePage(QWidget*, const kalmur::PagerRules& rules,
                                    QDate firstShown) override {
        pageRules = rules;
        pageShown = firstShown;
        return pages.take(std::nullopt);
    }
    std::optional<int> findName(QWidget*, const QList<kalmur::FindNameEntry>& rows) override {
        nameRows = rows;
        return names.take(std::nullopt);
    }
    bool editCoverageLine(QWidget*, kalmur::ProgramState& state, int line) override {
        coverageLines.push_back(line);
        const Edit edit = coverageEdits.take({});
        return edit && edit(state);
    }
    bool reportSetup(QWidget*, kalmur::ProgramState&, kalmur::ReportKind kind,
                     kalmur::ReportSetup& working) override {
        setupKinds.push_back(kind);
        const SetupEdit edit = reportSetups.take({});
        return edit && edit(working);
    }
    void choosePrinter(QWidget*) override { printerSetups.take({}); }
    std::optional<kalmur::PasteOptions>
    selectivePaste(QWidget*, const kalmur::PasteOptions& current) override {
        pasteShown = current;
        return selectivePastes.take(std::nullopt);
    }
    std::optional<kalmur::CopyMultipleJob>
    copyMultiple(QWidget*, const kalmur::CopyMultipleSetup& setup) override {
        copySetup = setup;
        return copies.take(std::nullopt);
    }
    void about(QWidget*) override { aboutBoxes.take({}); }
    void query(QWidget*, kalmur::ProgramState&, const kalmur::DateRange& days) override {
        queryDays.push_back(days);
        queries.take({});
    }
    bool editQuery(QWidget*, kalmur::ProgramState& state, int number) override {
        queryEditNumbers.push_back(number);
        const Edit edit = queryEdits.take({});
        return edit && edit(state);
    }
    void queryFound(QWidget*, kalmur::ProgramState&,
                    const kalmur::QueryRun::Result& result) override {
        found.push_back(result);
        queryResults.take({});
    }

private:
    struct Progress : kalmur::ProgressDisplay {
        explicit Progress(std::vector<int>& shares)
            : m_shares(shares) {}
        void setPercent(int percent) override { m_shares.push_back(percent); }
        std::vector<int>& m_shares;
    };
};
