#include "printing/report/designer.h"

#include "printing/report/engine.h"
#include "printing/report/preview.h"
#include "shell/errors.h"
#include "shell/filedialogs.h"
#include "shell/guard.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSplitter>
#include <QToolBar>
#include <QUndoCommand>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

constexpr double kDesignDpi = 96; // text is laid out as on a screen of this resolution
constexpr double kHandle = 1.6;   // mm: the corner that resizes

// A whole-template before/after pair: simple, and right for every kind of change.
class SnapshotCommand : public QUndoCommand {
public:
    SnapshotCommand(std::function<void(const Report::Template &)> apply, Report::Template before,
                    Report::Template after, const QString &text)
        : QUndoCommand(text), m_apply(std::move(apply)), m_before(std::move(before)), m_after(std::move(after)) {}
    void undo() override { m_apply(m_before); }
    void redo() override { m_apply(m_after); }

private:
    std::function<void(const Report::Template &)> m_apply;
    Report::Template m_before;
    Report::Template m_after;
};

// The paper, with the snapping grid on it.
class PageItem : public QGraphicsRectItem {
public:
    PageItem(const QSizeF &size, double grid) : QGraphicsRectItem(QRectF(QPointF(0, 0), size)), m_grid(grid) {
        setZValue(-3);
        setPen(QPen(Qt::gray, 0));
        setBrush(Qt::white);
    }
    void paint(QPainter *p, const QStyleOptionGraphicsItem *o, QWidget *w) override {
        QGraphicsRectItem::paint(p, o, w);
        if (m_grid <= 0)
            return;
        p->setPen(QPen(QColor(200, 210, 225), 0, Qt::DotLine));
        const QRectF r = rect();
        for (double x = 5; x < r.width(); x += 5)
            p->drawLine(QPointF(x, 0), QPointF(x, r.height()));
        for (double y = 5; y < r.height(); y += 5)
            p->drawLine(QPointF(0, y), QPointF(r.width(), y));
    }

private:
    double m_grid;
};

// The field list hands out field references when dragged.
class FieldListWidget : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override {
        auto *data = new QMimeData;
        if (!items.isEmpty())
            data->setText(items.first()->text());
        return data;
    }
};

// The page view takes fields dropped from the list.
class DesignView : public QGraphicsView {
public:
    DesignView(QGraphicsScene *scene, TDesignerForm &form) : QGraphicsView(scene), m_form(form) {
        setAcceptDrops(true);
    }

protected:
    void dragEnterEvent(QDragEnterEvent *e) override {
        if (e->mimeData()->hasText())
            e->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent *e) override { e->acceptProposedAction(); }
    void dropEvent(QDropEvent *e) override {
        const QString field = e->mimeData()->text();
        const QPointF at = mapToScene(e->position().toPoint());
        Guarded([&] {
            m_form.AddField(field);
            const int index = m_form.Selected();
            m_form.Change(QStringLiteral("放置字段"),
                          [&](Report::Template &t) { t.items[index].rect.moveTopLeft(m_form.Snapped(at)); });
        });
        e->acceptProposedAction();
    }

private:
    TDesignerForm &m_form;
};

QDoubleSpinBox *mmBox(double max) {
    auto *b = new QDoubleSpinBox;
    b->setRange(-max, max);
    b->setDecimals(1);
    b->setSingleStep(0.5);
    b->setSuffix(QStringLiteral(" mm"));
    return b;
}

} // namespace

// ---- TDesignItem ----

TDesignItem::TDesignItem(TDesignerForm &form, int index) : m_form(form), m_index(index) {
    const Report::Item &item = form.Layout().items[index];
    setRect(QRectF(QPointF(0, 0), item.rect.size()));
    setPos(item.rect.topLeft());
    setFlags(ItemIsMovable | ItemIsSelectable | ItemSendsGeometryChanges | ItemIsFocusable);
    setAcceptHoverEvents(true);
}

void TDesignItem::paint(QPainter *p, const QStyleOptionGraphicsItem *, QWidget *) {
    const Report::Item &item = m_form.Layout().items[m_index];
    const QRectF r = rect();
    switch (item.kind) {
    case Report::ItemKind::Line:
        p->setPen(QPen(Qt::black, item.lineWidth));
        p->drawLine(r.topLeft(), r.bottomRight());
        break;
    case Report::ItemKind::Rect:
        p->setPen(QPen(Qt::black, item.lineWidth));
        p->drawRect(r);
        break;
    case Report::ItemKind::Text: {
        QString text = Report::ItemText(item, m_form.Sample());
        const bool sample = !text.isEmpty();
        if (!sample) // no value in the sample row: show which column goes here
            text = QString(item.text).replace(
                QRegularExpression(QStringLiteral("\\[[A-Za-z_0-9]+\\.([A-Za-z_0-9]+)\\]")), QStringLiteral("\\1"));
        // Laid out in pixels of a 96 dpi page, then scaled back to millimetres.
        p->save();
        const double k = 25.4 / kDesignDpi;
        p->scale(k, k);
        QFont font = Report::ItemFont(item, sample ? text : QString());
        font.setPixelSize(std::max(1, qRound(font.pointSizeF() * kDesignDpi / 72)));
        p->setFont(font);
        p->setPen(sample ? Qt::black : QColor(120, 120, 160));
        const QRectF box(0, 0, r.width() / k, r.height() / k);
        p->drawText(box, int(item.align) | (item.wordWrap ? Qt::TextWordWrap : 0), text);
        p->restore();
        p->setPen(QPen(QColor(150, 170, 210), 0, Qt::DashLine));
        p->setBrush(Qt::NoBrush);
        p->drawRect(r);
        break;
    }
    }
    if (m_form.OverflowingItems().contains(m_index)) {
        p->setPen(QPen(QColor(220, 0, 0), 0, Qt::DashLine));
        p->drawRect(r);
    }
    if (isSelected()) {
        p->setPen(QPen(QColor(40, 110, 220), 0));
        p->setBrush(Qt::NoBrush);
        p->drawRect(r);
        p->setBrush(QColor(40, 110, 220));
        p->drawRect(QRectF(r.bottomRight() - QPointF(kHandle, kHandle), QSizeF(kHandle, kHandle)));
    }
}

QVariant TDesignItem::itemChange(GraphicsItemChange change, const QVariant &value) {
    if (change == ItemPositionChange && !m_form.m_rebuilding)
        return m_form.Snapped(value.toPointF());
    if (change == ItemSelectedHasChanged && value.toBool() && !m_form.m_rebuilding) {
        m_form.m_selected = m_index;
        m_form.ShowProperties();
    }
    return QGraphicsRectItem::itemChange(change, value);
}

void TDesignItem::hoverMoveEvent(QGraphicsSceneHoverEvent *event) {
    const QRectF corner(rect().bottomRight() - QPointF(kHandle, kHandle), QSizeF(kHandle, kHandle));
    setCursor(corner.contains(event->pos()) ? Qt::SizeFDiagCursor : Qt::SizeAllCursor);
    QGraphicsRectItem::hoverMoveEvent(event);
}

void TDesignItem::mousePressEvent(QGraphicsSceneMouseEvent *event) {
    m_startRect = QRectF(pos(), rect().size());
    const QRectF corner(rect().bottomRight() - QPointF(kHandle, kHandle), QSizeF(kHandle, kHandle));
    m_resizing = event->button() == Qt::LeftButton && corner.contains(event->pos());
    QGraphicsRectItem::mousePressEvent(event);
}

void TDesignItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event) {
    if (!m_resizing) {
        QGraphicsRectItem::mouseMoveEvent(event);
        return;
    }
    const QPointF end = m_form.Snapped(event->scenePos());
    prepareGeometryChange();
    setRect(QRectF(QPointF(0, 0), QSizeF(std::max(1.0, end.x() - pos().x()), std::max(1.0, end.y() - pos().y()))));
}

void TDesignItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event) {
    QGraphicsRectItem::mouseReleaseEvent(event);
    m_resizing = false;
    const QRectF now(pos(), rect().size());
    if (now != m_startRect) {
        const int index = m_index;
        TDesignerForm &form = m_form;
        // The scene is rebuilt by the change; this item is gone after it.
        Guarded([&form, index, now] { form.ItemMoved(index, now); });
    }
}

// ---- TDesignerForm ----

TDesignerForm::TDesignerForm(Report::Template layout, QString path, Report::Row sample, QStringList fields,
                             QWidget *parent)
    : QDialog(parent), m_layout(std::move(layout)), m_saved(m_layout), m_path(std::move(path)),
      m_baseDir(QFileInfo(m_path).absolutePath()), m_sample(std::move(sample)) {
    setObjectName(QStringLiteral("DesignerForm"));
    setWindowTitle(QStringLiteral("报表设计 - %1").arg(QFileInfo(m_path).fileName()));
    setFont(Look::Song(12));
    resize(1180, 720);
    m_undo = new QUndoStack(this);

    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto action = [this, bar](const QString &text, const QKeySequence &key, std::function<void()> handler) {
        QAction *a = bar->addAction(text);
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, [handler] { Guarded(handler); });
        return a;
    };
    action(QStringLiteral("保存"), QKeySequence::Save, [this] { SaveTemplate(); });
    bar->addSeparator();
    action(QStringLiteral("撤销"), QKeySequence::Undo, [this] { Undo(); });
    action(QStringLiteral("重做"), QKeySequence::Redo, [this] { Redo(); });
    bar->addSeparator();
    action(QStringLiteral("加文字"), QKeySequence(), [this] { AddItem(Report::ItemKind::Text); });
    action(QStringLiteral("加直线"), QKeySequence(), [this] { AddItem(Report::ItemKind::Line); });
    action(QStringLiteral("加方框"), QKeySequence(), [this] { AddItem(Report::ItemKind::Rect); });
    action(QStringLiteral("删除"), QKeySequence::Delete, [this] { DeleteSelected(); });
    bar->addSeparator();
    SnapEdit = new QCheckBox(QStringLiteral("对齐网格"), bar);
    SnapEdit->setChecked(true);
    connect(SnapEdit, &QCheckBox::toggled, this, [this] { Rebuild(); });
    bar->addWidget(SnapEdit);
    ZoomEdit = new QComboBox(bar);
    for (int z : {50, 75, 100, 150, 200, 300, 400})
        ZoomEdit->addItem(QStringLiteral("%1%").arg(z), z / 100.0);
    ZoomEdit->setCurrentIndex(1);
    connect(ZoomEdit, &QComboBox::currentIndexChanged, this, [this] { SetZoom(ZoomEdit->currentData().toDouble()); });
    bar->addWidget(ZoomEdit);
    bar->addSeparator();
    action(QStringLiteral("纸张与底图"), QKeySequence(), [this] { PageSettings(); });
    action(QStringLiteral("校准打印"), QKeySequence(), [this] { CalibrationPrint(); });
    action(QStringLiteral("输入校准"), QKeySequence(), [this] { Calibrate(); });
    action(QStringLiteral("测试打印"), QKeySequence(), [this] { TestPrint(); });
    // On plain paper, with the scan printed under the values: a check before
    // spending the real forms.
    action(QStringLiteral("白纸核对打印"), QKeySequence(),
           [this] { Report::PrintWithDialog(m_layout, m_sample, m_baseDir, this, true); });
    action(QStringLiteral("预览"), QKeySequence(), [this] { ShowPreview(); });
    bar->addSeparator();
    action(QStringLiteral("关闭"), QKeySequence(), [this] { reject(); });

    // Left: the fields of the data set.
    FieldList = new FieldListWidget;
    FieldList->setObjectName(QStringLiteral("FieldList"));
    FieldList->setDragEnabled(true);
    for (const QString &f : fields)
        FieldList->addItem(QStringLiteral("[%1.%2]").arg(Report::DataSetName(), f));
    connect(FieldList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { Guarded([this, item] { AddField(item->text()); }); });
    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(new QLabel(QStringLiteral("字段（双击或拖到纸上）")));
    leftLayout->addWidget(FieldList);

    // Middle: the page.
    m_scene = new QGraphicsScene(this);
    View = new DesignView(m_scene, *this);
    View->setObjectName(QStringLiteral("View"));
    View->setBackgroundBrush(QColor(0x9A, 0xA4, 0xB1));
    View->setDragMode(QGraphicsView::RubberBandDrag);
    View->installEventFilter(this);
    connect(m_scene, &QGraphicsScene::selectionChanged, this, [this] {
        if (m_rebuilding)
            return;
        const QList<QGraphicsItem *> items = m_scene->selectedItems();
        m_selected = items.isEmpty() ? -1 : static_cast<TDesignItem *>(items.first())->Index();
        ShowProperties();
    });

    // Right: the selected item's properties.
    auto *panel = new QWidget;
    auto *form = new QFormLayout(panel);
    TextEdit = new QLineEdit;
    XEdit = mmBox(2000);
    YEdit = mmBox(2000);
    WidthEdit = mmBox(2000);
    HeightEdit = mmBox(2000);
    FontEdit = new QFontComboBox;
    SizeEdit = new QDoubleSpinBox;
    SizeEdit->setRange(2, 200);
    SizeEdit->setDecimals(1);
    SizeEdit->setSuffix(QStringLiteral(" 磅"));
    BoldEdit = new QCheckBox(QStringLiteral("粗体"));
    AlignEdit = new QComboBox;
    AlignEdit->addItem(QStringLiteral("靠左"), int(Qt::AlignLeft | Qt::AlignVCenter));
    AlignEdit->addItem(QStringLiteral("居中"), int(Qt::AlignHCenter | Qt::AlignVCenter));
    AlignEdit->addItem(QStringLiteral("靠右"), int(Qt::AlignRight | Qt::AlignVCenter));
    AlignEdit->addItem(QStringLiteral("左上"), int(Qt::AlignLeft | Qt::AlignTop));
    WrapEdit = new QCheckBox(QStringLiteral("自动换行"));
    ShrinkEdit = new QCheckBox(QStringLiteral("放不下时缩小字号"));
    form->addRow(QStringLiteral("内容"), TextEdit);
    form->addRow(QStringLiteral("左"), XEdit);
    form->addRow(QStringLiteral("上"), YEdit);
    form->addRow(QStringLiteral("宽"), WidthEdit);
    form->addRow(QStringLiteral("高"), HeightEdit);
    form->addRow(QStringLiteral("字体"), FontEdit);
    form->addRow(QStringLiteral("字号"), SizeEdit);
    form->addRow(QString(), BoldEdit);
    form->addRow(QStringLiteral("对齐"), AlignEdit);
    form->addRow(QString(), WrapEdit);
    form->addRow(QString(), ShrinkEdit);
    const auto apply = [this] {
        if (!m_updatingPanel)
            Guarded([this] { ApplyProperties(); });
    };
    connect(TextEdit, &QLineEdit::editingFinished, this, apply);
    for (QDoubleSpinBox *b : {XEdit, YEdit, WidthEdit, HeightEdit, SizeEdit})
        connect(b, &QDoubleSpinBox::editingFinished, this, apply);
    connect(FontEdit, &QFontComboBox::currentFontChanged, this, apply);
    connect(AlignEdit, &QComboBox::currentIndexChanged, this, apply);
    for (QCheckBox *c : {BoldEdit, WrapEdit, ShrinkEdit})
        connect(c, &QCheckBox::toggled, this, apply);

    auto *split = new QSplitter;
    split->addWidget(left);
    split->addWidget(View);
    split->addWidget(panel);
    split->setStretchFactor(1, 1);
    split->setSizes({170, 760, 250});

    Warning = new QLabel;
    Warning->setObjectName(QStringLiteral("Warning"));
    QPalette red = Warning->palette();
    red.setColor(QPalette::WindowText, QColor(200, 0, 0));
    Warning->setPalette(red);

    auto *layoutBox = new QVBoxLayout(this);
    layoutBox->setContentsMargins(0, 0, 0, 4);
    layoutBox->addWidget(bar);
    layoutBox->addWidget(split, 1);
    layoutBox->addWidget(Warning);

    Rebuild();
    SetZoom(0.75);
}

bool TDesignerForm::Modified() const {
    return !(m_layout == m_saved);
}

int TDesignerForm::Selected() const {
    return m_selected;
}

double TDesignerForm::GridStep() const {
    return 1.0;
}

bool TDesignerForm::Snap() const {
    return SnapEdit && SnapEdit->isChecked();
}

QPointF TDesignerForm::Snapped(const QPointF &mm) const {
    if (!Snap())
        return mm;
    const double g = GridStep();
    return {std::round(mm.x() / g) * g, std::round(mm.y() / g) * g};
}

void TDesignerForm::SetZoom(double zoom) {
    const double pxPerMm = View->logicalDpiX() / 25.4 * zoom;
    View->setTransform(QTransform::fromScale(pxPerMm, pxPerMm));
}

void TDesignerForm::Rebuild() {
    m_rebuilding = true;
    m_scene->clear();
    m_overflowing = Report::Overflowing(m_layout, m_sample);
    m_scene->addItem(new PageItem(m_layout.pageSize, Snap() ? GridStep() : 0));
    if (!m_layout.background.file.isEmpty()) {
        const QString file = QFileInfo(m_layout.background.file).isAbsolute()
                                 ? m_layout.background.file
                                 : m_baseDir + QLatin1Char('/') + m_layout.background.file;
        const QImage image = QImageReader(file).read();
        if (!image.isNull()) {
            auto *bg = m_scene->addPixmap(QPixmap::fromImage(image));
            const double k = m_layout.background.dpi > 0 ? 25.4 / m_layout.background.dpi
                                                         : m_layout.pageSize.width() / image.width();
            bg->setTransform(QTransform::fromScale(
                k, m_layout.background.dpi > 0 ? k : m_layout.pageSize.height() / image.height()));
            bg->setOpacity(m_layout.background.opacity);
            bg->setZValue(-2);
        }
    }
    for (int i = 0; i < m_layout.items.size(); ++i) {
        auto *item = new TDesignItem(*this, i);
        m_scene->addItem(item);
        if (i == m_selected)
            item->setSelected(true);
    }
    m_scene->setSceneRect(QRectF(-10, -10, m_layout.pageSize.width() + 20, m_layout.pageSize.height() + 20));
    if (m_selected >= m_layout.items.size())
        m_selected = -1;
    m_rebuilding = false;
    Warning->setText(
        m_overflowing.isEmpty()
            ? QString()
            : QStringLiteral("注意：%1 项内容放不下（红色虚线框），打印时会出格").arg(m_overflowing.size()));
    ShowProperties();
}

void TDesignerForm::ShowProperties() {
    m_updatingPanel = true;
    const bool has = m_selected >= 0 && m_selected < m_layout.items.size();
    for (QWidget *w : std::initializer_list<QWidget *>{TextEdit, XEdit, YEdit, WidthEdit, HeightEdit, FontEdit,
                                                       SizeEdit, BoldEdit, AlignEdit, WrapEdit, ShrinkEdit})
        w->setEnabled(has);
    if (has) {
        const Report::Item &item = m_layout.items[m_selected];
        const bool text = item.kind == Report::ItemKind::Text;
        TextEdit->setText(item.text);
        XEdit->setValue(item.rect.x());
        YEdit->setValue(item.rect.y());
        WidthEdit->setValue(item.rect.width());
        HeightEdit->setValue(item.rect.height());
        FontEdit->setCurrentFont(QFont(item.fontFamily));
        SizeEdit->setValue(item.fontSize);
        BoldEdit->setChecked(item.bold);
        AlignEdit->setCurrentIndex(std::max(0, AlignEdit->findData(int(item.align))));
        WrapEdit->setChecked(item.wordWrap);
        ShrinkEdit->setChecked(item.shrinkToFit);
        for (QWidget *w :
             std::initializer_list<QWidget *>{TextEdit, FontEdit, SizeEdit, BoldEdit, AlignEdit, WrapEdit, ShrinkEdit})
            w->setEnabled(text);
    }
    m_updatingPanel = false;
}

void TDesignerForm::ApplyProperties() {
    if (m_selected < 0)
        return;
    const int i = m_selected;
    Change(QStringLiteral("修改属性"), [this, i](Report::Template &t) {
        Report::Item &item = t.items[i];
        item.rect = QRectF(XEdit->value(), YEdit->value(), std::max(0.5, WidthEdit->value()),
                           std::max(0.5, HeightEdit->value()));
        if (item.kind == Report::ItemKind::Text) {
            item.text = TextEdit->text();
            // The Song face keeps the name the forms know it by.
            const QString family = FontEdit->currentFont().family();
            if (QFont(item.fontFamily).family() != family)
                item.fontFamily = family;
            item.fontSize = SizeEdit->value();
            item.bold = BoldEdit->isChecked();
            item.align = Qt::Alignment(AlignEdit->currentData().toInt());
            item.wordWrap = WrapEdit->isChecked();
            item.shrinkToFit = ShrinkEdit->isChecked();
        }
    });
}

void TDesignerForm::Change(const QString &what, const std::function<void(Report::Template &)> &edit) {
    Report::Template after = m_layout;
    edit(after);
    if (after == m_layout)
        return;
    const auto apply = [this](const Report::Template &t) {
        m_layout = t;
        Rebuild();
    };
    m_undo->push(new SnapshotCommand(apply, m_layout, after, what));
}

void TDesignerForm::ItemMoved(int index, const QRectF &rect) {
    Change(QStringLiteral("移动"), [index, rect](Report::Template &t) { t.items[index].rect = rect; });
}

void TDesignerForm::Select(int index) {
    m_selected = index;
    Rebuild();
}

void TDesignerForm::MoveSelected(double dx, double dy) {
    if (m_selected < 0)
        return;
    const int i = m_selected;
    Change(QStringLiteral("移动"), [i, dx, dy](Report::Template &t) { t.items[i].rect.translate(dx, dy); });
}

void TDesignerForm::AddField(const QString &field) {
    Report::Item item;
    item.text =
        field.startsWith(QLatin1Char('[')) ? field : QStringLiteral("[%1.%2]").arg(Report::DataSetName(), field);
    item.rect = QRectF(10, 10, 40, 6);
    Change(QStringLiteral("加字段"), [&item](Report::Template &t) { t.items.append(item); });
    Select(static_cast<int>(m_layout.items.size()) - 1);
}

void TDesignerForm::AddItem(Report::ItemKind kind) {
    Report::Item item;
    item.kind = kind;
    item.rect = kind == Report::ItemKind::Line ? QRectF(10, 20, 60, 0) : QRectF(10, 10, 40, 8);
    if (kind == Report::ItemKind::Text)
        item.text = QStringLiteral("文字");
    Change(QStringLiteral("添加"), [&item](Report::Template &t) { t.items.append(item); });
    Select(static_cast<int>(m_layout.items.size()) - 1);
}

void TDesignerForm::DeleteSelected() {
    if (m_selected < 0)
        return;
    const int i = m_selected;
    m_selected = -1;
    Change(QStringLiteral("删除"), [i](Report::Template &t) { t.items.removeAt(i); });
}

void TDesignerForm::Undo() {
    m_undo->undo();
}

void TDesignerForm::Redo() {
    m_undo->redo();
}

void TDesignerForm::SaveTemplate() {
    Report::Save(m_layout, m_path);
    m_saved = m_layout;
}

void TDesignerForm::reject() {
    if (Modified() && Msg::Ask(QStringLiteral("报表模板已修改，是否保存？"))) {
        bool saved = false;
        Guarded([&] {
            SaveTemplate();
            saved = true;
        });
        if (!saved)
            return; // the error was shown; the changes stay for another try
    }
    QDialog::reject();
}

void TDesignerForm::keyPressEvent(QKeyEvent *event) {
    // Arrow keys move the selected item: 0.5 mm, with Shift 5 mm, with Ctrl 0.1 mm.
    const double step = event->modifiers() & Qt::ShiftModifier     ? 5
                        : event->modifiers() & Qt::ControlModifier ? 0.1
                                                                   : 0.5;
    double dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -step;
        break;
    case Qt::Key_Right:
        dx = step;
        break;
    case Qt::Key_Up:
        dy = -step;
        break;
    case Qt::Key_Down:
        dy = step;
        break;
    case Qt::Key_Escape:
        event->accept();
        reject();
        return;
    default:
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    Guarded([&] { MoveSelected(dx, dy); });
}

bool TDesignerForm::eventFilter(QObject *watched, QEvent *event) {
    // The page view would scroll on the arrow keys; here they move the item.
    if (watched == View && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right || key->key() == Qt::Key_Up ||
            key->key() == Qt::Key_Down) {
            keyPressEvent(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDesignerForm::PageSettings() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("纸张与底图"));
    auto *form = new QFormLayout(&dialog);
    auto *width = mmBox(2000);
    auto *height = mmBox(2000);
    auto *offsetX = mmBox(100);
    auto *offsetY = mmBox(100);
    auto *landscape = new QCheckBox(QStringLiteral("横向"));
    auto *file = new QLineEdit(m_layout.background.file);
    auto *browse = new QPushButton(QStringLiteral("..."));
    auto *dpi = new QDoubleSpinBox;
    dpi->setRange(0, 2400);
    dpi->setSpecialValueText(QStringLiteral("铺满纸张"));
    auto *opacity = new QSlider(Qt::Horizontal);
    opacity->setRange(0, 100);
    auto *inPreview = new QCheckBox(QStringLiteral("预览时显示底图"));
    width->setValue(m_layout.pageSize.width());
    height->setValue(m_layout.pageSize.height());
    offsetX->setValue(m_layout.offset.x());
    offsetY->setValue(m_layout.offset.y());
    landscape->setChecked(m_layout.landscape);
    dpi->setValue(m_layout.background.dpi);
    opacity->setValue(qRound(m_layout.background.opacity * 100));
    inPreview->setChecked(m_layout.background.inPreview);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(file);
    fileRow->addWidget(browse);
    connect(browse, &QPushButton::clicked, &dialog, [&] {
        const QString chosen = FileDialogs::GetOpenFileName(
            &dialog, QStringLiteral("底图"), QStringLiteral("图片 (*.png *.jpg *.jpeg *.bmp)"), m_baseDir);
        if (!chosen.isEmpty())
            file->setText(QFileInfo(chosen).absolutePath() == m_baseDir ? QFileInfo(chosen).fileName() : chosen);
    });
    form->addRow(QStringLiteral("纸宽"), width);
    form->addRow(QStringLiteral("纸高"), height);
    form->addRow(QString(), landscape);
    form->addRow(QStringLiteral("打印偏移（右）"), offsetX);
    form->addRow(QStringLiteral("打印偏移（下）"), offsetY);
    form->addRow(QStringLiteral("底图（扫描的空白单据）"), fileRow);
    form->addRow(QStringLiteral("底图分辨率（dpi）"), dpi);
    form->addRow(QStringLiteral("底图浓淡"), opacity);
    form->addRow(QString(), inPreview);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (Modal::Exec(dialog) != QDialog::Accepted)
        return;
    Change(QStringLiteral("纸张与底图"), [&](Report::Template &t) {
        t.pageSize = QSizeF(std::max(10.0, width->value()), std::max(10.0, height->value()));
        t.landscape = landscape->isChecked();
        t.offset = QPointF(offsetX->value(), offsetY->value());
        t.background.file = file->text();
        t.background.dpi = dpi->value();
        t.background.opacity = opacity->value() / 100.0;
        t.background.inPreview = inPreview->isChecked();
    });
}

void TDesignerForm::TestPrint() {
    Report::PrintWithDialog(m_layout, m_sample, m_baseDir, this);
}

void TDesignerForm::CalibrationPrint() {
    QPrinter printer(QPrinter::HighResolution);
    Report::SetUpPrinter(printer, m_layout);
    if (QPrinterInfo::availablePrinters().isEmpty())
        printer.setOutputFormat(QPrinter::PdfFormat);
    QPrintDialog dialog(&printer, this);
    if (Modal::Exec(dialog) != QDialog::Accepted)
        return;
    QPainter p;
    if (!p.begin(&printer))
        throw Exception(QStringLiteral("打印机无法开始打印：%1").arg(printer.printerName()));
    // Printed as the printer prints uncorrected, so what is measured is its own error.
    Report::Template plain = m_layout;
    plain.offset = QPointF();
    Report::RenderCalibration(p, plain);
    p.end();
}

void TDesignerForm::Calibrate() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("输入校准结果"));
    auto *form = new QFormLayout(&dialog);
    auto *printer = new QComboBox;
    printer->setEditable(true);
    printer->addItems(QPrinterInfo::availablePrinterNames());
    if (printer->count() == 0)
        printer->addItem(QString());
    printer->setCurrentText(QPrinterInfo::defaultPrinterName());
    const double w = m_layout.pageSize.width();
    const double h = m_layout.pageSize.height();
    auto *ax = mmBox(2000);
    auto *ay = mmBox(2000);
    auto *bx = mmBox(2000);
    auto *by = mmBox(2000);
    ax->setValue(30);
    ay->setValue(30);
    bx->setValue(w - 30);
    by->setValue(h - 30);
    form->addRow(new QLabel(QStringLiteral("在校准页上量出两个十字中心到纸的左边、上边的距离：")));
    form->addRow(QStringLiteral("打印机"), printer);
    form->addRow(QStringLiteral("左上十字 (30, 30) 量得 左"), ax);
    form->addRow(QStringLiteral("左上十字 量得 上"), ay);
    form->addRow(QStringLiteral("右下十字 (%1, %2) 量得 左").arg(w - 30).arg(h - 30), bx);
    form->addRow(QStringLiteral("右下十字 量得 上"), by);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (Modal::Exec(dialog) != QDialog::Accepted)
        return;
    const Report::Calibration c = Report::CalibrationFromMeasure({30, 30}, {w - 30, h - 30}, {ax->value(), ay->value()},
                                                                 {bx->value(), by->value()});
    const QString name = printer->currentText();
    Change(QStringLiteral("校准"), [&](Report::Template &t) { t.calibrations.insert(name, c); });
}

void TDesignerForm::ShowPreview() {
    TPreviewForm preview({m_layout, m_sample, m_baseDir}, this);
    Modal::Exec(preview);
}
