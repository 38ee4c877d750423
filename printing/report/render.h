#pragma once

#include "printing/report/template.h"

#include <QFont>
#include <QMap>
#include <QString>

class QPainter;

namespace Report {

// One data row by lower-case column name, values as text.
using Row = QMap<QString, QString>;

// The data set name templates use for the print buffer.
inline QString DataSetName() {
    return QStringLiteral("qkdst_s");
}

struct RenderOptions {
    bool background = false;       // draw the scan under the items
    double backgroundOpacity = -1; // below 0: the template's
    Calibration calibration;       // the printer's correction
    QString baseDir;               // where a relative background file lies
    bool markOverflow = false;     // outline items whose value does not fit
};

// Draws the page onto the painter's device, whose logical resolution maps
// millimetres to pixels. The template's offset and the calibration move and
// stretch everything as on the printer.
void Render(QPainter &painter, const Template &t, const Row &row, const RenderOptions &options = {});

// The text an item shows for a row.
QString ItemText(const Item &item, const Row &row);
// The font an item is drawn with for that text (smaller when it shrinks to fit).
QFont ItemFont(const Item &item, const QString &text);
// Indexes of the text items whose value spills out of their box.
QVector<int> Overflowing(const Template &t, const Row &row);

// Millimetres to device pixels and back.
inline double MmToPx(double mm, double dpi) {
    return mm * dpi / 25.4;
}

// A calibration page: rulers along the edges and crosshairs at known points,
// to measure how far a printer is off.
void RenderCalibration(QPainter &painter, const Template &t, const RenderOptions &options = {});

} // namespace Report
