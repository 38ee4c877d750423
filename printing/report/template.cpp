#include "printing/report/template.h"

#include "shell/app.h"
#include "shell/errors.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

namespace Report {
namespace {

[[noreturn]] void bad(const QString &name, const QString &what) {
    throw Exception(QStringLiteral("报表模板格式错误（%1）：%2").arg(name, what));
}

double number(const QJsonObject &o, const char *key, double fallback, const QString &name) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return fallback;
    if (!v.isDouble())
        bad(name, QStringLiteral("“%1”应为数字").arg(QLatin1String(key)));
    return v.toDouble();
}

QString text(const QJsonObject &o, const char *key, const QString &fallback, const QString &name) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return fallback;
    if (!v.isString())
        bad(name, QStringLiteral("“%1”应为文字").arg(QLatin1String(key)));
    return v.toString();
}

bool flag(const QJsonObject &o, const char *key, bool fallback, const QString &name) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return fallback;
    if (!v.isBool())
        bad(name, QStringLiteral("“%1”应为 true 或 false").arg(QLatin1String(key)));
    return v.toBool();
}

const QMap<QString, Qt::Alignment> &alignments() {
    static const QMap<QString, Qt::Alignment> a = {
        {QStringLiteral("left"), Qt::AlignLeft | Qt::AlignVCenter},
        {QStringLiteral("center"), Qt::AlignHCenter | Qt::AlignVCenter},
        {QStringLiteral("right"), Qt::AlignRight | Qt::AlignVCenter},
        {QStringLiteral("top-left"), Qt::AlignLeft | Qt::AlignTop},
        {QStringLiteral("top-center"), Qt::AlignHCenter | Qt::AlignTop},
        {QStringLiteral("top-right"), Qt::AlignRight | Qt::AlignTop},
    };
    return a;
}

QString alignmentName(Qt::Alignment align) {
    for (auto it = alignments().cbegin(); it != alignments().cend(); ++it)
        if (it.value() == align)
            return it.key();
    return QStringLiteral("left");
}

QJsonObject pointJson(const QPointF &p) {
    return {{QStringLiteral("x"), p.x()}, {QStringLiteral("y"), p.y()}};
}

QPointF pointFrom(const QJsonValue &v, const QPointF &fallback, const QString &name, const char *what) {
    if (v.isUndefined())
        return fallback;
    if (!v.isObject())
        bad(name, QStringLiteral("“%1”应为 {\"x\":…, \"y\":…}").arg(QLatin1String(what)));
    const QJsonObject o = v.toObject();
    return {number(o, "x", fallback.x(), name), number(o, "y", fallback.y(), name)};
}

} // namespace

QString PathBesideProgram() {
    return App::ProgramDir() + QStringLiteral("report/st.rmf");
}

Template FromJson(const QByteArray &json, const QString &name) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        bad(name, QStringLiteral("第 %1 个字符处：%2").arg(error.offset).arg(error.errorString()));
    if (!doc.isObject())
        bad(name, QStringLiteral("不是一个模板"));
    const QJsonObject root = doc.object();
    Template t;
    t.version = static_cast<int>(number(root, "version", 0, name));
    if (t.version < 1 || t.version > kVersion)
        bad(name, QStringLiteral("不认识的版本 %1").arg(t.version));
    const QJsonObject page = root.value(QStringLiteral("page")).toObject();
    t.pageSize = {number(page, "width", 241, name), number(page, "height", 140, name)};
    if (t.pageSize.width() < 10 || t.pageSize.height() < 10 || t.pageSize.width() > 2000 || t.pageSize.height() > 2000)
        bad(name, QStringLiteral("纸张大小不对"));
    t.landscape = text(page, "orientation", QStringLiteral("portrait"), name) == QLatin1String("landscape");
    t.offset = pointFrom(root.value(QStringLiteral("offset")), {}, name, "offset");
    const QJsonObject cal = root.value(QStringLiteral("calibrations")).toObject();
    for (auto it = cal.begin(); it != cal.end(); ++it) {
        const QJsonObject c = it.value().toObject();
        Calibration k;
        k.offset = pointFrom(c.value(QStringLiteral("offset")), {}, name, "offset");
        k.scale = pointFrom(c.value(QStringLiteral("scale")), {1, 1}, name, "scale");
        if (k.scale.x() <= 0.5 || k.scale.x() >= 2 || k.scale.y() <= 0.5 || k.scale.y() >= 2)
            bad(name, QStringLiteral("打印机“%1”的缩放比例不对").arg(it.key()));
        t.calibrations.insert(it.key(), k);
    }
    const QJsonObject bg = root.value(QStringLiteral("background")).toObject();
    t.background.file = text(bg, "file", QString(), name);
    t.background.dpi = number(bg, "dpi", 0, name);
    t.background.opacity = std::clamp(number(bg, "opacity", 0.5, name), 0.0, 1.0);
    t.background.inPreview = flag(bg, "inPreview", true, name);

    const QJsonValue itemsValue = root.value(QStringLiteral("items"));
    if (!itemsValue.isUndefined() && !itemsValue.isArray())
        bad(name, QStringLiteral("“items”应为列表"));
    int index = 0;
    for (const QJsonValue &v : itemsValue.toArray()) {
        ++index;
        if (!v.isObject())
            bad(name, QStringLiteral("第 %1 项不是对象").arg(index));
        const QJsonObject o = v.toObject();
        Item item;
        const QString kind = text(o, "type", QStringLiteral("text"), name);
        if (kind == QLatin1String("text"))
            item.kind = ItemKind::Text;
        else if (kind == QLatin1String("line"))
            item.kind = ItemKind::Line;
        else if (kind == QLatin1String("rect"))
            item.kind = ItemKind::Rect;
        else
            bad(name, QStringLiteral("第 %1 项的类型“%2”不认识").arg(index).arg(kind));
        item.rect = QRectF(number(o, "x", 0, name), number(o, "y", 0, name), number(o, "width", 30, name),
                           number(o, "height", 6, name));
        item.text = text(o, "text", QString(), name);
        item.fontFamily = text(o, "font", item.fontFamily, name);
        item.fontSize = number(o, "size", item.fontSize, name);
        if (item.fontSize < 2 || item.fontSize > 200)
            bad(name, QStringLiteral("第 %1 项的字号不对").arg(index));
        item.bold = flag(o, "bold", false, name);
        const QString align = text(o, "align", QStringLiteral("left"), name);
        if (!alignments().contains(align))
            bad(name, QStringLiteral("第 %1 项的对齐方式“%2”不认识").arg(index).arg(align));
        item.align = alignments().value(align);
        item.wordWrap = flag(o, "wrap", false, name);
        item.shrinkToFit = flag(o, "shrink", false, name);
        item.lineWidth = number(o, "lineWidth", item.lineWidth, name);
        t.items.append(item);
    }
    return t;
}

Template Load(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("报表模板无法读取：%1").arg(path));
    return FromJson(f.readAll(), path);
}

QByteArray ToJson(const Template &t) {
    QJsonObject root;
    root.insert(QStringLiteral("version"), kVersion);
    root.insert(QStringLiteral("page"),
                QJsonObject{{QStringLiteral("width"), t.pageSize.width()},
                            {QStringLiteral("height"), t.pageSize.height()},
                            {QStringLiteral("orientation"),
                             t.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait")}});
    root.insert(QStringLiteral("offset"), pointJson(t.offset));
    QJsonObject cal;
    for (auto it = t.calibrations.cbegin(); it != t.calibrations.cend(); ++it)
        cal.insert(it.key(), QJsonObject{{QStringLiteral("offset"), pointJson(it.value().offset)},
                                         {QStringLiteral("scale"), pointJson(it.value().scale)}});
    root.insert(QStringLiteral("calibrations"), cal);
    root.insert(QStringLiteral("background"), QJsonObject{{QStringLiteral("file"), t.background.file},
                                                          {QStringLiteral("dpi"), t.background.dpi},
                                                          {QStringLiteral("opacity"), t.background.opacity},
                                                          {QStringLiteral("inPreview"), t.background.inPreview}});
    QJsonArray items;
    for (const Item &item : t.items) {
        QJsonObject o;
        o.insert(QStringLiteral("type"), item.kind == ItemKind::Text   ? QStringLiteral("text")
                                         : item.kind == ItemKind::Line ? QStringLiteral("line")
                                                                       : QStringLiteral("rect"));
        o.insert(QStringLiteral("x"), item.rect.x());
        o.insert(QStringLiteral("y"), item.rect.y());
        o.insert(QStringLiteral("width"), item.rect.width());
        o.insert(QStringLiteral("height"), item.rect.height());
        if (item.kind == ItemKind::Text) {
            o.insert(QStringLiteral("text"), item.text);
            o.insert(QStringLiteral("font"), item.fontFamily);
            o.insert(QStringLiteral("size"), item.fontSize);
            o.insert(QStringLiteral("bold"), item.bold);
            o.insert(QStringLiteral("align"), alignmentName(item.align));
            o.insert(QStringLiteral("wrap"), item.wordWrap);
            o.insert(QStringLiteral("shrink"), item.shrinkToFit);
        } else {
            o.insert(QStringLiteral("lineWidth"), item.lineWidth);
        }
        items.append(o);
    }
    root.insert(QStringLiteral("items"), items);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void Save(const Template &t, const QString &path) {
    QSaveFile f(path);
    const QByteArray bytes = ToJson(t);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw Exception(QStringLiteral("Unable to write to %1").arg(path));
}

Calibration CalibrationFromMeasure(const QPointF &a, const QPointF &b, const QPointF &measuredA,
                                   const QPointF &measuredB) {
    // The printer puts P at P*k + e; printing at (P - e)/k lands P where it belongs.
    const double kx = (measuredB.x() - measuredA.x()) / (b.x() - a.x());
    const double ky = (measuredB.y() - measuredA.y()) / (b.y() - a.y());
    if (!(kx > 0.5 && kx < 2 && ky > 0.5 && ky < 2))
        throw Exception(QStringLiteral("量得的距离不对，请重新测量"));
    Calibration c;
    c.scale = {1 / kx, 1 / ky};
    c.offset = {-(measuredA.x() - a.x() * kx), -(measuredA.y() - a.y() * ky)};
    return c;
}

QStringList FieldsOf(const QString &text) {
    static const QRegularExpression re(QStringLiteral("\\[([A-Za-z_][A-Za-z0-9_]*)\\.([A-Za-z_][A-Za-z0-9_]*)\\]"));
    QStringList out;
    for (auto it = re.globalMatch(text); it.hasNext();)
        out << it.next().captured(2);
    return out;
}

QString Substitute(const QString &text, const QMap<QString, QString> &row, const QString &dataSet) {
    static const QRegularExpression re(QStringLiteral("\\[([A-Za-z_][A-Za-z0-9_]*)\\.([A-Za-z_][A-Za-z0-9_]*)\\]"));
    QString out;
    qsizetype last = 0;
    for (auto it = re.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        if (m.captured(1).compare(dataSet, Qt::CaseInsensitive) == 0)
            out += row.value(m.captured(2).toLower());
        else
            out += m.captured(0);
        last = m.capturedEnd();
    }
    out += text.mid(last);
    return out;
}

} // namespace Report
