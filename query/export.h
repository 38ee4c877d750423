#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class TDBGrid;

// Writes what a grid shows — its visible columns, titled, and every record
// of its data set — to a spreadsheet file the user chooses: Excel 97–2003
// (.xls, at most 65,535 records) or Excel 2007+ (.xlsx, at most 1,048,575).
// The file is opened with the desktop's spreadsheet program afterwards.
void ExportGridToExcel(TDBGrid *grid);

namespace Export {

// What opens the written file; tests replace it.
void SetOpenAction(std::function<void(const QString &file)> open);

// The .xlsx writer: the same layout as the .xls one.
class XlsxWriter {
public:
    static constexpr int kMaxRows = 1048576;
    explicit XlsxWriter(const QString &fileName);
    ~XlsxWriter();
    bool AddRow(const QStringList &cells, bool titles = false);
    void Save();

private:
    struct Impl;
    Impl *d;
};

} // namespace Export
