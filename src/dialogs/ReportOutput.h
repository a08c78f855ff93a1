#pragma once

#include "reports/PrintSetup.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace kalmur {

class Platform;

// Where a report run prints: the current printer through the system's print
// service, or a PDF file when the program's own "PDF file" printer is current
// (also when the system has no printer).
class ReportOutput {
public:
    virtual ~ReportOutput() = default;

    // The device for a run on the current printer. On the PDF-file printer the
    // file name is asked first (preset with `suggestedPdf`); nothing when the
    // user cancelled.
    static std::unique_ptr<ReportOutput> open(Platform& platform, QWidget* parent,
                                              const QString& suggestedPdf);
    // The PDF file a run on the PDF-file printer offers first: beside the
    // schedule's archive, named after it with `ending` (".pdf", " cost.pdf").
    static QString suggestedPdf(const QString& archivePath, const QString& ending);
    // A PDF file at `path` on the paper size of the locale (Letter in the
    // United States, A4 elsewhere), or on A4 or Letter when asked.
    static std::unique_ptr<ReportOutput> pdfFile(const QString& path,
                                                 std::optional<bool> letter = std::nullopt);
    // A printer as the print preview hands it over.
    static std::unique_ptr<ReportOutput> printer(QPrinter& target);
    // The printer a preview draws for: the current printer, or a PDF-format
    // printer for the PDF-file printer.
    static std::unique_ptr<QPrinter> previewPrinter(Platform& platform);

    virtual QPagedPaintDevice& device() = 0;
    virtual PrinterControls& controls() = 0;
    // Whether the device reports a failure (a printer in its error state).
    virtual bool failed() const = 0;
};

// Puts a setup on the printer with the messages of the reports: an "Error"
// for a font the printer cannot print, a "Warning" with OK and Cancel for a
// setting it refuses. The fonts to print with, or nothing when refused.
std::optional<PrintFonts> applySetupToPrinter(Platform& platform, QWidget* parent,
                                              const PrintSetup& setup, PrinterControls& printer);

// The "Printer Error" message of a run the printer failed.
void showPrinterError(Platform& platform, QWidget* parent);

// "Preview...": puts `setup` on the preview's printer (with the messages of
// applySetupToPrinter) and shows the pages `paint` draws onto it with the
// fonts it gave; nothing is shown when the setup was refused.
void previewReport(Platform& platform, QWidget* parent, const PrintSetup& setup,
                   const std::function<void(QPrinter&, const PrintFonts&)>& paint);

} // namespace kalmur
