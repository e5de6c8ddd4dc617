#include "platform/qt/printer_factory.h"

#include "platform/paper_sizes.h"
#include "platform/qt/painter_surface.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

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
    printer->setPageOrientation(choices.orientation == Landscape ? QPageLayout::Landscape
                                                                 : QPageLayout::Portrait);
    printer->setColorMode(choices.colorMode == Monochrome ? QPrinter::GrayScale : QPrinter::Color);
    return printer;
}

bool printCopy(const PrinterChoices& choices, int copy,
               const std::function<void(DrawingSurface&)>& draw) {
    std::string path;
    if (choices.printerName == PdfPrinterName) path = pdfPathForCopy(choices.pdfPath, copy);
    auto printer = createPrinter(choices, path);
    if (!printer) return false;
    PainterSurface surface(printer.get());
    if (!surface.isActive()) return false;
    draw(surface);
    surface.EndDoc();
    return true;
}

bool printCopies(const PrinterChoices& choices, int copies,
                 const std::function<void(DrawingSurface&)>& draw) {
    for (int copy = 1; copy <= copies; ++copy)
        if (!printCopy(choices, copy, draw)) return false;
    return true;
}
