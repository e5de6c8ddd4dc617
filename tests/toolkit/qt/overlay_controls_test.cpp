#include "toolkit/etched_frame.h"
#include "toolkit/ole_colour.h"
#include "toolkit/qt/ButtonUd.h"
#include "toolkit/qt/MyFrame.h"
#include "widget_events.h"

#include <QFile>
#include <QFontMetrics>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace widget_events;

namespace {

TEST(ButtonUdWidget, BlackPixelsLetClicksThrough) {
    QWidget top;
    top.resize(200, 100);
    auto* below = new QPushButton(QStringLiteral("Below"), &top);
    below->setGeometry(20, 20, 60, 50);
    auto* overlay = new ButtonUd(&top);
    overlay->move(34, 28);
    int belowClicks = 0, overlayClicks = 0, downs = 0;
    QObject::connect(below, &QPushButton::clicked, [&] { ++belowClicks; });
    QObject::connect(overlay, &ButtonUd::Click, [&] { ++overlayClicks; });
    QObject::connect(overlay, &ButtonUd::MouseDown, [&](MouseArgs& m) {
        ++downs;
        EXPECT_EQ(m.Button, keys::LeftButton);
    });
    showTop(&top);
    EXPECT_EQ(overlay->size(), QSize(32, 33));

    // The middle of the picture is black: the button below takes the click.
    click(&top, inTop(overlay, QPoint(16, 16)));
    EXPECT_EQ(belowClicks, 1);
    EXPECT_EQ(overlayClicks, 0);

    // Its frame is not: the overlay takes it.
    click(&top, inTop(overlay, QPoint(1, 16)));
    EXPECT_EQ(overlayClicks, 1);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(belowClicks, 1);

    overlay->setEnabled(false);
    click(&top, inTop(overlay, QPoint(1, 16)));
    EXPECT_EQ(overlayClicks, 1);
    EXPECT_TRUE(QFile::exists(saveShot(&top, "overlay_button")));
}

TEST(MyFrameWidget, EtchedBelowHalfALine) {
    QWidget top;
    top.resize(220, 120);
    auto* frame = new MyFrame(&top);
    frame->setGeometry(10, 10, 200, 100);
    frame->setBackCol(ole::rgb(236, 233, 216));
    showTop(&top);
    const QImage shot = frame->grab().toImage();
    const int t = etched_frame::topOffset(QFontMetrics(frame->font()).height());
    const QRgb shadow = 0xFFA0A0A0, light = 0xFFFFFFFF;
    EXPECT_EQ(shot.pixel(100, t), shadow);
    EXPECT_EQ(shot.pixel(100, t + 1), light);
    EXPECT_EQ(shot.pixel(100, 97), shadow);
    EXPECT_EQ(shot.pixel(100, 99), light);
    EXPECT_EQ(shot.pixel(198, 50), shadow);
    EXPECT_EQ(shot.pixel(199, 50), light);
    EXPECT_EQ(shot.pixel(100, t - 1), qRgb(236, 233, 216));
    EXPECT_TRUE(QFile::exists(saveShot(&top, "etched_frame")));
}

} // namespace
