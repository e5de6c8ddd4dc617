// The drawing surface on a QPainter: a printer page (also a PDF file) or a
// window's picture (QImage, QPixmap). Twips map to device pixels by the
// printer's resolution, and by 15 twips per pixel on pictures.
#pragma once

#include "platform/drawing_surface.h"

#include <QFont>
#include <QPainter>

class QPaintDevice;
class QPrinter;

class PainterSurface : public DrawingSurface {
  public:
    // Begins painting on the device; painting ends with EndDoc or when the
    // surface goes. `background` is what Cls and a picture's NewPage clear to.
    explicit PainterSurface(QPaintDevice* device, RgbColor background = 0xFFFFFF);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    // False when the device could not be painted on (for example a PDF file
    // that cannot be written); drawing then does nothing.
    bool isActive() const { return painter_.isActive(); }
    // True once the device refused to begin or to finish the document.
    bool failed() const { return failed_; }
    QPainter& painter() { return painter_; }
    double dotsPerInchX() const { return dpiX_; }
    double dotsPerInchY() const { return dpiY_; }

    double ScaleWidth() const override;
    double ScaleHeight() const override;

  protected:
    void drawText(double x, double y, const std::string& line) override;
    double lineWidth(const std::string& line) override;
    double lineHeight() override;
    void drawLine(double x1, double y1, double x2, double y2, RgbColor color) override;
    void drawBox(double x1, double y1, double x2, double y2, RgbColor color, bool filled) override;
    void drawPixel(double x, double y, RgbColor color) override;
    void clearArea() override;
    void startNewPage() override;
    void finishDocument() override;

  private:
    QFont currentFont() const;
    double toDeviceX(double twips) const { return twips * dpiX_ / TwipsPerInch; }
    double toDeviceY(double twips) const { return twips * dpiY_ / TwipsPerInch; }

    QPaintDevice* device_;
    QPrinter* printer_ = nullptr; // the device when it is a printer
    QPainter painter_;
    RgbColor background_;
    bool failed_ = false;
    double dpiX_ = 96;
    double dpiY_ = 96;
};

QColor toQColor(RgbColor c);
RgbColor fromQColor(const QColor& c);
// The family a font name stands for: the name, or the interface's family
// when it names none (a face picked for no name may lack the text's letters).
QString fontFamily(const std::string& name);
// The font a surface draws `font` in on a device of `dotsPerInch`.
QFont deviceFont(const SurfaceFont& font, double dotsPerInch);
