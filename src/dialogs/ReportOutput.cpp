#include "ReportOutput.h"

#include "platform/Platform.h"
#include "platform/Spooler.h"
#include "reports/PdfDevice.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace kalmur {

namespace {

QPageSize localePaper(std::optional<bool> letter) {
    const bool us = letter ? *letter : QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageSize(us ? QPageSize::Letter : QPageSize::A4);
}

class PrinterOutput : public ReportOutput, PrinterControls {
public:
    explicit PrinterOutput(QPrinter& printer)
        : m_printer(printer) {}
    QPagedPaintDevice& device() override { return m_printer; }
    PrinterControls& controls() override { return *this; }
    bool failed() const override { return m_printer.printerState() == QPrinter::Error; }

    bool setPortrait(bool portrait) override {
        return m_printer.setPageOrientation(portrait ? QPageLayout::Portrait
                                                     : QPageLayout::Landscape);
    }
    bool setQuality(int quality) override {
        const int dpi = qualityResolution(quality);
        const QList<int> offered = QPrinterInfo(m_printer).supportedResolutions();
        if (!offered.isEmpty() && !offered.contains(dpi)) {
            return false;
        }
        m_printer.setResolution(dpi);
        return true;
    }

private:
    QPrinter& m_printer;
};

// A run on the current printer. Qt calls a document handed to the CUPS
// spooler done whether the spooler took it or not, so once the document has
// ended (the printer is idle again) the spooler's own answer counts too.
class OwnedPrinterOutput : public PrinterOutput {
public:
    explicit OwnedPrinterOutput(std::unique_ptr<QPrinter> printer)
        : PrinterOutput(*printer)
        , m_owned(std::move(printer)) {}

    bool failed() const override {
        if (PrinterOutput::failed()) {
            return true;
        }
        return m_owned->printerState() == QPrinter::Idle &&
               m_owned->outputFormat() == QPrinter::NativeFormat &&
               Spooler::lastRequestFailure().has_value();
    }

private:
    std::unique_ptr<QPrinter> m_owned;
};

class PdfOutput : public ReportOutput {
public:
    PdfOutput(const QString& path, std::optional<bool> letter)
        : m_pdf(path, letter) {}
    QPagedPaintDevice& device() override { return m_pdf.writer(); }
    PrinterControls& controls() override { return m_pdf; }
    bool failed() const override { return false; }

private:
    PdfDevice m_pdf;
};

bool onPdfFilePrinter(Platform& platform) {
    const std::optional<InstalledPrinter> current = platform.currentPrinter();
    return !current || *current == pdfFilePrinter();
}

std::unique_ptr<QPrinter> systemPrinter(Platform& platform) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QPrinterInfo info = QPrinterInfo::printerInfo(platform.currentPrinter()->name);
    if (!info.isNull()) {
        printer->setPrinterName(info.printerName());
    }
    return printer;
}

} // namespace

std::unique_ptr<ReportOutput> ReportOutput::open(Platform& platform, QWidget* parent,
                                                 const QString& suggestedPdf) {
    if (onPdfFilePrinter(platform)) {
        const std::optional<QString> path = platform.pdfFileName(parent, suggestedPdf);
        if (!path || path->isEmpty()) {
            return nullptr;
        }
        return pdfFile(*path);
    }
    return std::make_unique<OwnedPrinterOutput>(systemPrinter(platform));
}

QString ReportOutput::suggestedPdf(const QString& archivePath, const QString& ending) {
    const QFileInfo archive(archivePath);
    const QString base = archive.completeBaseName().isEmpty() ? QStringLiteral("Schedule")
                                                              : archive.completeBaseName();
    return archive.absoluteDir().filePath(base + ending);
}

std::unique_ptr<ReportOutput> ReportOutput::pdfFile(const QString& path,
                                                    std::optional<bool> letter) {
    return std::make_unique<PdfOutput>(path, letter);
}

std::unique_ptr<ReportOutput> ReportOutput::printer(QPrinter& target) {
    return std::make_unique<PrinterOutput>(target);
}

std::unique_ptr<QPrinter> ReportOutput::previewPrinter(Platform& platform) {
    if (!onPdfFilePrinter(platform)) {
        return systemPrinter(platform);
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageLayout(
        QPageLayout(localePaper(std::nullopt), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return printer;
}

std::optional<PrintFonts> applySetupToPrinter(Platform& platform, QWidget* parent,
                                              const PrintSetup& setup, PrinterControls& printer) {
    const AppliedSetup applied = applySetup(setup, printer, [&](const QString& text) {
        return platform.warn(parent, {text, QStringLiteral("Warning"), MessageIcon::Exclamation,
                                      MessageButtons::OkCancel, std::nullopt}) == MessageAnswer::Ok;
    });
    if (!applied.ok() && !applied.error.isEmpty()) {
        platform.warn(parent, {applied.error, QStringLiteral("Error"), MessageIcon::Exclamation,
                               MessageButtons::Ok, std::nullopt});
    }
    return applied.fonts;
}

void showPrinterError(Platform& platform, QWidget* parent) {
    platform.warn(parent, {SetupMessages::kPrinterError, QStringLiteral("Printer Error"),
                           MessageIcon::Exclamation, MessageButtons::Ok, std::nullopt});
}

void previewReport(Platform& platform, QWidget* parent, const PrintSetup& setup,
                   const std::function<void(QPrinter&, const PrintFonts&)>& paint) {
    const std::unique_ptr<QPrinter> printer = ReportOutput::previewPrinter(platform);
    const std::unique_ptr<ReportOutput> output = ReportOutput::printer(*printer);
    const std::optional<PrintFonts> fonts =
        applySetupToPrinter(platform, parent, setup, output->controls());
    if (!fonts) {
        return;
    }
    QPrintPreviewDialog dialog(printer.get(), parent);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) { paint(*target, *fonts); });
    dialog.exec();
}

} // namespace kalmur
