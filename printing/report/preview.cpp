#include "printing/report/preview.h"

#include "shell/errors.h"
#include "shell/filedialogs.h"
#include "shell/guard.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
constexpr double kScreenDpi = 96;
}

TPreviewForm::TPreviewForm(Report::Prepared prepared, QWidget *parent)
    : QDialog(parent), m_prepared(std::move(prepared)) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("打印预览"));
    setFont(Look::Song(12));
    resize(1000, 700);

    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto action = [this, bar](const QString &text, const QKeySequence &key, auto handler) {
        QAction *a = bar->addAction(text);
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
        return a;
    };
    ZoomInAction = action(QStringLiteral("放大"), QKeySequence::ZoomIn, &TPreviewForm::ZoomIn);
    ZoomOutAction = action(QStringLiteral("缩小"), QKeySequence::ZoomOut, &TPreviewForm::ZoomOut);
    FitWidthAction = action(QStringLiteral("页宽"), QKeySequence(), &TPreviewForm::FitWidth);
    WholePageAction = action(QStringLiteral("整页"), QKeySequence(), &TPreviewForm::WholePage);
    bar->addSeparator();
    OpenAction = action(QStringLiteral("打开"), QKeySequence::Open, &TPreviewForm::OpenPrepared);
    SaveAction = action(QStringLiteral("保存"), QKeySequence::Save, &TPreviewForm::SavePrepared);
    ExportAction = action(QStringLiteral("导出"), QKeySequence(), &TPreviewForm::Export);
    bar->addSeparator();
    PrintAction = action(QStringLiteral("打印"), QKeySequence::Print, &TPreviewForm::PrintPage);
    PageSetupAction = action(QStringLiteral("页面设置"), QKeySequence(), &TPreviewForm::PageSetup);
    bar->addSeparator();
    FindText = new QLineEdit(bar);
    FindText->setObjectName(QStringLiteral("FindText"));
    FindText->setPlaceholderText(QStringLiteral("查找内容"));
    FindText->setMaximumWidth(140);
    bar->addWidget(FindText);
    FindAction = bar->addAction(QStringLiteral("查找"));
    FindAction->setShortcut(QKeySequence::Find);
    connect(FindAction, &QAction::triggered, this, [this] { Guarded([this] { Find(FindText->text()); }); });
    connect(FindText, &QLineEdit::returnPressed, FindAction, &QAction::trigger);
    bar->addSeparator();
    // One slip is one page; the navigator shows where it is all the same.
    for (const QString &text : {QStringLiteral("首页"), QStringLiteral("上页")})
        bar->addAction(text)->setEnabled(false);
    PageLabel = new QLabel(QStringLiteral(" 1 / 1 "), bar);
    bar->addWidget(PageLabel);
    for (const QString &text : {QStringLiteral("下页"), QStringLiteral("末页")})
        bar->addAction(text)->setEnabled(false);
    bar->addSeparator();
    ShowBackground = new QCheckBox(QStringLiteral("显示底图"), bar);
    ShowBackground->setChecked(m_prepared.layout.background.inPreview);
    connect(ShowBackground, &QCheckBox::toggled, this, [this] { Refresh(); });
    bar->addWidget(ShowBackground);
    bar->addSeparator();
    CloseAction = bar->addAction(QStringLiteral("关闭"));
    connect(CloseAction, &QAction::triggered, this, &QDialog::accept);

    m_page = new QLabel;
    m_page->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_page);
    m_scroll->setWidgetResizable(true);
    m_scroll->setBackgroundRole(QPalette::Dark);
    Warning = new QLabel(this);
    Warning->setObjectName(QStringLiteral("Warning"));
    QPalette red = Warning->palette();
    red.setColor(QPalette::WindowText, QColor(200, 0, 0));
    Warning->setPalette(red);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(bar);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(Warning);
    Refresh();
}

QString TPreviewForm::OverflowWarning() const {
    QStringList names;
    for (int i : Report::Overflowing(m_prepared.layout, m_prepared.row))
        names << m_prepared.layout.items[i].text;
    if (names.isEmpty())
        return QString();
    return QStringLiteral("注意：以下内容超出了格子，打印时会出格：%1").arg(names.join(QStringLiteral("、")));
}

void TPreviewForm::Refresh() {
    Report::RenderOptions o;
    o.baseDir = m_prepared.baseDir;
    o.background = ShowBackground->isChecked();
    o.markOverflow = true;
    const double dpi = kScreenDpi * m_zoom;
    m_image = Report::RenderImage(m_prepared.layout, m_prepared.row, dpi, o);
    if (!m_found.isEmpty()) {
        QPainter p(&m_image);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 220, 0, 90));
        const QPointF shift = m_prepared.layout.offset;
        for (const QRectF &r : std::as_const(m_found))
            p.drawRect(QRectF(Report::MmToPx(r.x() + shift.x(), dpi), Report::MmToPx(r.y() + shift.y(), dpi),
                              Report::MmToPx(r.width(), dpi), Report::MmToPx(r.height(), dpi)));
    }
    m_page->setPixmap(QPixmap::fromImage(m_image));
    Warning->setText(OverflowWarning());
    Warning->setVisible(!Warning->text().isEmpty());
}

void TPreviewForm::SetZoom(double zoom) {
    m_zoom = std::clamp(zoom, 0.25, 6.0);
    Refresh();
}

void TPreviewForm::ZoomIn() {
    SetZoom(m_zoom * 1.25);
}
void TPreviewForm::ZoomOut() {
    SetZoom(m_zoom / 1.25);
}

void TPreviewForm::FitWidth() {
    const double available = m_scroll->viewport()->width() - 20;
    SetZoom(available / Report::MmToPx(m_prepared.layout.pageSize.width(), kScreenDpi));
}

void TPreviewForm::WholePage() {
    const QSize v = m_scroll->viewport()->size() - QSize(20, 20);
    const double zx = v.width() / Report::MmToPx(m_prepared.layout.pageSize.width(), kScreenDpi);
    const double zy = v.height() / Report::MmToPx(m_prepared.layout.pageSize.height(), kScreenDpi);
    SetZoom(std::min(zx, zy));
}

void TPreviewForm::OpenPrepared() {
    const QString file =
        FileDialogs::GetOpenFileName(this, QStringLiteral("打开报表"), QStringLiteral("Kelvaro 报表 (*.kpr)"));
    if (file.isEmpty())
        return;
    m_prepared = Report::LoadPrepared(file);
    m_found.clear();
    Refresh();
}

void TPreviewForm::SavePrepared() {
    QString file =
        FileDialogs::GetSaveFileName(this, QStringLiteral("保存报表"), QStringLiteral("Kelvaro 报表 (*.kpr)"));
    if (file.isEmpty())
        return;
    if (!file.endsWith(QLatin1String(".kpr"), Qt::CaseInsensitive))
        file += QStringLiteral(".kpr");
    Report::SavePrepared(m_prepared, file);
}

void TPreviewForm::PrintPage() {
    Report::PrintWithDialog(m_prepared.layout, m_prepared.row, m_prepared.baseDir, this);
}

void TPreviewForm::PageSetup() {
    QPrinter printer(QPrinter::HighResolution);
    Report::SetUpPrinter(printer, m_prepared.layout);
    QPageSetupDialog dialog(&printer, this);
    if (Modal::Exec(dialog) == QDialog::Accepted) {
        m_prepared.layout.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
        Refresh();
    }
}

int TPreviewForm::Find(const QString &words) {
    m_found.clear();
    if (!words.isEmpty()) {
        for (const Report::Item &item : std::as_const(m_prepared.layout.items))
            if (item.kind == Report::ItemKind::Text &&
                Report::ItemText(item, m_prepared.row).contains(words, Qt::CaseInsensitive))
                m_found.append(item.rect);
    }
    Refresh();
    if (!words.isEmpty() && m_found.isEmpty())
        Msg::ShowMessage(QStringLiteral("没有找到“%1”").arg(words));
    return static_cast<int>(m_found.size());
}

void TPreviewForm::Export() {
    const QString pdf = QStringLiteral("PDF 文件 (*.pdf)");
    const QString png = QStringLiteral("PNG 图片 (*.png)");
    QString filter;
    QString file =
        FileDialogs::GetSaveFileName(this, QStringLiteral("导出"), pdf + QStringLiteral(";;") + png, &filter);
    if (file.isEmpty())
        return;
    const bool asPng = filter == png || file.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    const QString suffix = asPng ? QStringLiteral(".png") : QStringLiteral(".pdf");
    if (!file.endsWith(suffix, Qt::CaseInsensitive))
        file += suffix;
    if (asPng)
        Report::ExportPng(file, m_prepared.layout, m_prepared.row, m_prepared.baseDir);
    else
        Report::ExportPdf(file, m_prepared.layout, m_prepared.row, m_prepared.baseDir);
}
