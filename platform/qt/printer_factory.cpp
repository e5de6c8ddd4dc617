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
#include <cmath>
#include <fcntl.h>
#include <fstream>

namespace {

// How far (in millimetres) a printer's sheet may be from a paper code's size
// and still be that paper.
constexpr double SheetTolerance = 1.5;

std::vector<int> acceptedCodes(const QList<QPageSize>& sizes) {
    std::vector<int> codes;
    for (int code = FirstPaperCode; code <= LastPaperCode; ++code) {
        for (const auto& size : sizes) {
            QSizeF mm = size.size(QPageSize::Millimeter);
            if (paperMatches(code, mm.width(), mm.height(), SheetTolerance)) {
                codes.push_back(code);
                break;
            }
        }
    }
    return codes;
}

// A page size as the printer names and measures it.
PrinterPaper printerPaper(const QPageSize& size) {
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return {size.name().toStdString(), mm.width(), mm.height()};
}

// The printer's sheets that no paper code stands for, each once.
std::vector<PrinterPaper> ownPapers(const QList<QPageSize>& sizes) {
    std::vector<PrinterPaper> own;
    for (const auto& size : sizes) {
        const PrinterPaper paper = printerPaper(size);
        if (paperCodeForSize(paper.widthMm, paper.heightMm, SheetTolerance)) continue;
        if (std::find(own.begin(), own.end(), paper) == own.end()) own.push_back(paper);
    }
    return own;
}

// A sheet a printer feeds as the print system measures it (the page sizes
// the printer lists through Qt are Qt's own of the same name, which may be
// a point or two off): its size and the margins it does not print in.
struct PrinterSheet {
    QSizeF points;
    QMarginsF margins;
};

std::vector<PrinterSheet> printerSheets(const std::string& name) {
    std::vector<PrinterSheet> sheets;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
    if (!dest) return sheets;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        const auto points = [](int hundredthsOfMm) { // to the hundredth of a point
            return std::round(hundredthsOfMm * 7200.0 / 2540) / 100;
        };
        const int count = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, 0);
        for (int i = 0; i < count; ++i) {
            cups_size_t size;
            if (cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, 0, &size))
                sheets.push_back({{points(size.width), points(size.length)},
                                  {points(size.left), points(size.top), points(size.right),
                                   points(size.bottom)}});
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return sheets;
}

// The paper the choices name: the code's, the printer's own, or A4 for an
// unknown code.
PrinterPaper chosenPaper(const PrinterChoices& choices) {
    if (choices.paperCode == 0) return choices.ownPaper;
    const PaperSize paper = paperSizeByCode(choices.paperCode).value_or(*paperSizeByCode(9));
    return {paper.name, paper.widthMm, paper.heightMm};
}

// The printer's own sheet of a paper's size as fed, the nearest within the
// tolerance its papers were accepted with; nullptr when it has none.
const PrinterSheet* sheetFor(const PrinterPaper& paper, const std::vector<PrinterSheet>& sheets) {
    const PrinterSheet* nearest = nullptr;
    double nearestOff = SheetTolerance;
    for (const PrinterSheet& sheet : sheets) {
        const QSizeF mm = sheet.points * 25.4 / 72;
        const double off =
            std::max(std::abs(mm.width() - paper.widthMm), std::abs(mm.height() - paper.heightMm));
        if (off <= nearestOff) {
            nearest = &sheet;
            nearestOff = off;
        }
    }
    return nearest;
}

// Sets the printer's page to the paper chosen. Where the printer has a
// sheet of that size that Qt's page of the same name is not (B5 of 518 x 727
// points where Qt's is 516 x 729), or whose margins Qt does not know (a
// label printer's A6), the page is that sheet, within its margins, so that
// the print system prints it as drawn, neither moved nor scaled onto the
// sheet.
void setPaper(QPrinter& printer, const PrinterPaper& paper,
              const std::vector<PrinterSheet>& sheets) {
    printer.setPageSize(QPageSize(QSizeF(paper.widthMm, paper.heightMm), QPageSize::Millimeter,
                                  QString::fromStdString(paper.name), QPageSize::FuzzyMatch));
    const PrinterSheet* sheet = sheetFor(paper, sheets);
    if (!sheet) return;
    // Qt's pages are whole points, the print system's sheets hundredths of a
    // millimetre: within that they are the same sheet.
    const auto near = [](qreal a, qreal b) { return std::abs(a - b) <= 0.55; };
    const QPageLayout layout = printer.pageLayout();
    const QSizeF page = layout.pageSize().size(QPageSize::Point);
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    if (near(page.width(), sheet->points.width()) && near(page.height(), sheet->points.height()) &&
        near(margins.left(), sheet->margins.left()) && near(margins.top(), sheet->margins.top()) &&
        near(margins.right(), sheet->margins.right()) &&
        near(margins.bottom(), sheet->margins.bottom()))
        return;
    printer.setPageSize(QPageSize(sheet->points, QPageSize::Point,
                                  QString::fromStdString(paper.name), QPageSize::ExactMatch));
    printer.setFullPage(true); // margins of a size Qt does not know are not checked then
    printer.setPageMargins(sheet->margins, QPageLayout::Point);
    printer.setFullPage(false);
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
        p.ownPapers = ownPapers(info.supportedPageSizes());
        const PrinterPaper current = printerPaper(info.defaultPageSize());
        p.currentPaperCode =
            paperCodeForSize(current.widthMm, current.heightMm, SheetTolerance).value_or(0);
        if (p.currentPaperCode == 0) p.currentOwnPaper = current.name;
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
    std::vector<PrinterSheet> sheets;
    if (choices.printerName == PdfPrinterName) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        std::string path = outputPath.empty() ? choices.pdfPath : outputPath;
        printer->setOutputFileName(QString::fromStdString(path));
    } else {
        QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(choices.printerName));
        if (info.isNull()) return nullptr;
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        sheets = printerSheets(choices.printerName);
        printer->setDuplex(choices.duplex ? QPrinter::DuplexLongSide : QPrinter::DuplexNone);
    }
    printer->setResolution(resolutionForQuality(choices.quality));
    printer->setPageOrientation(QPageLayout::Portrait);
    setPaper(*printer, chosenPaper(choices), sheets);
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
    return {false, file.string(), why, {}, {}, false, 0};
}

// The print system's answer to the job the print engine just handed it ("" when
// it took the job). The engine does not look at it, but it is the last one
// this thread was given.
std::string jobRefusal() {
    return cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE ? cupsLastErrorString() : "";
}

// Why a job could not be started on the printer `name`, as the print system
// answers when asked of it ("" when it sees no fault).
std::string printerFault(const std::string& name) {
    if (!printServiceRunning()) return "The print service is not running.";
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
    if (!dest) return "There is no printer " + name + " (" + cupsLastErrorString() + ").";
    cupsFreeDests(1, dest);
    return jobRefusal();
}

// What was printed before a failure, by the copies printed.
std::string copiesPrintedText(int n) {
    if (n == 0) return "Nothing was printed.";
    if (n == 1) return "Only the first copy was printed.";
    return "Only the first " + std::to_string(n) + " copies were printed.";
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
    if (!printer || !drawJob(*printer, draw)) {
        PrintOutcome failed = failedFile({}, {}); // no file to name
        failed.printerAnswer = printerFault(choices.printerName);
        return failed;
    }
    PrintOutcome outcome;
    outcome.printerAnswer = jobRefusal();
    outcome.refused = !outcome.printerAnswer.empty();
    outcome.printed = !outcome.refused;
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
    // A printer's job failing once the service that answered here no longer
    // does failed because the service stopped, whatever else its answer says.
    const bool serviceAnswered = choices.printerName != PdfPrinterName && printServiceRunning();
    for (int copy = 1; copy <= copies; ++copy) {
        PrintOutcome outcome = printCopy(choices, copy, jobName, draw);
        outcome.copiesPrinted = copy - 1;
        if (outcome) continue;
        outcome.serviceStopped =
            serviceAnswered && outcome.failedFile.empty() && !printServiceRunning();
        return outcome;
    }
    return {};
}

std::string printFailureText(const PrintOutcome& failed) {
    if (failed.failedFile.empty()) {
        std::string text = strings::text(292) + "\n\n";
        if (failed.serviceStopped)
            text += "The print service stopped while printing.\n";
        else if (!failed.printerAnswer.empty())
            text += (failed.refused ? "The print system did not take the job: "
                                    : "The print system says: ") +
                    failed.printerAnswer + "\n";
        return text + copiesPrintedText(failed.copiesPrinted);
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
