#pragma once

// One QApplication for a GUI test program, made before the first test and destroyed after
// the last (while Qt's own globals still exist). Tests run on Qt's offscreen platform unless
// the environment names another, so they need no display.

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QWidget>

namespace q804::testing {

QApplication& TestApp();

// What a widget shows, as a plain image.
inline QImage Shot(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

inline QColor PixelAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

}  // namespace q804::testing
