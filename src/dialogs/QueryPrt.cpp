#include "QueryPrt.h"

#include "ReportOutput.h"
#include "ReportProgress.h"
#include "files/ProgramState.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "reports/CostReport.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>

namespace kalmur {

namespace {

constexpr int kEntryRole = Qt::UserRole;
// Times pending window events run after a run, so that the windows repaint.
constexpr int kSettleRounds = 10;

QPushButton* button(const char* name, const QString& text, QWidget* parent, QRect at) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    b->setGeometry(at);
    return b;
}

} // namespace

QueryPrt::QueryPrt(ProgramState& state, Platform& platform, QueryRun::Result result,
                   QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_platform(platform)
    , m_result(std::move(result)) {
    setObjectName(QStringLiteral("QueryPrt"));
    setWindowTitle(QStringLiteral("Print ") + m_result.title);
    build();
    Placement::centreOver(this, parent);
}

void QueryPrt::build() {
    setFont(dialogFont(true));
    setFixedSize(twips(4455), twips(3615));
    m_form = new QWidget(this);
    m_form->setGeometry(rect());
    auto* label = new QLabel(QStringLiteral("Names:"), m_form);
    label->setGeometry(twipRect(120, 120, 2895, 240));
    m_names = new QListWidget(m_form);
    m_names->setObjectName(QStringLiteral("List1"));
    m_names->setGeometry(twipRect(120, 360, 2895, 1980));
    m_names->setSelectionMode(QAbstractItemView::MultiSelection);
    const QStringList entries = QueryReport::listEntries(m_result);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        auto* item = new QListWidgetItem(entries[i], m_names);
        if (i < qsizetype(m_result.found.size())) {
            item->setData(kEntryRole, m_result.found[std::size_t(i)].entry);
        }
    }
    auto* selectAll =
        button("SelectAll", QStringLiteral("Select All"), m_form, twipRect(120, 2370, 1446, 252));
    auto* clearAll =
        button("ClearAll", QStringLiteral("Clear All"), m_form, twipRect(1569, 2370, 1446, 252));
    m_namesOnly = new QCheckBox(QStringLiteral("Print names only"), m_form);
    m_namesOnly->setObjectName(QStringLiteral("Check1"));
    m_namesOnly->setGeometry(twipRect(120, 2700, 2895, 252));
    m_namesOnly->setEnabled(!m_result.notesMode);
    auto* previewButton = button("ButtonPreview", QStringLiteral("Preview..."), m_form,
                                 twipRect(3240, 360, 1092, 372));
    m_setup = button("ReportSetup", QStringLiteral("Report Setup..."), m_form,
                     twipRect(120, 3120, 1332, 372));
    m_setup->setEnabled(false);
    auto* printButton =
        button("ButtonPrint", QStringLiteral("Print"), m_form, twipRect(2280, 3120, 972, 372));
    auto* closeButton =
        button("ButtonClose", QStringLiteral("Close"), m_form, twipRect(3360, 3120, 972, 372));

    const bool found = !m_result.found.empty();
    if (found) {
        m_names->selectAll();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_names, selectAll, clearAll, printButton,
                                                      previewButton}) {
        w->setEnabled(found);
    }

    // While printing, the panel covers the list.
    m_panel = new ReportProgress(m_platform, this);
    m_panel->setGeometry(twipRect(120, 360, 2895, 1980));

    connect(selectAll, &QPushButton::clicked, m_names, &QListWidget::selectAll);
    connect(clearAll, &QPushButton::clicked, m_names, &QListWidget::clearSelection);
    connect(m_setup, &QPushButton::clicked, this, [this] {
        if (m_editSetup) {
            m_editSetup(this);
        }
    });
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    connect(previewButton, &QPushButton::clicked, this, [this] { preview(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void QueryPrt::setReportSetup(std::function<void(QWidget*)> edit) {
    m_editSetup = std::move(edit);
    m_setup->setEnabled(static_cast<bool>(m_editSetup));
}

std::vector<int> QueryPrt::selectedEntries() const {
    std::vector<int> entries;
    for (int i = 0; i < m_names->count(); ++i) {
        const QListWidgetItem* item = m_names->item(i);
        if (item->isSelected() && item->data(kEntryRole).isValid()) {
            entries.push_back(item->data(kEntryRole).toInt());
        }
    }
    return entries;
}

PrintSetup QueryPrt::setup() const {
    return QueryReport::printSetup(m_state.schedule().settings().querySetup, m_result.title);
}

QString QueryPrt::subtitle() const {
    return CostReport::subtitle(m_state.schedule().dateOfDay(m_result.firstDay),
                                m_result.lastDay - m_result.firstDay + 1);
}

std::optional<std::vector<QueryReport::Employee>> QueryPrt::employees() {
    const Schedule& schedule = m_state.schedule();
    auto employees = QueryReport::collect(schedule, m_result, selectedEntries(),
                                          !m_result.notesMode && m_namesOnly->isChecked());
    if (!employees) {
        m_platform.warn(this, {QStringLiteral("The query could not be run (") +
                                   schedule.errorString() + QStringLiteral(")."),
                               QStringLiteral("Error"), MessageIcon::Stop, MessageButtons::Ok,
                               std::nullopt});
    }
    return employees;
}

void QueryPrt::setRunning(bool running) {
    m_form->setEnabled(!running);
    m_platform.setBusy(running);
    m_panel->setRunning(running);
    if (running) {
        m_panel->raise();
        return;
    }
    for (int i = 0; i < kSettleRounds; ++i) {
        m_platform.processEvents();
    }
}

std::optional<RunOutcome> QueryPrt::print() {
    setRunning(true);
    const auto done = qScopeGuard([this] { setRunning(false); });
    const std::unique_ptr<ReportOutput> output = ReportOutput::open(
        m_platform, this,
        ReportOutput::suggestedPdf(m_state.locationText(), QStringLiteral(" query.pdf")));
    if (!output) {
        return std::nullopt;
    }
    const PrintSetup chosen = setup();
    const std::optional<PrintFonts> fonts =
        applySetupToPrinter(m_platform, this, chosen, output->controls());
    if (!fonts) {
        return std::nullopt;
    }
    auto found = employees();
    if (!found) {
        return std::nullopt;
    }
    QueryReportPrinter printer(std::move(*found), m_result.notesMode, chosen, *fonts, subtitle(),
                               m_platform.clock().currentDateTime());
    return m_panel->finish(printer.print(output->device(), m_panel->hooks(*output)));
}

void QueryPrt::preview() {
    const std::unique_ptr<QPrinter> target = ReportOutput::previewPrinter(m_platform);
    const std::unique_ptr<ReportOutput> output = ReportOutput::printer(*target);
    const PrintSetup chosen = setup();
    const std::optional<PrintFonts> fonts =
        applySetupToPrinter(m_platform, this, chosen, output->controls());
    if (!fonts) {
        return;
    }
    const auto found = employees();
    if (!found) {
        return;
    }
    const QString days = subtitle();
    const QDateTime now = m_platform.clock().currentDateTime();
    QPrintPreviewDialog dialog(target.get(), this);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* device) {
        QueryReportPrinter pages(*found, m_result.notesMode, chosen, *fonts, days, now);
        pages.print(*device);
    });
    dialog.exec();
}

void showQueryPrt(ProgramState& state, Platform& platform, const QueryRun::Result& result,
                  const std::function<void(QWidget*)>& editSetup, QWidget* parent) {
    QueryPrt window(state, platform, result, parent);
    window.setReportSetup(editSetup);
    window.exec();
}

} // namespace kalmur
