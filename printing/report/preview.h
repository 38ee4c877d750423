#pragma once

#include "printing/report/engine.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollArea;

// The preview: the page as it will print, with zoom, open and save of the
// prepared report, print, find, page setup, export and page navigation.
class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    TPreviewForm(Report::Prepared prepared, QWidget *parent = nullptr);

    const Report::Prepared &Current() const { return m_prepared; }
    double Zoom() const { return m_zoom; }
    void SetZoom(double zoom);
    void ZoomIn();
    void ZoomOut();
    void FitWidth();
    void WholePage();
    void OpenPrepared();
    void SavePrepared();
    void PrintPage();
    void PageSetup();
    // Marks the items whose text holds the words; the number found.
    int Find(const QString &words);
    void Export();
    // Items whose value spills out of its box, as told under the page.
    QString OverflowWarning() const;

    QAction *ZoomInAction = nullptr;
    QAction *ZoomOutAction = nullptr;
    QAction *FitWidthAction = nullptr;
    QAction *WholePageAction = nullptr;
    QAction *OpenAction = nullptr;
    QAction *SaveAction = nullptr;
    QAction *PrintAction = nullptr;
    QAction *FindAction = nullptr;
    QAction *PageSetupAction = nullptr;
    QAction *ExportAction = nullptr;
    QAction *CloseAction = nullptr;
    QLineEdit *FindText = nullptr;
    QCheckBox *ShowBackground = nullptr;
    QLabel *Warning = nullptr;
    QLabel *PageLabel = nullptr;

private:
    void Refresh();
    QImage m_image;
    Report::Prepared m_prepared;
    double m_zoom = 1.0;
    QVector<QRectF> m_found; // mm
    QScrollArea *m_scroll = nullptr;
    QLabel *m_page = nullptr;
};
