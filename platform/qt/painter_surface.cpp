#include "platform/qt/painter_surface.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPrinter>

#include <algorithm>
#include <cmath>

QColor toQColor(RgbColor c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

RgbColor fromQColor(const QColor& c) {
    return rgbColor(c.red(), c.green(), c.blue());
}

PainterSurface::PainterSurface(QPaintDevice* device, RgbColor background)
    : device_(device), background_(background) {
    if (device_->devType() == QInternal::Printer) {
        printer_ = static_cast<QPrinter*>(device_);
        dpiX_ = device_->logicalDpiX();
        dpiY_ = device_->logicalDpiY();
    } else {
        dpiX_ = dpiY_ = TwipsPerInch / TwipsPerScreenPixel; // 96: 15 twips per pixel
    }
    failed_ = !painter_.begin(device_);
    if (painter_.isActive()) painter_.setRenderHint(QPainter::TextAntialiasing);
}

PainterSurface::~PainterSurface() {
    if (painter_.isActive()) painter_.end();
}

double PainterSurface::ScaleWidth() const {
    return device_->width() * TwipsPerInch / dpiX_;
}
double PainterSurface::ScaleHeight() const {
    return device_->height() * TwipsPerInch / dpiY_;
}

QString fontFamily(const std::string& name) {
    return name.empty() ? QGuiApplication::font().family() : QString::fromStdString(name);
}

QFont deviceFont(const SurfaceFont& font, double dotsPerInch) {
    QFont f(fontFamily(font.name));
    // Sized in device pixels so that every device measures alike.
    int pixels = static_cast<int>(std::lround(font.size * dotsPerInch / 72.0));
    f.setPixelSize(std::max(1, pixels));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    // No ligatures: a printed "fi" stays two letters for anyone reading the text back.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

QFont PainterSurface::currentFont() const {
    return deviceFont(font(), dpiY_);
}

void PainterSurface::drawText(double x, double y, const std::string& line) {
    if (!painter_.isActive() || line.empty()) return;
    QFont f = currentFont();
    QFontMetricsF metrics(f, device_);
    painter_.setFont(f);
    painter_.setPen(toQColor(ForeColor));
    painter_.drawText(QPointF(toDeviceX(x), toDeviceY(y) + metrics.ascent()),
                      QString::fromStdString(line));
}

double PainterSurface::lineWidth(const std::string& line) {
    QFontMetricsF metrics(currentFont(), device_);
    return metrics.horizontalAdvance(QString::fromStdString(line)) * TwipsPerInch / dpiX_;
}

double PainterSurface::lineHeight() {
    QFontMetricsF metrics(currentFont(), device_);
    return metrics.height() * TwipsPerInch / dpiY_;
}

void PainterSurface::drawLine(double x1, double y1, double x2, double y2, RgbColor color) {
    if (!painter_.isActive()) return;
    QPen pen(toQColor(color));
    pen.setWidthF(std::max(1, DrawWidth));
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
    painter_.drawLine(QPointF(toDeviceX(x1), toDeviceY(y1)), QPointF(toDeviceX(x2), toDeviceY(y2)));
}

void PainterSurface::drawBox(double x1, double y1, double x2, double y2, RgbColor color,
                             bool filled) {
    if (!painter_.isActive()) return;
    QRectF r(QPointF(toDeviceX(std::min(x1, x2)), toDeviceY(std::min(y1, y2))),
             QPointF(toDeviceX(std::max(x1, x2)), toDeviceY(std::max(y1, y2))));
    if (filled) {
        painter_.fillRect(r, toQColor(color));
        return;
    }
    QPen pen(toQColor(color));
    pen.setWidthF(std::max(1, DrawWidth));
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(r);
}

void PainterSurface::drawPixel(double x, double y, RgbColor color) {
    if (!painter_.isActive()) return;
    double size = std::max(1, DrawWidth);
    painter_.fillRect(QRectF(toDeviceX(x), toDeviceY(y), size, size), toQColor(color));
}

void PainterSurface::clearArea() {
    if (!painter_.isActive()) return;
    painter_.fillRect(QRectF(0, 0, device_->width(), device_->height()), toQColor(background_));
}

void PainterSurface::startNewPage() {
    if (!painter_.isActive()) return;
    if (printer_)
        printer_->newPage();
    else
        clearArea();
}

void PainterSurface::finishDocument() {
    if (painter_.isActive() && !painter_.end()) failed_ = true;
}
