#include "platform/qt/printer_factory.h"

#include "book/file_descriptor.h"
#include "book/safe_file.h"
#include "book/tmain.h"
#include "platform/paper_sizes.h"
#include "platform/qt/painter_surface.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <fstream>

namespace {

std::vector<int> acceptedCodes(const QList<QPageSize>& sizes) {
    std::vector<int> codes;
    for (int code = FirstPaperCode; code <= LastPaperCode; ++code) {
        for (const auto& size : sizes) {
            QSizeF mm = size.size(QPageSize::Millimeter);
            if (paperMatches(code, mm.width(), mm.height(), 1.5)) {
                codes.push_back(code);
                break;
            }
        }
    }
    return codes;
}

QPageSize pageSizeForCode(int code) {
    auto paper = paperSizeByCode(code);
    if (!paper) return QPageSize(QPageSize::A4);
    return QPageSize(QSizeF(paper->widthMm, paper->heightMm), QPageSize::Millimeter,
                     QString::fromUtf8(paper->name), QPageSize::FuzzyMatch);
}

// The margins of a landscape page from those of the portrait sheet. The
// print system may turn the page either way onto the sheet, so each side
// keeps the larger of the two sheet margins it may fall on.
QMarginsF landscapeMargins(const QMarginsF& sheet) {
    const qreal across = std::max(sheet.top(), sheet.bottom());
    const qreal along = std::max(sheet.left(), sheet.right());
    return {across, along, across, along};
}

} // namespace

std::vector<PrinterCapabilities> installedPrinters() {
    std::vector<PrinterCapabilities> list;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        PrinterCapabilities p;
        p.name = info.printerName().toStdString();
        if (info.supportsCustomPageSizes()) {
            for (int code = FirstPaperCode; code <= LastPaperCode; ++code)
                p.paperCodes.push_back(code);
        } else {
            p.paperCodes = acceptedCodes(info.supportedPageSizes());
        }
        QSizeF current = info.defaultPageSize().size(QPageSize::Millimeter);
        p.currentPaperCode = paperCodeForSize(current.width(), current.height(), 1.5).value_or(0);
        const auto duplexModes = info.supportedDuplexModes();
        p.duplex = duplexModes.contains(QPrinter::DuplexLongSide);
        p.color = true;
        list.push_back(std::move(p));
    }
    return list;
}

PrinterCapabilities pdfPrinterCapabilities() {
    PrinterCapabilities p;
    p.name = PdfPrinterName;
    for (int code = FirstPaperCode; code <= LastPaperCode; ++code)
        p.paperCodes.push_back(code);
    p.currentPaperCode = 9;
    p.color = true;
    p.duplex = false;
    return p;
}

std::unique_ptr<QPrinter> createPrinter(const PrinterChoices& choices,
                                        const std::string& outputPath) {
    std::unique_ptr<QPrinter> printer;
    if (choices.printerName == PdfPrinterName) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        std::string path = outputPath.empty() ? choices.pdfPath : outputPath;
        printer->setOutputFileName(QString::fromStdString(path));
    } else {
        QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(choices.printerName));
        if (info.isNull()) return nullptr;
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer->setDuplex(choices.duplex ? QPrinter::DuplexLongSide : QPrinter::DuplexNone);
    }
    printer->setResolution(resolutionForQuality(choices.quality));
    printer->setPageSize(pageSizeForCode(choices.paperCode));
    printer->setPageOrientation(QPageLayout::Portrait);
    if (choices.orientation == Landscape) {
        const QMarginsF sheet = printer->pageLayout().margins(QPageLayout::Point);
        printer->setPageOrientation(QPageLayout::Landscape);
        // Turned, the page keeps the sheet's margins, and they are the only
        // ones Qt checks new margins against: it takes any in full-page mode.
        printer->setFullPage(true);
        printer->setPageMargins(landscapeMargins(sheet), QPageLayout::Point);
        printer->setFullPage(false);
    }
    printer->setColorMode(choices.colorMode == Monochrome ? QPrinter::GrayScale : QPrinter::Color);
    return printer;
}

bool printServiceRunning() {
    http_t* service = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                   5000, nullptr);
    if (service) httpClose(service);
    return service != nullptr;
}

namespace {

std::atomic<int> copiesUntilCut{-1};

PrintOutcome failedFile(const std::filesystem::path& file, std::error_code why) {
    return {false, file.string(), why, {}, {}, 0};
}

// The print system's answer to the job the print engine just handed it ("" when
// it took the job). The engine does not look at it, but it is the last one
// this thread was given.
std::string jobRefusal() {
    return cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE ? cupsLastErrorString() : "";
}

// The printer of one job, the job named `jobName`.
std::unique_ptr<QPrinter> jobPrinter(const PrinterChoices& choices, const std::string& outputPath,
                                     const std::string& jobName) {
    std::unique_ptr<QPrinter> printer = createPrinter(choices, outputPath);
    if (printer) printer->setDocName(QString::fromStdString(jobName));
    return printer;
}

// Runs `draw` on a surface of `printer` and ends the document; false when the
// printer could not be painted on or the document not ended.
bool drawJob(QPrinter& printer, const std::function<void(DrawingSurface&)>& draw) {
    PainterSurface surface(&printer);
    if (!surface.isActive()) return false;
    draw(surface);
    surface.EndDoc();
    return !surface.failed();
}

// A whole PDF is not empty and ends with its end-of-file marker (a line end
// or a few bytes may follow it).
bool isWholePdf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    if (size <= 0) return false;
    const std::streamoff tail = std::min<std::streamoff>(size, 1024);
    std::string last(static_cast<std::size_t>(tail), '\0');
    in.seekg(size - tail);
    if (!in.read(last.data(), tail)) return false;
    return last.find("%%EOF") != std::string::npos;
}

// Why a file came out cut short: the drawing library does not say, so the
// disk is asked to take one more block. Empty when it does.
std::error_code whyCutShort(const std::filesystem::path& path) {
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW));
    if (!file.opened()) return fileErrorFor(errno, FileUse::Write);
    const std::string block(1 << 16, '\0');
    const ssize_t written = ::write(file.get(), block.data(), block.size());
    if (written < 0) return fileErrorFor(errno, FileUse::Write);
    if (static_cast<std::size_t>(written) < block.size())
        return std::make_error_code(std::errc::no_space_on_device);
    if (::fsync(file.get()) != 0) return fileErrorFor(errno, FileUse::Write);
    if (const int closeError = file.close()) return fileErrorFor(closeError, FileUse::Write);
    return {};
}

// The test hook's cut: the file loses its second half.
void cutShortForTest(const std::filesystem::path& path) {
    int pending = copiesUntilCut.load();
    if (pending < 0) return;
    copiesUntilCut = pending - 1;
    std::error_code ec;
    if (pending == 0)
        std::filesystem::resize_file(path, std::filesystem::file_size(path, ec) / 2, ec);
}

// Draws one PDF copy into a temporary file beside `target` and puts it in
// the target's place once it is whole.
PrintOutcome printPdfCopy(const PrinterChoices& choices, const std::filesystem::path& target,
                          const std::string& jobName,
                          const std::function<void(DrawingSurface&)>& draw) {
    SafeFileWriter file(target);
    if (!file.ok()) return failedFile(target, file.error());
    const std::filesystem::path temporary = file.temporaryPath();
    const std::unique_ptr<QPrinter> printer = jobPrinter(choices, temporary.string(), jobName);
    if (!printer || !drawJob(*printer, draw)) return failedFile(target, {});
    cutShortForTest(temporary);
    if (!isWholePdf(temporary)) return failedFile(target, whyCutShort(temporary));
    if (!file.commit()) return failedFile(target, file.error());
    return {};
}

// Prints copy number `copy` (from 1); the copies before it were printed.
PrintOutcome printCopy(const PrinterChoices& choices, int copy, const std::string& jobName,
                       const std::function<void(DrawingSurface&)>& draw) {
    if (choices.printerName == PdfPrinterName) {
        PrintOutcome outcome =
            printPdfCopy(choices, pdfPathForCopy(choices.pdfPath, copy), jobName, draw);
        if (!outcome)
            for (int before = 1; before < copy; ++before)
                outcome.writtenFiles.push_back(pdfPathForCopy(choices.pdfPath, before));
        return outcome;
    }
    const std::unique_ptr<QPrinter> printer = jobPrinter(choices, "", jobName);
    if (!printer || !drawJob(*printer, draw)) return failedFile({}, {}); // no file to name
    PrintOutcome outcome;
    outcome.printerAnswer = jobRefusal();
    outcome.printed = outcome.printerAnswer.empty();
    return outcome;
}

// The first copy's file the PDF printer cannot write, found before any is
// written: one the safe writer refuses (also a name too long, by the one rule
// of every file written: the file system's).
PrintOutcome refusedPdfCopy(const PrinterChoices& choices, int copies) {
    for (int copy = 1; copy <= copies; ++copy) {
        const std::filesystem::path file = pdfPathForCopy(choices.pdfPath, copy);
        if (const SafeFileWriter check(file); !check.ok()) return failedFile(file, check.error());
    }
    return {};
}

} // namespace

PrintOutcome printCopies(const PrinterChoices& choices, int copies, const std::string& jobName,
                         const std::function<void(DrawingSurface&)>& draw) {
    if (choices.printerName == PdfPrinterName)
        if (PrintOutcome refused = refusedPdfCopy(choices, copies); !refused) return refused;
    for (int copy = 1; copy <= copies; ++copy) {
        PrintOutcome outcome = printCopy(choices, copy, jobName, draw);
        outcome.copiesPrinted = copy - 1;
        if (!outcome) return outcome;
    }
    return {};
}

std::string printFailureText(const PrintOutcome& failed) {
    if (failed.failedFile.empty() && failed.printerAnswer.empty()) return strings::text(292);
    if (failed.failedFile.empty()) {
        const int n = failed.copiesPrinted;
        return strings::text(292) +
               "\n\nThe print system did not take the job: " + failed.printerAnswer + "\n" +
               (n == 0 ? std::string("Nothing was printed.")
                       : "Only the first " + std::to_string(n) +
                             (n == 1 ? " copy was" : " copies were") + " printed.");
    }
    std::string text =
        failed.error
            ? Tmain::WriteFailureText(failed.failedFile, failed.error)
            : Tmain::WriteFailureText(failed.failedFile, "its pages could not be written whole.");
    if (!failed.writtenFiles.empty()) text += "\n\nThe copies before it were written:";
    for (const std::string& file : failed.writtenFiles)
        text += "\n" + file;
    return text;
}

void tellPrintFailure(const PrintOutcome& failed) {
    showMessage(printFailureText(failed));
}

void cutPdfCopyShort(int n) {
    copiesUntilCut = n;
}
