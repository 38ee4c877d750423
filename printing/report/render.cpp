#include "printing/report/render.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>

namespace Report {
namespace {

// Where a point in template millimetres lands in device pixels.
struct Mapper {
    double dpiX;
    double dpiY;
    QPointF shift; // mm
    QPointF scale;
    QPointF point(const QPointF &mm) const {
        return {MmToPx((mm.x() + shift.x()) * scale.x(), dpiX), MmToPx((mm.y() + shift.y()) * scale.y(), dpiY)};
    }
    QRectF rect(const QRectF &mm) const { return QRectF(point(mm.topLeft()), point(mm.bottomRight())); }
    double width(double mm) const { return MmToPx(mm, dpiX); }
};

Mapper mapperFor(const QPainter &painter, const Template &t, const RenderOptions &o) {
    const QPaintDevice *d = painter.device();
    return {double(d->logicalDpiX()), double(d->logicalDpiY()), t.offset + o.calibration.offset, o.calibration.scale};
}

int flagsOf(const Item &item) {
    return int(item.align) | (item.wordWrap ? Qt::TextWordWrap : 0);
}

QFont baseFont(const Item &item, double pointSize) {
    QFont f(item.fontFamily);
    f.setPointSizeF(pointSize);
    f.setBold(item.bold);
    return f;
}

// The text's size at a font, in millimetres, within a box width.
QSizeF measure(const QFont &font, const Item &item, const QString &text) {
    // Measured at a fixed resolution so the answer is the same on every device.
    constexpr double dpi = 600;
    QImage probe(1, 1, QImage::Format_Mono);
    probe.setDotsPerMeterX(qRound(dpi / 0.0254));
    probe.setDotsPerMeterY(qRound(dpi / 0.0254));
    const QFontMetricsF m(font, &probe);
    const QRectF box(0, 0, MmToPx(item.rect.width(), dpi), MmToPx(item.rect.height(), dpi));
    const QRectF used = m.boundingRect(box, flagsOf(item), text);
    return {used.width() * 25.4 / dpi, used.height() * 25.4 / dpi};
}

bool fits(const QFont &font, const Item &item, const QString &text) {
    const QSizeF s = measure(font, item, text);
    constexpr double slack = 0.2; // mm
    return s.width() <= item.rect.width() + slack && s.height() <= item.rect.height() + slack;
}

void drawBackground(QPainter &p, const Template &t, const RenderOptions &o, const Mapper &map) {
    if (t.background.file.isEmpty())
        return;
    const QString path =
        QDir::isAbsolutePath(t.background.file) ? t.background.file : QDir(o.baseDir).filePath(t.background.file);
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return;
    QSizeF sizeMm = t.pageSize;
    if (t.background.dpi > 0)
        sizeMm = QSizeF(image.width() * 25.4 / t.background.dpi, image.height() * 25.4 / t.background.dpi);
    p.save();
    p.setOpacity(o.backgroundOpacity >= 0 ? o.backgroundOpacity : t.background.opacity);
    // The scan is the paper itself: it is not shifted by the printer's correction.
    const Mapper plain{map.dpiX, map.dpiY, {}, {1, 1}};
    p.drawImage(plain.rect(QRectF(QPointF(0, 0), sizeMm)), image);
    p.restore();
}

} // namespace

QString ItemText(const Item &item, const Row &row) {
    return Substitute(item.text, row, DataSetName());
}

QFont ItemFont(const Item &item, const QString &text) {
    QFont font = baseFont(item, item.fontSize);
    if (!item.shrinkToFit || text.isEmpty())
        return font;
    for (double size = item.fontSize; size >= 4; size -= 0.5) {
        font = baseFont(item, size);
        if (fits(font, item, text))
            return font;
    }
    return font;
}

QVector<int> Overflowing(const Template &t, const Row &row) {
    QVector<int> out;
    for (int i = 0; i < t.items.size(); ++i) {
        const Item &item = t.items[i];
        if (item.kind != ItemKind::Text)
            continue;
        const QString text = ItemText(item, row);
        if (!text.isEmpty() && !fits(ItemFont(item, text), item, text))
            out.append(i);
    }
    return out;
}

void Render(QPainter &p, const Template &t, const Row &row, const RenderOptions &o) {
    const Mapper map = mapperFor(p, t, o);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (o.background)
        drawBackground(p, t, o, map);
    const QVector<int> overflowing = o.markOverflow ? Overflowing(t, row) : QVector<int>();
    for (int i = 0; i < t.items.size(); ++i) {
        const Item &item = t.items[i];
        const QRectF r = map.rect(item.rect);
        switch (item.kind) {
        case ItemKind::Line:
            p.setPen(QPen(Qt::black, map.width(item.lineWidth)));
            p.drawLine(r.topLeft(), r.bottomRight());
            break;
        case ItemKind::Rect:
            p.setPen(QPen(Qt::black, map.width(item.lineWidth)));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);
            break;
        case ItemKind::Text: {
            const QString text = ItemText(item, row);
            p.setFont(ItemFont(item, text));
            p.setPen(Qt::black);
            p.drawText(r, flagsOf(item), text);
            if (overflowing.contains(i)) {
                p.setPen(QPen(QColor(220, 0, 0), map.width(0.3), Qt::DashLine));
                p.setBrush(Qt::NoBrush);
                p.drawRect(r);
            }
            break;
        }
        }
    }
    p.restore();
}

void RenderCalibration(QPainter &p, const Template &t, const RenderOptions &o) {
    const Mapper map = mapperFor(p, t, o);
    p.save();
    p.setPen(QPen(Qt::black, map.width(0.2)));
    const double w = t.pageSize.width();
    const double h = t.pageSize.height();
    QFont small(QStringLiteral("宋体"));
    small.setPointSizeF(6);
    p.setFont(small);
    // Rulers along the top and the left edge, marks every millimetre.
    for (int mm = 0; mm <= int(w); ++mm) {
        const double len = mm % 10 == 0 ? 5 : mm % 5 == 0 ? 3.5 : 2;
        p.drawLine(map.point({double(mm), 10}), map.point({double(mm), 10 + len}));
        if (mm % 10 == 0)
            p.drawText(map.point({mm + 0.5, 19}), QString::number(mm));
    }
    for (int mm = 0; mm <= int(h); ++mm) {
        const double len = mm % 10 == 0 ? 5 : mm % 5 == 0 ? 3.5 : 2;
        p.drawLine(map.point({10, double(mm)}), map.point({10 + len, double(mm)}));
        if (mm % 10 == 0 && mm > 0)
            p.drawText(map.point({16.5, mm + 1.0}), QString::number(mm));
    }
    // Crosshairs 30 mm in from the corners: measure where they land.
    const QPointF marks[] = {{30, 30}, {w - 30, 30}, {30, h - 30}, {w - 30, h - 30}};
    for (const QPointF &c : marks) {
        p.drawLine(map.point(c - QPointF(6, 0)), map.point(c + QPointF(6, 0)));
        p.drawLine(map.point(c - QPointF(0, 6)), map.point(c + QPointF(0, 6)));
        p.drawEllipse(QRectF(map.point(c - QPointF(3, 3)), map.point(c + QPointF(3, 3))));
        p.drawText(map.point(c + QPointF(4, -4)), QStringLiteral("(%1, %2)").arg(c.x()).arg(c.y()));
    }
    QFont title(QStringLiteral("宋体"));
    title.setPointSizeF(10);
    p.setFont(title);
    p.drawText(QRectF(map.point({30, h / 2 - 8}), map.point({w - 30, h / 2 + 8})), Qt::AlignCenter,
               QStringLiteral("校准页：量出十字中心到纸边的距离，与括号中的数字比较"));
    p.restore();
}

} // namespace Report
