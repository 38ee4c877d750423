#include "report/blankform.h"

#include <QFont>
#include <QPainter>

namespace BlankForm {

QImage Draw(double dpi) {
    const auto px = [dpi](double mm) { return mm * dpi / 25.4; };
    const QSize size(qRound(px(241)), qRound(px(140)));
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(QColor(0xFF, 0xFD, 0xF6)); // paper
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0xC0, 0x30, 0x30); // the red of a pre-printed form
    const auto line = [&](double x1, double y1, double x2, double y2, double w = 0.3) {
        p.setPen(QPen(ink, px(w)));
        p.drawLine(QPointF(px(x1), px(y1)), QPointF(px(x2), px(y2)));
    };
    const auto text = [&](double x, double y, double w, double h, const QString &s, double pt,
                          Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false) {
        QFont f(QStringLiteral("宋体"));
        f.setPointSizeF(pt);
        f.setBold(bold);
        p.setFont(f);
        p.setPen(ink);
        p.drawText(QRectF(px(x), px(y), px(w), px(h)), int(a), s);
    };
    const auto box = [&](double x, double y) {
        p.setPen(QPen(ink, px(0.25)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(px(x), px(y + 0.5), px(5), px(5)));
    };
    // Sprocket holes of continuous paper.
    p.setPen(QPen(QColor(0xD8, 0xD4, 0xCC), px(0.3)));
    for (double y = 6; y < 140; y += 12.7) {
        p.drawEllipse(QPointF(px(4), px(y)), px(2), px(2));
        p.drawEllipse(QPointF(px(237), px(y)), px(2), px(2));
    }
    text(0, 7, 241, 10, QStringLiteral("销  售  单"), 20, Qt::AlignCenter, true);
    line(100, 17.5, 141, 17.5, 0.4);
    text(10, 20, 20, 7, QStringLiteral("客户名称"), 9);
    line(30, 27, 100, 27);
    text(102, 20, 10, 7, QStringLiteral("电话"), 9);
    line(112, 27, 150, 27);
    text(152, 20, 10, 7, QStringLiteral("日期"), 9);
    line(162, 27, 231, 27);
    text(10, 28, 12, 7, QStringLiteral("地址"), 9);
    line(22, 35, 150, 35);
    text(152, 28, 10, 7, QStringLiteral("No."), 9);
    line(162, 35, 231, 35);

    // The goods table.
    const double top = 37, rowH = 7, bottom = 44 + 6 * rowH + rowH;
    p.setPen(QPen(ink, px(0.4)));
    p.drawRect(QRectF(px(10), px(top), px(221), px(bottom - top)));
    for (double y = 44; y < bottom; y += rowH)
        line(10, y, 231, y, y == 44 || y == 86 ? 0.4 : 0.2);
    for (double x : {110.0, 135.0, 170.0})
        line(x, top, x, 86);
    text(10, top, 100, 7, QStringLiteral("商 品 名 称"), 9, Qt::AlignCenter);
    text(110, top, 25, 7, QStringLiteral("数 量"), 9, Qt::AlignCenter);
    text(135, top, 35, 7, QStringLiteral("单 价"), 9, Qt::AlignCenter);
    text(170, top, 61, 7, QStringLiteral("金 额"), 9, Qt::AlignCenter);
    text(12, 86, 34, 7, QStringLiteral("合计（大写）"), 9);
    line(170, 86, 170, 93);
    text(171, 86, 6, 7, QStringLiteral("￥"), 9);

    text(10, 95, 14, 6, QStringLiteral("颜色："), 9);
    text(26, 95, 6, 6, QStringLiteral("白"), 9);
    box(33, 95);
    text(40, 95, 6, 6, QStringLiteral("黑"), 9);
    box(47, 95);
    text(60, 95, 14, 6, QStringLiteral("付款："), 9);
    text(73, 95, 9, 6, QStringLiteral("刷卡"), 9);
    box(82, 95);
    text(92, 95, 9, 6, QStringLiteral("现金"), 9);
    box(101, 95);
    text(116, 95, 18, 6, QStringLiteral("序列号"), 9);
    for (double y : {101.0, 108.0}) {
        line(134, y, 181, y, 0.2);
        line(184, y, 231, y, 0.2);
    }
    text(10, 110, 12, 7, QStringLiteral("说明"), 9);
    line(22, 117, 231, 117, 0.2);
    text(10, 121, 18, 7, QStringLiteral("开票员"), 9);
    line(28, 128, 68, 128, 0.2);
    text(77, 121, 18, 7, QStringLiteral("销售员"), 9);
    line(95, 128, 135, 128, 0.2);
    text(152, 121, 24, 7, QStringLiteral("客户助记码"), 9);
    line(176, 128, 231, 128, 0.2);
    text(10, 131, 221, 6, QStringLiteral("第一联：存根（白）    第二联：客户（红）    第三联：记账（黄）"), 7.5,
         Qt::AlignCenter);
    p.end();
    return image;
}

} // namespace BlankForm
