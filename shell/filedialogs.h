#pragma once

#include <QString>

class QWidget;

// The one door for file and folder choosers, so tests can answer them.
namespace FileDialogs {

// Returns the chosen file name, or an empty text when cancelled. `filter`
// uses Qt's form: "PDF 文件 (*.pdf);;PNG 图片 (*.png)". `selectedFilter`
// receives the filter chosen.
QString GetSaveFileName(QWidget *parent, const QString &caption, const QString &filter,
                        QString *selectedFilter = nullptr, const QString &directory = QString());
QString GetOpenFileName(QWidget *parent, const QString &caption, const QString &filter,
                        const QString &directory = QString());

// Test seam: while scripted, the choosers are not shown; each takes the
// next queued answer (a file name, empty for cancel; and the filter).
void SetScripted(bool on);
void QueueAnswer(const QString &fileName, const QString &filter = QString());

} // namespace FileDialogs
