#include "WindowBench.h"

#include "Measure.h"
#include "editor/MainForm.h"
#include "editor/PaintArea.h"
#include "files/ProgramState.h"
#include "platform/DesktopPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace kalmur::bench {

namespace {

// The desktop's beep and busy pointer, as the program has them. A message or
// file dialog is answered at once as if cancelled, since a benchmark has
// nobody to answer it, and kept for the notes.
class QuietPlatform : public Platform {
public:
    void beep() override { m_desktop.beep(); }
    MessageAnswer message(QWidget*, const MessageRequest& request) override {
        messages.append(request.title + QStringLiteral(": ") + request.text);
        switch (request.buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::AbortRetryIgnore:
            return MessageAnswer::Abort;
        case MessageButtons::OkCancel:
        case MessageButtons::YesNoCancel:
            break;
        }
        return MessageAnswer::Cancel;
    }
    std::optional<QString> openFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    void setBusy(bool busy) override { m_desktop.setBusy(busy); }
    void showHelp(QWidget*, int) override {}
    void processEvents() override { m_desktop.processEvents(); }
    QList<InstalledPrinter> printers() override { return {}; }
    std::optional<InstalledPrinter> currentPrinter() override { return {}; }
    void setCurrentPrinter(const InstalledPrinter&) override {}
    std::optional<QString> pdfFileName(QWidget*, const QString&) override { return {}; }
    std::optional<QString> folderName(QWidget*, const QString&, const QString&) override {
        return {};
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont&, int, int) override { return {}; }

    QStringList messages;

private:
    DesktopPlatform m_desktop;
};

// Every dialog is cancelled at once.
struct NoDialogs : ScheduleDialogs {
    std::optional<DateRange> newScheduleProperties(QWidget*, ProgramState&) override { return {}; }
    std::optional<DateRange> editProperties(QWidget*, ProgramState&) override { return {}; }
    bool askPassword(QWidget*, ProgramState&) override { return false; }
    std::unique_ptr<ProgressDisplay> rebuildProgress(QWidget*) override { return {}; }
    std::optional<ScheduleLocation> convertOldSchedule(QWidget*, ProgramState&,
                                                       const QString&) override {
        return {};
    }
    bool editShifts(QWidget*, ProgramState&, const QString&) override { return false; }
    bool editExplanations(QWidget*, ProgramState&) override { return false; }
    bool editViewFormat(QWidget*, ProgramState&, const std::function<void()>&,
                        const std::function<void(QWidget*)>&) override {
        return false;
    }
    void printSchedule(QWidget*, ProgramState&, const PrintDays::Grid&) override {}
    void estimateCost(QWidget*, ProgramState&, const PrintDays::Grid&) override {}
    void legend(QWidget*, ProgramState&) override {}
    void personalReport(QWidget*, ProgramState&, ReportKind, const PrintDays::Grid&) override {}
    std::optional<QDate> changePage(QWidget*, const PagerRules&, QDate) override { return {}; }
    std::optional<int> findName(QWidget*, const QList<FindNameEntry>&) override { return {}; }
    bool editCoverageLine(QWidget*, ProgramState&, int) override { return false; }
    std::optional<PasteOptions> selectivePaste(QWidget*, const PasteOptions&) override {
        return {};
    }
    std::optional<CopyMultipleJob> copyMultiple(QWidget*, const CopyMultipleSetup&) override {
        return {};
    }
    bool reportSetup(QWidget*, ProgramState&, ReportKind, ReportSetup&) override { return false; }
    void choosePrinter(QWidget*) override {}
    void about(QWidget*) override {}
    void query(QWidget*, ProgramState&, const DateRange&) override {}
    bool editQuery(QWidget*, ProgramState&, int) override { return false; }
    void queryFound(QWidget*, ProgramState&, const QueryRun::Result&) override {}
};

// Lets the queued layout and painting of the window run.
void settle() {
    for (int i = 0; i < 4; ++i) {
        QApplication::processEvents();
    }
}

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
}

} // namespace

struct WindowBench::Window {
    explicit Window(const QString& workingDirectory)
        : state(workingDirectory) {}
    ProgramState state;
    QuietPlatform platform;
    NoDialogs dialogs;
    std::unique_ptr<MainForm> form;
    QWidget* grid = nullptr;
};

WindowBench::WindowBench(Options options)
    : m_options(std::move(options)) {
    m_options.rounds = std::max(m_options.rounds, 1);
    m_options.samples = std::max(m_options.samples, 1);
    m_options.perSample = std::max(m_options.perSample, 10);
    m_options.rows = std::max(m_options.rows, 1);
}

WindowBench::~WindowBench() {
    m_window.reset();
    QDir(m_options.workDirectory).removeRecursively();
}

QString WindowBench::path(const QString& name) const {
    return m_options.workDirectory + QLatin1Char('/') + name;
}

QString WindowBench::prepare() {
    m_window.reset();
    QDir(m_options.workDirectory).removeRecursively();
    if (!QDir().mkpath(path(QStringLiteral("working")))) {
        return QStringLiteral("cannot create ") + m_options.workDirectory;
    }
    const QString archive = path(QStringLiteral("window.KMR"));
    if (!QFile::copy(m_options.archive, archive)) {
        return QStringLiteral("cannot copy ") + m_options.archive;
    }
    m_window = std::make_unique<Window>(path(QStringLiteral("working")));
    const QString problem = openWindow(archive);
    if (!problem.isEmpty()) {
        m_window.reset();
    }
    return problem;
}

QString WindowBench::openWindow(const QString& archive) {
    Window& w = *m_window;
    w.state.commandLineSchedule = archive;
    w.form = std::make_unique<MainForm>(w.state, w.platform, w.dialogs);
    w.form->resize(m_options.width, m_options.height);
    w.form->show();
    w.form->loadInitial();
    settle();
    const Schedule& s = w.state.schedule();
    if (!s.isOpen()) {
        return QStringLiteral("the window did not open the schedule: ") +
               w.platform.messages.join(QStringLiteral("; "));
    }
    w.grid = w.form->findChild<QWidget*>(QStringLiteral("Grid"));
    if (!w.grid) {
        return QStringLiteral("the window has no grid");
    }
    // The grid gets the height of the rows wanted and half a row more.
    for (int attempt = 0; attempt < 6 && w.form->visibleRows() != m_options.rows; ++attempt) {
        const int cell = w.form->metrics().cellHeight;
        const int wanted = m_options.rows * cell + cell / 2;
        w.form->resize(m_options.width, w.form->height() + wanted - w.grid->height());
        settle();
    }
    if (w.form->visibleRows() != m_options.rows) {
        return QStringLiteral("the window shows %1 rows, not %2")
            .arg(w.form->visibleRows())
            .arg(m_options.rows);
    }
    const GridMetrics& m = w.form->metrics();
    m_notes.append(
        QStringLiteral("Main window %1x%2 px in view format %3 \"%4\": %5 days x %6 rows of "
                       "%7x%8 px cells, %9 coverage lines.")
            .arg(w.form->width())
            .arg(w.form->height())
            .arg(s.viewFormatNumber())
            .arg(s.viewFormat().name.trimmed())
            .arg(s.windowLength())
            .arg(w.form->visibleRows())
            .arg(m.cellWidth)
            .arg(m.cellHeight)
            .arg(s.viewFormat().coverageVisible));
    return {};
}

void WindowBench::timeRow(const Row& row, int count, const std::function<bool()>& before,
                          const std::function<bool(int)>& untimed,
                          const std::function<bool(int)>& operation) {
    std::vector<double> samples;
    for (int sample = 0; sample < m_options.samples; ++sample) {
        if (before && !before()) {
            failed(row.operation, QStringLiteral("the window could not be set up"));
            return;
        }
        double seconds = 0;
        if (untimed) {
            for (int k = 0; k < count; ++k) {
                if (!untimed(k)) {
                    failed(row.operation, QStringLiteral("the window could not be set up"));
                    return;
                }
                const Stopwatch clock;
                const bool ok = operation(k);
                seconds += clock.seconds();
                if (!ok) {
                    failed(row.operation, QStringLiteral("it did not do what it should"));
                    return;
                }
            }
        } else {
            const Stopwatch clock;
            for (int k = 0; k < count; ++k) {
                if (!operation(k)) {
                    failed(row.operation, QStringLiteral("it did not do what it should"));
                    return;
                }
            }
            seconds = clock.seconds();
        }
        samples.push_back(seconds / count);
    }
    const double seconds = median(samples);
    const QString met = row.goal <= 0
                            ? QStringLiteral("-")
                            : (seconds <= row.goal ? QStringLiteral("yes") : QStringLiteral("NO"));
    m_rows.push_back({row.operation, formatSeconds(seconds), QStringLiteral("-"),
                      QStringLiteral("-"), row.goalText, met});
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    m_notes.append(QStringLiteral("%1: %2 samples of %3, %4 to %5 each.")
                       .arg(row.operation)
                       .arg(samples.size())
                       .arg(count)
                       .arg(formatSeconds(*low), formatSeconds(*high)));
}

void WindowBench::failed(const QString& operation, const QString& why) {
    m_rows.push_back({operation, QStringLiteral("failed"), QStringLiteral("-"), QStringLiteral("-"),
                      QStringLiteral("-"), QStringLiteral("NO")});
    m_notes.append(operation + QStringLiteral(": ") + why + QLatin1Char('.'));
}

void WindowBench::measureRepaint() {
    const int days = m_window ? m_window->state.schedule().windowLength() : 0;
    const Row row{QStringLiteral("Full repaint, %1 days x %2 rows (MainForm::repaintAll)")
                      .arg(days)
                      .arg(m_options.rows),
                  4e-3, QStringLiteral("<= 4 ms")};
    if (!m_window) {
        failed(row.operation, QStringLiteral("no window"));
        return;
    }
    MainForm& form = *m_window->form;
    const int repaints = std::max(3, m_options.perSample / 10);
    auto before = [] {
        settle();
        return true;
    };
    timeRow(row, repaints, before, {}, [&](int) {
        form.repaintAll();
        return true;
    });

    const QList<PaintArea*> areas = form.findChildren<PaintArea*>();
    for (PaintArea* area : areas) {
        area->tiles().clear();
    }
    form.repaintAll();
    QStringList kept;
    for (const char* name : {"Grid", "DayRuler", "EmpList", "EmpPos", "Coverage"}) {
        if (auto* area = form.findChild<PaintArea*>(QLatin1String(name))) {
            kept.append(
                QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(area->tiles().count()));
        }
    }
    m_notes.append(QStringLiteral("Different tiles in a full repaint: ") +
                   kept.join(QStringLiteral(", ")) + QLatin1Char('.'));

    // The first drawing, as after the window is laid out anew: every tile
    // drawn, none copied.
    const Row cold{QStringLiteral("Full repaint, no drawn tiles kept (first drawing)"), 4e-3,
                   QStringLiteral("<= 4 ms")};
    timeRow(
        cold, repaints, before,
        [&](int) {
            for (PaintArea* area : areas) {
                area->tiles().clear();
            }
            return true;
        },
        [&](int) {
            form.repaintAll();
            return true;
        });

    // What reaches the screen: the drawn areas and every other widget of the
    // window composed into one image.
    QImage image(m_options.width, m_options.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const Row composed{QStringLiteral("Full repaint, then the window drawn into a %1x%2 image")
                           .arg(image.width())
                           .arg(image.height()),
                       0, QStringLiteral("-")};
    timeRow(composed, repaints, before, {}, [&](int) {
        form.repaintAll();
        form.render(&image);
        return true;
    });
}

void WindowBench::measureSteps() {
    const Row later{QStringLiteral("One-day step later (MainForm::stepDays)"), 1e-3,
                    QStringLiteral("<= 1 ms")};
    const Row earlier{QStringLiteral("One-day step earlier"), 1e-3, QStringLiteral("<= 1 ms")};
    const Row shown{QStringLiteral("One-day step later, then the window's update painted"), 0,
                    QStringLiteral("-")};
    if (!m_window) {
        failed(later.operation, QStringLiteral("no window"));
        return;
    }
    MainForm& form = *m_window->form;
    const Schedule& s = m_window->state.schedule();
    const int steps = std::min(m_options.perSample, s.dayCount() - 2 * s.windowLength());
    if (steps < 1) {
        failed(later.operation, QStringLiteral("too few days in the schedule"));
        return;
    }
    const int start = (s.dayCount() - s.windowLength() - steps) / 2;
    auto from = [&form, &s](int first) {
        return [&form, &s, first] {
            form.showDaysFrom(first);
            settle();
            return s.firstShownDay() == first;
        };
    };
    timeRow(later, steps, from(start), {}, [&](int k) {
        form.stepDays(1);
        return s.firstShownDay() == start + k + 1;
    });
    timeRow(earlier, steps, from(start + steps), {}, [&](int k) {
        form.stepDays(-1);
        return s.firstShownDay() == start + steps - k - 1;
    });
    timeRow(shown, steps, from(start), {}, [&](int k) {
        form.stepDays(1);
        QApplication::processEvents();
        return s.firstShownDay() == start + k + 1;
    });
    if (!m_window->platform.messages.isEmpty()) {
        m_notes.append(QStringLiteral("Messages while stepping: ") +
                       m_window->platform.messages.join(QStringLiteral("; ")));
    }
}

void WindowBench::measureQuickKey() {
    const Row row{
        QStringLiteral("Quick key on one cell, with its day's coverage recount (key to \"Grid\")"),
        1e-3, QStringLiteral("<= 1 ms")};
    if (!m_window) {
        failed(row.operation, QStringLiteral("no window"));
        return;
    }
    MainForm& form = *m_window->form;
    QWidget& grid = *m_window->grid;
    const Schedule& s = m_window->state.schedule();
    // The last column is left out: a quick key there moves on by a day step.
    const int columns = s.windowLength() - 1;
    const int rows = form.visibleRows();
    if (columns < 1) {
        failed(row.operation, QStringLiteral("too few days on screen"));
        return;
    }
    const int first = s.dayCount() / 3;
    int slot = 0;
    int column = 0;
    Qt::Key key = Qt::Key_D;
    std::uint8_t expected = 0;
    timeRow(
        row, m_options.perSample,
        [&] {
            form.showDaysFrom(first);
            settle();
            return s.firstShownDay() == first;
        },
        [&](int k) {
            const int screenRow = 1 + (k / columns) % rows;
            column = 1 + k % columns;
            form.selectCell(screenRow, column);
            slot = s.slotOfRow(form.topRow() + screenRow);
            // Day (D) or Evening (E), whichever changes the cell; a day
            // off stays off, though it is written and drawn again all the same.
            const std::uint8_t now = s.cell(slot, column).shift;
            key = now == 1 ? Qt::Key_E : Qt::Key_D;
            expected = now == ShiftRecord::kOff ? now : (now == 1 ? 2 : 1);
            return form.selectionFirst() == column;
        },
        [&](int) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier,
                            key == Qt::Key_D ? QStringLiteral("d") : QStringLiteral("e"));
            QCoreApplication::sendEvent(&grid, &press);
            // Set, and the cursor moved on to the next day.
            return s.cell(slot, column).shift == expected && form.selectionFirst() == column + 1;
        });
}

void WindowBench::measureStartup() {
    const QString what = QStringLiteral("Start-up to the main window shown, beyond the 1 s splash "
                                        "(kalmur SCHEDULE vs kalmur)");
    if (!QFileInfo(m_options.program).isExecutable()) {
        failed(what, m_options.program + QStringLiteral(" is not an executable"));
        return;
    }
    const QString dir = path(QStringLiteral("startup"));
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    const QString archive = dir + QStringLiteral("/schedule.KMR");
    if (!QFile::copy(m_options.archive, archive)) {
        failed(what, QStringLiteral("cannot copy ") + m_options.archive);
        return;
    }
    const QString out = dir + QStringLiteral("/out.txt");
    const QString err = dir + QStringLiteral("/err.txt");
    const QRegularExpression shownAfter(QStringLiteral("^shown after (\\d+) ms$"),
                                        QRegularExpression::MultilineOption);
    QSet<QString> errorLines;
    QStringList problems;
    std::vector<double> spawnToExit[2];

    // One start-up; the program's own figure from its start, in seconds.
    auto once = [&](bool withSchedule) -> double {
        QStringList argv{m_options.program};
        if (withSchedule) {
            argv.append(archive);
        }
        const ChildRun run = runChild(argv, QStringLiteral("/dev/null"), out, 60, err);
        for (const QString& line : readText(err).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            errorLines.insert(line);
        }
        const auto match = shownAfter.match(readText(out));
        if (!run.succeeded() || !match.hasMatch()) {
            problems.append(
                run.timedOut
                    ? QStringLiteral("a start-up was killed after 60 s")
                    : QStringLiteral("a start-up ended with status %1").arg(run.exitStatus));
            return -1;
        }
        spawnToExit[withSchedule ? 0 : 1].push_back(run.seconds);
        return match.captured(1).toDouble() / 1e3;
    };

    const QByteArray hook = QByteArrayLiteral("KALMUR_EXIT_WHEN_SHOWN");
    qputenv(hook, "1");
    const PairTimes pair = alternate(
        m_options.rounds, [&] { return once(true); }, [&] { return once(false); });
    qunsetenv(hook);

    if (pair.failed) {
        failed(what, problems.isEmpty() ? QStringLiteral("no figure printed") : problems.first());
        return;
    }
    const double splash = 1.0;
    const double ours = median(pair.ours) - splash;
    const double reference = median(pair.reference) - splash;
    m_rows.push_back({what, formatSeconds(ours), formatSeconds(reference),
                      formatRatio(ours, reference), QStringLiteral("<= 300 ms"),
                      ours <= 0.3 ? QStringLiteral("yes") : QStringLiteral("NO")});
    const auto [oursMin, oursMax] = std::minmax_element(pair.ours.begin(), pair.ours.end());
    const auto [refMin, refMax] = std::minmax_element(pair.reference.begin(), pair.reference.end());
    m_notes.append(
        QStringLiteral("Start-up: %1 pairs, as the program printed them (from its process start, "
                       "splash included); with the schedule %2 to %3, without %4 to %5; from "
                       "spawn to exit (median) %6 and %7.")
            .arg(pair.ours.size())
            .arg(formatSeconds(*oursMin), formatSeconds(*oursMax), formatSeconds(*refMin),
                 formatSeconds(*refMax), formatSeconds(median(spawnToExit[0])),
                 formatSeconds(median(spawnToExit[1]))));
    if (!errorLines.isEmpty()) {
        QStringList lines = errorLines.values();
        lines.sort();
        m_notes.append(QStringLiteral("Start-up standard error: ") +
                       lines.join(QStringLiteral(" / ")));
    }
}

} // namespace kalmur::bench
