#pragma once

#include "printing/report/render.h"
#include "printing/report/template.h"

#include <QDialog>
#include <QGraphicsRectItem>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QGraphicsScene;
class QGraphicsView;
class QLabel;
class QLineEdit;
class QListWidget;
class QUndoStack;
class TDesignerForm;

// One template item on the designer's page (scene units are millimetres).
class TDesignItem : public QGraphicsRectItem {
public:
    TDesignItem(TDesignerForm &form, int index);
    int Index() const { return m_index; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent *event) override;

private:
    TDesignerForm &m_form;
    int m_index;
    bool m_resizing = false;
    QRectF m_startRect;
};

// The template designer: items are placed on the page over the scan of the
// paper form, moved with the mouse or the arrow keys, sized, given fields
// and fonts; the result is saved to the template file.
class TDesignerForm : public QDialog {
    Q_OBJECT
public:
    TDesignerForm(Report::Template layout, QString path, Report::Row sample, QStringList fields,
                  QWidget *parent = nullptr);

    const Report::Template &Layout() const { return m_layout; }
    bool Modified() const;
    int Selected() const; // index of the selected item, or -1
    void Select(int index);

    // Every change goes through here, so it can be undone.
    void Change(const QString &what, const std::function<void(Report::Template &)> &edit);
    void MoveSelected(double dx, double dy);
    void AddField(const QString &field);
    void AddItem(Report::ItemKind kind);
    void DeleteSelected();
    void Undo();
    void Redo();
    void SaveTemplate();
    void PageSettings();
    void TestPrint();
    void CalibrationPrint();
    void Calibrate();
    void ShowPreview();
    void SetZoom(double zoom);

    double GridStep() const;
    bool Snap() const;
    QPointF Snapped(const QPointF &mm) const;
    const Report::Row &Sample() const { return m_sample; }
    const QString &BaseDir() const { return m_baseDir; }
    QVector<int> OverflowingItems() const { return m_overflowing; }

    QListWidget *FieldList = nullptr;
    QGraphicsView *View = nullptr;
    QLineEdit *TextEdit = nullptr;
    QDoubleSpinBox *XEdit = nullptr;
    QDoubleSpinBox *YEdit = nullptr;
    QDoubleSpinBox *WidthEdit = nullptr;
    QDoubleSpinBox *HeightEdit = nullptr;
    QFontComboBox *FontEdit = nullptr;
    QDoubleSpinBox *SizeEdit = nullptr;
    QCheckBox *BoldEdit = nullptr;
    QComboBox *AlignEdit = nullptr;
    QCheckBox *WrapEdit = nullptr;
    QCheckBox *ShrinkEdit = nullptr;
    QCheckBox *SnapEdit = nullptr;
    QComboBox *ZoomEdit = nullptr;
    QLabel *Warning = nullptr;

public slots:
    void reject() override; // asks before losing changes

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TDesignItem;
    void Rebuild();
    void ShowProperties();
    void ApplyProperties();
    void ItemMoved(int index, const QRectF &rect);

    Report::Template m_layout;
    Report::Template m_saved;
    QString m_path;
    QString m_baseDir;
    Report::Row m_sample;
    QGraphicsScene *m_scene = nullptr;
    QUndoStack *m_undo = nullptr;
    QVector<int> m_overflowing;
    bool m_updatingPanel = false;
    bool m_rebuilding = false;
    int m_selected = -1;
};
