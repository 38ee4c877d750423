#pragma once

#include <QFont>

class QApplication;
class QWidget;

// The program's consistent look: one style and palette for every window,
// and the Song face the forms are drawn in.
namespace Look {

// Maps "宋体" and "SimSun" to the installed Song-style face, sets the Fusion
// style and the palette. Call once, before any window exists.
void Apply(QApplication &app);

// "宋体" at a character height in pixels.
QFont Song(int pixelSize, bool bold = false);

} // namespace Look
