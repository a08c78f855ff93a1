#include "PrtMain.h"

#include "ReportOutput.h"
#include "ReportProgress.h"
#include "ReportWindowParts.h"
#include "SelectAllOnFocus.h"
#include "files/ProgramState.h"
#include "model/patterns/DateText.h"
#include "platform/LeaveFieldCheck.h"
#include "platform/Placement.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kalmur {

namespace {

constexpr int kRowRole = Qt::UserRole;
// Times pending window events run after a run, so that the grid repaints.
constexpr int kSettleRounds = 10;

MessageRequest error(const QString& text) {
    return {text, QStringLiteral("Error"), MessageIcon::Exclamation, MessageButtons::Ok,
            std::nullopt};
}

} // namespace

PrtMain::PrtMain(ProgramState& state, Platform& platform, const PrintDays::Grid& grid,
                 QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_platform(platform)
    , m_grid(grid) {
    setObjectName(QStringLiteral("PrtMain"));
    build();
    fillNames();
    choose(PrintDays::stored(m_state.schedule().viewFormat()), false);
    refreshCaption();
    updatePrintButton();
    Placement::centreOver(this, parent);
}

void PrtMain::build() {
    auto* outer = new QVBoxLayout(this);
    m_form = new QWidget(this);
    outer->addWidget(m_form);
    auto* columns = new QHBoxLayout(m_form);
    columns->setContentsMargins(0, 0, 0, 0);

    auto* left = new QVBoxLayout;
    const NamesColumn names(m_form, QStringLiteral("SelectedEmps"), 260, tr("Select All"),
                            tr("Clear All"));
    m_names = names.list;
    QHBoxLayout* pick = names.buttons;
    left->addWidget(names.label);
    left->addWidget(m_names);
    left->addLayout(pick);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* days = new QGroupBox(tr("Days to Print"), m_form);
    auto* daysLayout = new QVBoxLayout(days);
    m_screen = new QRadioButton(tr("Same as screen"), days);
    m_screen->setObjectName(QStringLiteral("DaysScreen"));
    m_month = new QRadioButton(tr("Current Month"), days);
    m_month->setObjectName(QStringLiteral("DaysMonth"));
    m_selected = new QRadioButton(tr("Selected"), days);
    m_selected->setObjectName(QStringLiteral("DaysSelected"));
    m_startDate = new QLineEdit(days);
    m_startDate->setObjectName(QStringLiteral("StartDate"));
    m_startDate->setMaxLength(10);
    m_numDays = new QLineEdit(days);
    m_numDays->setObjectName(QStringLiteral("NumDays"));
    m_numDays->setMaxLength(2);
    new SelectAllOnFocus(m_startDate);
    new SelectAllOnFocus(m_numDays);
    for (QWidget* w : {static_cast<QWidget*>(m_screen), static_cast<QWidget*>(m_month),
                       static_cast<QWidget*>(m_selected)}) {
        daysLayout->addWidget(w);
    }
    daysLayout->addWidget(new QLabel(tr("Start Date"), days));
    daysLayout->addWidget(m_startDate);
    daysLayout->addWidget(new QLabel(tr("Number of Days"), days));
    daysLayout->addWidget(m_numDays);
    right->addWidget(days);
    m_blank = new QCheckBox(tr("Blank Schedule"), m_form);
    m_blank->setObjectName(QStringLiteral("PrintBlank"));
    right->addWidget(m_blank);
    const ReportButtons commands(m_form, tr("Print"), right);
    m_setup = commands.setup;
    m_print = commands.print;
    m_preview = commands.preview;
    QPushButton* closeButton = commands.close;
    right->addStretch();
    columns->addLayout(right);

    m_panel = new ReportProgress(m_platform, this);
    outer->addWidget(m_panel);

    m_startCheck = new LeaveFieldCheck(m_startDate, m_platform, [this](const QString& text) {
        const std::optional<QDate> date = readDate(text.trimmed());
        if (!date) {
            return FieldVerdict::refuse(error(PrintDays::dateError(text)));
        }
        m_range.start = *date;
        return FieldVerdict::accept(formatShortDate(*date));
    });
    m_daysCheck = new LeaveFieldCheck(m_numDays, m_platform, [this](const QString& text) {
        const int count = text.trimmed().toInt();
        if (const QString e = PrintDays::daysError(count); !e.isEmpty()) {
            return FieldVerdict::refuse(error(e));
        }
        m_range.days = count;
        return FieldVerdict::accept(QString::number(count));
    });

    connect(m_names, &QListWidget::itemSelectionChanged, this, &PrtMain::updatePrintButton);
    connect(m_screen, &QRadioButton::clicked, this,
            [this] { choose(DaysToPrint::SameAsScreen, true); });
    connect(m_month, &QRadioButton::clicked, this,
            [this] { choose(DaysToPrint::CurrentMonth, true); });
    connect(m_selected, &QRadioButton::clicked, this,
            [this] { choose(DaysToPrint::Selected, true); });
    connect(m_setup, &QPushButton::clicked, this, [this] {
        if (m_editSetup) {
            m_editSetup(this);
            refreshCaption();
        }
    });
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    connect(m_preview, &QPushButton::clicked, this, [this] { preview(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void PrtMain::setReportSetup(std::function<void(QWidget*)> edit) {
    m_editSetup = std::move(edit);
    m_setup->setEnabled(static_cast<bool>(m_editSetup));
}

void PrtMain::refreshCaption() {
    setWindowTitle(QStringLiteral("Print - ") +
                   m_state.schedule().viewFormat().reportSetup.title.trimmed());
}

void PrtMain::fillNames() {
    const EmployeeTable& employees = m_state.schedule().employees();
    for (int row = 1; row <= EmployeeTable::kRows; ++row) {
        if (employees.hasBlankName(row)) {
            continue;
        }
        const auto r = static_cast<std::size_t>(row - 1);
        const QString text = employees.isDivider(row)
                                 ? QStringLiteral("<divider>")
                                 : employees.names[r].trimmed() + QStringLiteral(", ") +
                                       employees.positions[r].trimmed();
        auto* item = new QListWidgetItem(text, m_names);
        item->setData(kRowRole, row);
    }
}

void PrtMain::choose(DaysToPrint choice, bool store) {
    m_choice = choice;
    m_screen->setChecked(choice == DaysToPrint::SameAsScreen);
    m_month->setChecked(choice == DaysToPrint::CurrentMonth);
    m_selected->setChecked(choice == DaysToPrint::Selected);
    showRange(PrintDays::rangeFor(choice, m_grid));
    m_startDate->setEnabled(choice == DaysToPrint::Selected);
    m_numDays->setEnabled(choice == DaysToPrint::Selected);
    if (store) {
        Schedule& schedule = m_state.schedule();
        PrintDays::store(schedule.viewFormat(), choice);
        if (!schedule.writeCurrentViewFormat()) {
            m_platform.warn(this, error(schedule.errorString()));
        }
        m_state.settingsChanged = true;
    }
}

void PrtMain::showRange(const PrintDays::Range& range) {
    m_range = range;
    m_startDate->setText(formatShortDate(range.start));
    m_numDays->setText(QString::number(range.days));
}

void PrtMain::updatePrintButton() {
    const bool any = !m_names->selectedItems().isEmpty();
    m_print->setEnabled(any);
    m_preview->setEnabled(any);
}

std::vector<int> PrtMain::selectedRows() const {
    return chosenData(m_names, kRowRole);
}

PrintDays::Range PrtMain::range() const {
    return m_range;
}

void PrtMain::setRunning(bool running) {
    m_form->setEnabled(!running);
    m_platform.setBusy(running);
    m_panel->setRunning(running);
    if (!running) {
        updatePrintButton();
        for (int i = 0; i < kSettleRounds; ++i) {
            m_platform.processEvents();
        }
    }
}

std::optional<ScheduleReportData> PrtMain::collect() {
    if (selectedRows().empty()) {
        return std::nullopt;
    }
    if (m_choice == DaysToPrint::Selected && (!m_startCheck->run() || !m_daysCheck->run())) {
        return std::nullopt;
    }
    Schedule& schedule = m_state.schedule();
    // The report reads what the grid holds; the day file gets the edits first.
    if (!schedule.flush()) {
        m_platform.warn(this, error(schedule.errorString()));
        return std::nullopt;
    }
    auto report = ScheduleReportData::collect(schedule, schedule.viewFormat(), m_range.start,
                                              m_range.days, selectedRows(), m_blank->isChecked());
    if (!report) {
        m_platform.warn(this, error(schedule.errorString()));
    }
    return report;
}

std::optional<RunOutcome> PrtMain::run(ReportOutput& output, const ScheduleReportData& report,
                                       bool withPanel) {
    const Schedule& schedule = m_state.schedule();
    const ViewFormat& format = schedule.viewFormat();
    const PrintSetup setup = PrintSetup::prepare(format.reportSetup, &format);
    const std::optional<PrintFonts> fonts =
        applySetupToPrinter(m_platform, this, setup, output.controls());
    if (!fonts) {
        return std::nullopt;
    }
    ScheduleReportPrinter printer(schedule, format, report, setup, *fonts,
                                  m_platform.clock().currentDateTime());
    struct Panel {
        PrtMain* window;
        bool shown;
        ~Panel() {
            if (shown) {
                window->setRunning(false);
            }
        }
    } panel{this, withPanel};
    if (withPanel) {
        setRunning(true);
    }
    return m_panel->finish(printer.print(output.device(), m_panel->hooks(output)));
}

std::optional<RunOutcome> PrtMain::print() {
    const std::optional<ScheduleReportData> report = collect();
    if (!report) {
        return std::nullopt;
    }
    const std::unique_ptr<ReportOutput> output = ReportOutput::open(
        m_platform, this,
        ReportOutput::suggestedPdf(m_state.locationText(), QStringLiteral(".pdf")));
    if (!output) {
        return std::nullopt;
    }
    return run(*output, *report, true);
}

void PrtMain::preview() {
    const std::optional<ScheduleReportData> report = collect();
    if (!report) {
        return;
    }
    const Schedule& schedule = m_state.schedule();
    const ViewFormat& format = schedule.viewFormat();
    const PrintSetup setup = PrintSetup::prepare(format.reportSetup, &format);
    const QDateTime now = m_platform.clock().currentDateTime();
    previewReport(m_platform, this, setup, [&](QPrinter& target, const PrintFonts& fonts) {
        ScheduleReportPrinter pages(schedule, format, *report, setup, fonts, now);
        pages.print(target);
    });
}

} // namespace kalmur
