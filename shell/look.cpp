#include "shell/look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QStyleFactory>

namespace Look {

void Apply(QApplication &app) {
    // The forms name the Song face by its Windows names; the closest face a
    // Debian machine has is AR PL UMing.
    const QStringList song = {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                              QStringLiteral("Noto Serif CJK SC"), QStringLiteral("WenQuanYi Zen Hei")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), song);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), song);

    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    p.setColor(QPalette::Window, QColor(0xEC, 0xEF, 0xF4));
    p.setColor(QPalette::WindowText, QColor(0x1B, 0x1F, 0x24));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xF4, 0xF6, 0xF9));
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Button, QColor(0xE1, 0xE6, 0xEE));
    p.setColor(QPalette::ButtonText, QColor(0x1B, 0x1F, 0x24));
    p.setColor(QPalette::Highlight, QColor(0x2F, 0x6F, 0xB5));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    app.setPalette(p);
    app.setFont(Song(12));
}

QFont Song(int pixelSize, bool bold) {
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace Look
