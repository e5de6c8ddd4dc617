// A recording surface that measures its texts in the real fonts, as a
// window or (`onPaper`) the PDF printer would draw them.
#pragma once

#include "platform/fake/recording_surface.h"
#include "platform/qt/painter_surface.h"

#include <QImage>
#include <QPrinter>

#include <memory>

class RealFontRecorder : public RecordingSurface {
  public:
    explicit RealFontRecorder(double scaleWidth = 11520, double scaleHeight = 15120,
                              bool onPaper = false)
        : RecordingSurface(scaleWidth, scaleHeight),
          printer_(onPaper ? std::make_unique<QPrinter>(QPrinter::HighResolution) : nullptr) {
        if (printer_) { // a PDF of nothing
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setOutputFileName("/dev/null");
        }
        measure_ = std::make_unique<PainterSurface>(
            printer_ ? static_cast<QPaintDevice*>(printer_.get()) : &picture_);
    }

  protected:
    double lineWidth(const std::string& line) override { return inFont().TextWidth(line); }
    double lineHeight() override { return inFont().TextHeight("W"); }

  private:
    PainterSurface& inFont() {
        measure_->setFont(font());
        return *measure_;
    }
    QImage picture_{1, 1, QImage::Format_RGB32};
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<PainterSurface> measure_;
};
