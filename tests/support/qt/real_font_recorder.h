// A recording surface that measures its texts in the real fonts, as a
// window or a printer would draw them.
#pragma once

#include "platform/fake/recording_surface.h"
#include "platform/qt/painter_surface.h"

#include <QImage>

class RealFontRecorder : public RecordingSurface {
  public:
    using RecordingSurface::RecordingSurface;

  protected:
    double lineWidth(const std::string& line) override { return inFont().TextWidth(line); }
    double lineHeight() override { return inFont().TextHeight("W"); }

  private:
    PainterSurface& inFont() {
        measure_.setFont(font());
        return measure_;
    }
    QImage picture_{1, 1, QImage::Format_RGB32};
    PainterSurface measure_{&picture_};
};
