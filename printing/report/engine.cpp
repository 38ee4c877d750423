#include "printing/report/engine.h"

#include "printing/report/designer.h"
#include "printing/report/preview.h"
#include "shell/errors.h"
#include "shell/modal.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

namespace Report {

QImage RenderImage(const Template &t, const Row &row, double dpi, const RenderOptions &options) {
    const QSize size(qRound(MmToPx(t.pageSize.width(), dpi)), qRound(MmToPx(t.pageSize.height(), dpi)));
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter p(&image);
    Render(p, t, row, options);
    return image;
}

void SetUpPrinter(QPrinter &printer, const Template &t) {
    printer.setFullPage(true);
    printer.setPageOrientation(t.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageSize(QPageSize(t.pageSize, QPageSize::Millimeter, QStringLiteral("Kelvaro"), QPageSize::ExactMatch));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void PrintTo(QPrinter &printer, const Template &t, const Row &row, const QString &baseDir, bool withBackground) {
    QPainter p;
    if (!p.begin(&printer))
        throw Exception(QStringLiteral("打印机无法开始打印：%1").arg(printer.printerName()));
    RenderOptions o;
    o.baseDir = baseDir;
    o.background = withBackground;
    o.backgroundOpacity = 1;
    o.calibration = t.calibrations.value(printer.printerName());
    Render(p, t, row, o);
    p.end();
}

bool PrintWithDialog(const Template &t, const Row &row, const QString &baseDir, QWidget *parent, bool withBackground) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer, t);
    printer.setCopyCount(1);
    printer.setCollateCopies(false);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer installed: the dialog's file printer makes a PDF.
        printer.setOutputFormat(QPrinter::PdfFormat);
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, 1);
    if (Modal::Exec(dialog) != QDialog::Accepted)
        return false;
    PrintTo(printer, t, row, baseDir, withBackground);
    return true;
}

void ExportPdf(const QString &file, const Template &t, const Row &row, const QString &baseDir) {
    QPdfWriter writer(file);
    writer.setResolution(1200);
    writer.setPageSize(QPageSize(t.pageSize, QPageSize::Millimeter, QStringLiteral("Kelvaro"), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setCreator(QStringLiteral("Kelvaro"));
    QPainter p;
    if (!p.begin(&writer))
        throw Exception(QStringLiteral("Unable to write to %1").arg(file));
    RenderOptions o;
    o.baseDir = baseDir;
    Render(p, t, row, o);
    p.end();
}

void ExportPng(const QString &file, const Template &t, const Row &row, const QString &baseDir, double dpi) {
    RenderOptions o;
    o.baseDir = baseDir;
    if (!RenderImage(t, row, dpi, o).save(file, "PNG"))
        throw Exception(QStringLiteral("Unable to write to %1").arg(file));
}

void SavePrepared(const Prepared &prepared, const QString &file) {
    QJsonObject row;
    for (auto it = prepared.row.cbegin(); it != prepared.row.cend(); ++it)
        row.insert(it.key(), it.value());
    QJsonObject root{{QStringLiteral("kind"), QStringLiteral("kelvaro-prepared-report")},
                     {QStringLiteral("template"), QJsonDocument::fromJson(ToJson(prepared.layout)).object()},
                     {QStringLiteral("row"), row},
                     {QStringLiteral("baseDir"), prepared.baseDir}};
    QSaveFile f(file);
    const QByteArray bytes = QJsonDocument(root).toJson();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw Exception(QStringLiteral("Unable to write to %1").arg(file));
}

Prepared LoadPrepared(const QString &file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("文件无法读取：%1").arg(file));
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll());
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("kind")).toString() != QLatin1String("kelvaro-prepared-report"))
        throw Exception(QStringLiteral("不是 Kelvaro 保存的报表：%1").arg(file));
    Prepared p;
    p.layout = FromJson(QJsonDocument(root.value(QStringLiteral("template")).toObject()).toJson(), file);
    const QJsonObject row = root.value(QStringLiteral("row")).toObject();
    for (auto it = row.begin(); it != row.end(); ++it)
        p.row.insert(it.key(), it.value().toString());
    p.baseDir = root.value(QStringLiteral("baseDir")).toString();
    return p;
}

} // namespace Report

void TReport::LoadFromFile(const QString &path) {
    m_template = Report::Load(path);
    m_path = path;
}

QString TReport::BaseDir() const {
    return QFileInfo(m_path).absolutePath();
}

void TReport::ShowReport(const Report::Row &row, QWidget *parent) {
    TPreviewForm preview({m_template, row, BaseDir()}, parent);
    Modal::Exec(preview);
}

bool TReport::PrintReport(const Report::Row &row, QWidget *parent) {
    return Report::PrintWithDialog(m_template, row, BaseDir(), parent);
}

void TReport::DesignReport(const Report::Row &row, const QStringList &fields, QWidget *parent) {
    TDesignerForm designer(m_template, m_path, row, fields, parent);
    Modal::Exec(designer);
}
