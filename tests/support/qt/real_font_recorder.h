// A recording surface that measures its texts in the real fonts, as a
// window or a printer would draw them.
#pragma once

#include "platform/fake/recording_surface.h"
#include "platform/qt/painter_surface.h"

#include <QImage>
#include <QPrinter>

#include <memory>

class RealFontRecorder : public RecordingSurface {
  public:
    // Measured as on the window, or at the dots of the PDF printer.
    enum Device { Screen, Printer };
    explicit RealFontRecorder(double scaleWidth = 11520, double scaleHeight = 15120,
                              Device device = Screen)
        : RecordingSurface(scaleWidth, scaleHeight) {
        if (device == Printer) {
            printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setOutputFileName("/dev/null");
            measure_ = std::make_unique<PainterSurface>(printer_.get());
        } else {
            measure_ = std::make_unique<PainterSurface>(&picture_);
        }
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
