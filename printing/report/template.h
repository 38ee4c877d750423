#pragma once

#include <QColor>
#include <QMap>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

// A slip template: where each value lands on the paper form, in millimetres.
// Stored as JSON (docs/report-template.md).
namespace Report {

enum class ItemKind { Text, Line, Rect };

struct Item {
    ItemKind kind = ItemKind::Text;
    QRectF rect;  // mm from the page's top left; a line runs from top left to bottom right
    QString text; // fixed words and field references such as [qkdst_s.khxm]
    QString fontFamily = QStringLiteral("宋体");
    double fontSize = 10; // points
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;
    bool shrinkToFit = false; // a long value gets a smaller font instead of spilling out
    double lineWidth = 0.3;   // mm, lines and rectangles
    bool operator==(const Item &) const = default;
};

// What one printer needs to hit the form: shift and stretch, measured on a
// calibration print.
struct Calibration {
    QPointF offset;          // mm
    QPointF scale{1.0, 1.0}; // x and y
    bool operator==(const Calibration &) const = default;
};

struct Background {
    QString file;         // beside the template, or absolute
    double dpi = 0;       // the scan's resolution; 0 = stretch over the page
    double opacity = 0.5; // as shown in the designer and the preview
    bool inPreview = true;
    bool operator==(const Background &) const = default;
};

struct Template {
    int version = 1;
    QSizeF pageSize{241, 140}; // mm
    bool landscape = false;
    QPointF offset;                          // mm, for every printer
    QMap<QString, Calibration> calibrations; // by printer name
    Background background;
    QVector<Item> items;
    bool operator==(const Template &) const = default;
};

constexpr int kVersion = 1;

// Raise Exception with a message naming the file and what is wrong.
Template Load(const QString &path);
Template FromJson(const QByteArray &json, const QString &name);
QByteArray ToJson(const Template &t);
// Written whole to a temporary file and renamed over the old one.
void Save(const Template &t, const QString &path);

// The template file beside the program: report/st.rmf.
QString PathBesideProgram();

// The correction for a printer that put the crosshairs meant for a and b at
// the measured points (all in mm from the paper's top left edge).
Calibration CalibrationFromMeasure(const QPointF &a, const QPointF &b, const QPointF &measuredA,
                                   const QPointF &measuredB);

// Field references in a text: [dataset.field].
QString Substitute(const QString &text, const QMap<QString, QString> &row, const QString &dataSet);
QStringList FieldsOf(const QString &text);

} // namespace Report
