#include "ProjCost.h"

#include "EditPay.h"
#include "ReportOutput.h"
#include "ReportProgress.h"
#include "ReportWindowParts.h"
#include "files/ProgramState.h"
#include "model/patterns/DateText.h"
#include "platform/LeaveFieldCheck.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/WriteFailure.h"
#include "reports/CostReport.h"
#include "reports/PageFrame.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalmur {

namespace {

constexpr int kEntryRole = Qt::UserRole;
// Times pending window events run after a run, so that the grid repaints.
constexpr int kSettleRounds = 10;

const QString kNoPrinter = QStringLiteral(
    "Kalmur cannot access the printer.  Please go to the Windows Control Panel and make sure "
    "that a default printer has been selected.  See your Windows manual for more information.");

} // namespace

ProjCost::ProjCost(ProgramState& state, Platform& platform, QDate currentDay, int taggedDays,
                   QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_platform(platform) {
    setObjectName(QStringLiteral("ProjCost"));
    setWindowTitle(tr("Estimated Cost Report"));
    build();
    fillNames();

    const Schedule& schedule = m_state.schedule();
    const EmployeeTable& employees = schedule.employees();
    for (const ProjCostRules::Rule rule : ProjCostRules::kRules) {
        m_rules[static_cast<std::size_t>(rule)]->setText(ProjCostRules::shown(rule, employees));
    }
    m_lastGoodStart = ProjCostRules::initialStart(currentDay, schedule.endDate());
    m_startDate->setText(formatShortDate(m_lastGoodStart));
    m_numDays->setText(QString::number(taggedDays));
    updateSelection();
    Placement::centreOver(this, parent);
}

void ProjCost::build() {
    auto* outer = new QVBoxLayout(this);
    m_form = new QWidget(this);
    outer->addWidget(m_form);
    auto* columns = new QHBoxLayout(m_form);
    columns->setContentsMargins(0, 0, 0, 0);

    auto* left = new QVBoxLayout;
    const NamesColumn names(m_form, QStringLiteral("List1"), 280, tr("&Select All"),
                            tr("&Clear All"));
    m_names = names.list;
    m_names->installEventFilter(this);
    m_editCost = windowButton("EditCost", tr("Edit Cost"), m_form);
    m_editCost->setEnabled(false);
    QHBoxLayout* pick = names.buttons;
    pick->addWidget(m_editCost);
    auto* countRow = new QHBoxLayout;
    m_count = new QLabel(m_form);
    m_count->setObjectName(QStringLiteral("SelCount"));
    countRow->addWidget(m_count);
    countRow->addWidget(new QLabel(tr("Names to print"), m_form));
    countRow->addStretch();
    left->addWidget(names.label);
    left->addWidget(m_names);
    left->addLayout(pick);
    left->addLayout(countRow);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* dates = new QGridLayout;
    m_startDate = windowField("StartDate", 20, m_form);
    m_numDays = windowField("NumDays", 2, m_form);
    auto* startLabel = new QLabel(tr("Starting &Date :"), m_form);
    startLabel->setBuddy(m_startDate);
    auto* daysLabel = new QLabel(tr("Number of Da&ys :"), m_form);
    daysLabel->setBuddy(m_numDays);
    dates->addWidget(startLabel, 0, 0);
    dates->addWidget(m_startDate, 0, 1);
    dates->addWidget(daysLabel, 1, 0);
    dates->addWidget(m_numDays, 1, 1);
    right->addLayout(dates);

    using ProjCostRules::Rule;
    for (const Rule rule : ProjCostRules::kRules) {
        m_rules[static_cast<std::size_t>(rule)] =
            windowField(ProjCostRules::fieldName(rule), ProjCostRules::maxLength(rule), m_form);
    }
    auto rule = [this](Rule r) {
        return m_rules[static_cast<std::size_t>(r)];
    };
    auto* daily = new QGroupBox(tr("Daily Overtime Adjustment"), m_form);
    auto* dailyGrid = new QGridLayout(daily);
    dailyGrid->addWidget(new QLabel(tr("Threshold"), daily), 0, 0);
    dailyGrid->addWidget(rule(Rule::ThresDay), 0, 1);
    dailyGrid->addWidget(new QLabel(tr("Hours"), daily), 0, 2);
    dailyGrid->addWidget(new QLabel(tr("Factor"), daily), 1, 0);
    dailyGrid->addWidget(rule(Rule::DayOtFactor), 1, 1);
    right->addWidget(daily);
    auto* period = new QGroupBox(tr("Period Overtime Adjustment"), m_form);
    auto* periodGrid = new QGridLayout(period);
    periodGrid->addWidget(new QLabel(tr("Days"), period), 0, 0);
    periodGrid->addWidget(rule(Rule::PeriodDays), 0, 1);
    periodGrid->addWidget(new QLabel(tr("Threshold"), period), 1, 0);
    periodGrid->addWidget(rule(Rule::ThresPeriod), 1, 1);
    periodGrid->addWidget(new QLabel(tr("Hours"), period), 1, 2);
    periodGrid->addWidget(new QLabel(tr("Factor"), period), 2, 0);
    periodGrid->addWidget(rule(Rule::PeriodOTFactor), 2, 1);
    right->addWidget(period);

    const ReportButtons commands(m_form, tr("&Print"), right);
    m_setup = commands.setup;
    m_print = commands.print;
    m_preview = commands.preview;
    QPushButton* closeButton = commands.close;
    right->addStretch();
    columns->addLayout(right);

    m_panel = new ReportProgress(m_platform, this);
    outer->addWidget(m_panel);

    // Each accepted rule goes straight into the employee table; a refused
    // one is replaced by the rule's default.
    for (const Rule r : ProjCostRules::kRules) {
        auto* check = new LeaveFieldCheck(rule(r), m_platform, [this, r](const QString& text) {
            FieldVerdict verdict = ProjCostRules::check(r, text);
            // The rules are saved with the schedule: a change must not be
            // lost when the schedule is closed without a question.
            Schedule& schedule = m_state.schedule();
            if (verdict.accepted && ProjCostRules::store(r, verdict.text, schedule.employees())) {
                schedule.setModified();
            }
            return verdict;
        });
        check->setRestoreText(ProjCostRules::resetText(r));
    }
    m_startCheck = new LeaveFieldCheck(m_startDate, m_platform, [this](const QString& text) {
        FieldVerdict verdict = ProjCostRules::checkStartDate(text);
        if (verdict.accepted) {
            m_lastGoodStart = *readDate(verdict.text);
        }
        return verdict;
    });
    m_daysCheck = new LeaveFieldCheck(m_numDays, m_platform, ProjCostRules::checkDays);

    connect(m_names, &QListWidget::itemSelectionChanged, this, &ProjCost::updateSelection);
    connect(m_names, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { editCost(m_names->row(item)); });
    connect(m_editCost, &QPushButton::clicked, this, [this] { editCost(m_names->currentRow()); });
    connect(m_setup, &QPushButton::clicked, this, [this] {
        if (m_editSetup) {
            m_editSetup(this);
        }
    });
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    connect(m_preview, &QPushButton::clicked, this, [this] { preview(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool ProjCost::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_names && event->type() == QEvent::FocusIn) {
        m_editCost->setEnabled(true);
    }
    return QDialog::eventFilter(watched, event);
}

void ProjCost::setReportSetup(std::function<void(QWidget*)> edit) {
    m_editSetup = std::move(edit);
    m_setup->setEnabled(static_cast<bool>(m_editSetup));
}

void ProjCost::fillNames() {
    const EmployeeTable& employees = m_state.schedule().employees();
    for (int entry = 1; entry <= EmployeeTable::kRows; ++entry) {
        if (ProjCostRules::listed(employees, entry)) {
            auto* item = new QListWidgetItem(ProjCostRules::listText(employees, entry), m_names);
            item->setData(kEntryRole, entry);
        }
    }
}

void ProjCost::updateSelection() {
    const auto selected = static_cast<int>(m_names->selectedItems().size());
    m_count->setText(QString::number(selected));
    m_print->setEnabled(selected > 0);
    m_preview->setEnabled(selected > 0);
}

std::vector<int> ProjCost::selectedEntries() const {
    return chosenData(m_names, kEntryRole);
}

void ProjCost::editCost(int index) {
    QListWidgetItem* item = m_names->item(index);
    if (!item) {
        return;
    }
    const int entry = item->data(kEntryRole).toInt();
    if (EditPay::edit(m_state, m_platform, this, entry)) {
        item->setText(ProjCostRules::listText(m_state.schedule().employees(), entry));
    }
}

std::optional<std::pair<QDate, int>> ProjCost::runRange() {
    if (!m_startCheck->run() || !m_daysCheck->run()) {
        return std::nullopt;
    }
    const QDate start = readDate(m_startDate->text().trimmed()).value_or(QDate());
    const int days = ProjCostRules::days(m_numDays->text());
    const Schedule& schedule = m_state.schedule();
    if (const auto refusal =
            ProjCostRules::rangeRefusal(start, days, schedule.startDate(), schedule.endDate())) {
        m_platform.warn(this, *refusal);
        m_startDate->setText(formatShortDate(m_lastGoodStart));
        m_startDate->setFocus();
        return std::nullopt;
    }
    return std::pair{start, days};
}

std::optional<std::vector<QStringList>> ProjCost::compute(QDate start, int days) {
    Schedule& schedule = m_state.schedule();
    // The table reads the day file; the grid's edits and the rules go there first.
    if (!schedule.flush()) {
        warnNotWritten(m_platform, this, QStringLiteral("The schedule"), schedule.errorString());
        return std::nullopt;
    }
    auto table = CostReport::table(schedule, selectedEntries(), start, days);
    if (!table) {
        m_platform.warn(this, ProjCostRules::error(schedule.errorString()));
        return std::nullopt;
    }
    if (!CostReport::writeScratch(m_state.workingDirectory(), *table)) {
        warnNotWritten(m_platform, this, QStringLiteral("The report file"),
                       QStringLiteral("KALMUR2.RPT"));
    }
    return table;
}

void ProjCost::setRunning(bool running) {
    m_form->setEnabled(!running);
    m_platform.setBusy(running);
    m_panel->setRunning(running);
    if (!running) {
        updateSelection();
        for (int i = 0; i < kSettleRounds; ++i) {
            m_platform.processEvents();
        }
    }
}

std::optional<RunOutcome> ProjCost::print() {
    const auto range = runRange();
    if (!range) {
        return std::nullopt;
    }
    struct Running {
        ProjCost* window;
        explicit Running(ProjCost* w)
            : window(w) {
            window->setRunning(true);
        }
        ~Running() { window->setRunning(false); }
    } running(this);
    const std::unique_ptr<ReportOutput> output = ReportOutput::open(
        m_platform, this,
        ReportOutput::suggestedPdf(m_state.locationText(), QStringLiteral(" cost.pdf")));
    if (!output) {
        return std::nullopt;
    }
    if (PageGeometry::of(output->device()).printableHeight <= 0) {
        m_platform.warn(this, ProjCostRules::error(kNoPrinter));
        return std::nullopt;
    }
    const PrintSetup setup = PrintSetup::prepare(m_state.schedule().settings().costSetup);
    const std::optional<PrintFonts> fonts =
        applySetupToPrinter(m_platform, this, setup, output->controls());
    if (!fonts) {
        return std::nullopt;
    }
    auto table = compute(range->first, range->second);
    if (!table) {
        return std::nullopt;
    }
    CostReportPrinter printer(std::move(*table), setup, *fonts,
                              CostReport::subtitle(range->first, range->second),
                              m_platform.clock().currentDateTime());
    return m_panel->finish(printer.print(output->device(), m_panel->hooks(*output)));
}

void ProjCost::preview() {
    const auto range = runRange();
    if (!range) {
        return;
    }
    const std::unique_ptr<QPrinter> printer = ReportOutput::previewPrinter(m_platform);
    const std::unique_ptr<ReportOutput> output = ReportOutput::printer(*printer);
    const PrintSetup setup = PrintSetup::prepare(m_state.schedule().settings().costSetup);
    const std::optional<PrintFonts> fonts =
        applySetupToPrinter(m_platform, this, setup, output->controls());
    if (!fonts) {
        return;
    }
    const auto table = compute(range->first, range->second);
    if (!table) {
        return;
    }
    QPrintPreviewDialog dialog(printer.get(), this);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    const QString subtitle = CostReport::subtitle(range->first, range->second);
    const QDateTime now = m_platform.clock().currentDateTime();
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        CostReportPrinter pages(*table, setup, *fonts, subtitle, now);
        pages.print(*target);
    });
    dialog.exec();
}

} // namespace kalmur
