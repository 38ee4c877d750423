#pragma once

#include "printing/report/render.h"
#include "printing/report/template.h"

#include <QImage>
#include <QString>

class QPrinter;
class QWidget;

namespace Report {

// A page as an image at a resolution, white paper first.
QImage RenderImage(const Template &t, const Row &row, double dpi, const RenderOptions &options = {});

// Sets the printer to the template's paper, without margins.
void SetUpPrinter(QPrinter &printer, const Template &t);
// Prints the page on a printer that is set up, with that printer's calibration.
// `withBackground` is the plain-paper check: the scan is printed too.
void PrintTo(QPrinter &printer, const Template &t, const Row &row, const QString &baseDir, bool withBackground = false);
// The print dialog first (one copy, collation off, a page range); false when
// the operator cancels it, and then nothing is printed. With no printer
// installed the dialog offers printing to a PDF file.
bool PrintWithDialog(const Template &t, const Row &row, const QString &baseDir, QWidget *parent,
                     bool withBackground = false);
// A PDF of the page; the fonts are embedded so it prints the same anywhere.
void ExportPdf(const QString &file, const Template &t, const Row &row, const QString &baseDir);
void ExportPng(const QString &file, const Template &t, const Row &row, const QString &baseDir, double dpi = 300);

// A prepared report: the template with the row it was prepared from, kept
// in a file that the preview can open again.
struct Prepared {
    Template layout;
    Row row;
    QString baseDir;
};
void SavePrepared(const Prepared &prepared, const QString &file);
Prepared LoadPrepared(const QString &file);

} // namespace Report

// The report of the main window: it holds the template last loaded and
// shows, prints or designs it.
class TReport {
public:
    // Loads the template file, replacing the one held before.
    void LoadFromFile(const QString &path);
    const Report::Template &Layout() const { return m_template; }
    const QString &FileName() const { return m_path; }

    void ShowReport(const Report::Row &row, QWidget *parent);
    // False when the print dialog was cancelled.
    bool PrintReport(const Report::Row &row, QWidget *parent);
    // `fields` are the columns of the data set, `row` the sample the designer shows.
    void DesignReport(const Report::Row &row, const QStringList &fields, QWidget *parent);

private:
    QString BaseDir() const;
    Report::Template m_template;
    QString m_path;
};
