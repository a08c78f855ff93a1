#include "CalendarWindow.h"
#include "ReportWindowParts.h"

#include "ProjCostRules.h"
#include "ReportOutput.h"
#include "ReportProgress.h"
#include "files/ProgramState.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "reports/CalendarReportPrinter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalmur {

namespace {

constexpr int kRowRole = Qt::UserRole;
// Times pending window events run after a run, so that the grid repaints.
constexpr int kSettleRounds = 10;

const std::array<const char*, 6> kItemCaptions = {
    "Shift Description", "Explanations", "Start/End Time", "Shift Length", "On-Call", "Notes"};

} // namespace

CalendarWindow::CalendarWindow(ProgramState& state, Platform& platform, ReportKind kind,
                               QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_platform(platform)
    , m_kind(kind) {
}

ReportSetup& CalendarWindow::setup() {
    return reportSetupOf(m_state, m_kind);
}

QCheckBox* CalendarWindow::optionBox(int option, const QString& caption) {
    auto* box = new QCheckBox(caption, m_form);
    const auto entry = static_cast<std::size_t>(option - 1);
    box->setChecked(setup().options[entry]);
    // Stored at once, to be saved with the settings.
    connect(box, &QCheckBox::toggled, this, [this, entry](bool on) {
        setup().options[entry] = on;
        m_state.settingsChanged = true;
    });
    return box;
}

void CalendarWindow::build(QWidget* days, const std::vector<ExtraOption>& extras) {
    auto* outer = new QVBoxLayout(this);
    m_form = new QWidget(this);
    outer->addWidget(m_form);
    auto* columns = new QHBoxLayout(m_form);
    columns->setContentsMargins(0, 0, 0, 0);

    auto* left = new QVBoxLayout;
    left->addWidget(days);
    const NamesColumn names(m_form, QStringLiteral("List1"), 260, tr("Select All"),
                            tr("Clear All"));
    m_names = names.list;
    QHBoxLayout* pick = names.buttons;
    auto* count = new QHBoxLayout;
    count->addWidget(new QLabel(tr("Pages to print"), m_form));
    m_pages = new QLabel(m_form);
    m_pages->setObjectName(QStringLiteral("NumberOfPages"));
    count->addWidget(m_pages);
    count->addStretch();
    left->addWidget(names.label);
    left->addWidget(m_names);
    left->addLayout(pick);
    left->addLayout(count);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* contents = new QGroupBox(tr("Print"), m_form);
    auto* contentsLayout = new QVBoxLayout(contents);
    for (std::size_t i = 0; i < CalendarReport::kItemOptions.size(); ++i) {
        QCheckBox* box = optionBox(CalendarReport::kItemOptions[i], tr(kItemCaptions[i]));
        box->setObjectName(QStringLiteral("Options%1").arg(i));
        contentsLayout->addWidget(box);
    }
    right->addWidget(contents);
    for (const ExtraOption& extra : extras) {
        QCheckBox* box = optionBox(extra.option, extra.caption);
        box->setObjectName(QLatin1String(extra.name));
        right->addWidget(box);
    }
    m_blank = new QCheckBox(tr("Blank Schedule"), m_form);
    m_blank->setObjectName(QStringLiteral("PrintBlank"));
    right->addWidget(m_blank);
    m_buttons = new QVBoxLayout;
    const ReportButtons commands(m_form, tr("Print"), m_buttons);
    m_setup = commands.setup;
    m_print = commands.print;
    m_preview = commands.preview;
    QPushButton* closeButton = commands.close;
    right->addLayout(m_buttons);
    right->addStretch();
    columns->addLayout(right);

    m_panel = new ReportProgress(m_platform, this);
    outer->addWidget(m_panel);

    connect(m_names, &QListWidget::itemSelectionChanged, this, &CalendarWindow::updateSelection);
    connect(m_setup, &QPushButton::clicked, this, [this] {
        if (m_editSetup) {
            m_editSetup(this);
        }
    });
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    connect(m_preview, &QPushButton::clicked, this, [this] { preview(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    fillNames();
    updateSelection();
    Placement::centreOver(this, parentWidget());
}

void CalendarWindow::setReportSetup(std::function<void(QWidget*)> edit) {
    m_editSetup = std::move(edit);
    m_setup->setEnabled(static_cast<bool>(m_editSetup));
}

void CalendarWindow::fillNames() {
    const EmployeeTable& employees = m_state.schedule().employees();
    for (int row = 1; row <= EmployeeTable::kRows; ++row) {
        if (!employees.isNamed(row)) {
            continue;
        }
        const auto r = static_cast<std::size_t>(row - 1);
        auto* item = new QListWidgetItem(employees.names[r].trimmed() + QStringLiteral(", ") +
                                             employees.positions[r].trimmed(),
                                         m_names);
        item->setData(kRowRole, row);
    }
}

void CalendarWindow::updateSelection() {
    const auto selected = static_cast<int>(m_names->selectedItems().size());
    m_pages->setText(QString::number(selected));
    m_print->setEnabled(selected > 0);
    m_preview->setEnabled(selected > 0);
    for (QPushButton* button : m_namesButtons) {
        button->setEnabled(selected > 0);
    }
}

void CalendarWindow::addNamesButton(QPushButton* button) {
    button->setAutoDefault(false);
    m_buttons->insertWidget(m_buttons->count() - 1, button);
    m_namesButtons.push_back(button);
    updateSelection();
}

std::vector<int> CalendarWindow::selectedRows() const {
    return chosenData(m_names, kRowRole);
}

void CalendarWindow::setRunning(bool running) {
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

std::optional<CalendarReport::Data> CalendarWindow::collect() {
    if (selectedRows().empty()) {
        return std::nullopt;
    }
    const std::optional<CalendarReport::Run> run = chosenRun();
    if (!run) {
        return std::nullopt;
    }
    Schedule& schedule = m_state.schedule();
    // The report reads what the grid holds; the day file gets the edits first.
    if (!schedule.flush()) {
        m_platform.warn(this, ProjCostRules::error(schedule.errorString()));
        return std::nullopt;
    }
    auto report = CalendarReport::Data::collect(schedule, schedule.viewFormat(), *run,
                                                selectedRows(), setup(), m_blank->isChecked());
    if (!report) {
        m_platform.warn(this, ProjCostRules::error(schedule.errorString()));
    }
    return report;
}

std::optional<RunOutcome> CalendarWindow::print() {
    const std::optional<CalendarReport::Data> report = collect();
    if (!report) {
        return std::nullopt;
    }
    const std::unique_ptr<ReportOutput> output = ReportOutput::open(
        m_platform, this, ReportOutput::suggestedPdf(m_state.locationText(), pdfEnding()));
    if (!output) {
        return std::nullopt;
    }
    struct Running {
        CalendarWindow* window;
        explicit Running(CalendarWindow* w)
            : window(w) {
            window->setRunning(true);
        }
        ~Running() { window->setRunning(false); }
    } running(this);
    const PrintSetup prepared = PrintSetup::prepare(setup());
    const std::optional<PrintFonts> fonts =
        applySetupToPrinter(m_platform, this, prepared, output->controls());
    if (!fonts) {
        return std::nullopt;
    }
    CalendarReportPrinter printer(*report, prepared, *fonts,
                                  m_state.schedule().viewFormat().timeFormat,
                                  m_platform.clock().currentDateTime());
    return m_panel->finish(printer.print(output->device(), m_panel->hooks(*output)));
}

void CalendarWindow::preview() {
    const std::optional<CalendarReport::Data> report = collect();
    if (!report) {
        return;
    }
    const std::unique_ptr<QPrinter> printer = ReportOutput::previewPrinter(m_platform);
    const std::unique_ptr<ReportOutput> output = ReportOutput::printer(*printer);
    const PrintSetup prepared = PrintSetup::prepare(setup());
    const std::optional<PrintFonts> fonts =
        applySetupToPrinter(m_platform, this, prepared, output->controls());
    if (!fonts) {
        return;
    }
    QPrintPreviewDialog dialog(printer.get(), this);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    const QString timeFormat = m_state.schedule().viewFormat().timeFormat;
    const QDateTime now = m_platform.clock().currentDateTime();
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        CalendarReportPrinter pages(*report, prepared, *fonts, timeFormat, now);
        pages.print(*target);
    });
    dialog.exec();
}

} // namespace kalmur
