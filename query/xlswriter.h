#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>
#include <memory>

// An Excel 97–2003 workbook (.xls) with one sheet of text cells, written
// directly: BIFF8 records in a "Workbook" stream inside an OLE2 compound
// file. Rows are streamed to a temporary file as they come, so a long list
// is held in memory only as its distinct strings.
//
// The layout: row 1 the titles (general format), then the data rows; every
// data cell carries the text format "@", an empty value leaves a blank but
// text-formatted cell. Strings are stored as UTF-16, so Chinese text reads
// right in any spreadsheet program.
class XlsWriter {
public:
    static constexpr int kMaxRows = 65536; // rows 1..65536 of a sheet

    XlsWriter();
    ~XlsWriter();

    // Adds the next row; false when the sheet is full. A null or empty text
    // leaves its cell blank.
    bool AddRow(const QStringList &cells, bool titles = false);
    int Rows() const { return m_rows; }
    // Writes the file whole (a temporary file renamed over the target).
    // Raises Exception on failure, leaving any older file as it was.
    void Save(const QString &fileName);

private:
    quint32 Intern(const QString &text);
    QByteArray WorkbookGlobals(quint32 sheetOffset) const;
    QByteArray Sst() const;

    std::unique_ptr<QTemporaryFile> m_cells;
    QHash<QString, quint32> m_index;
    QStringList m_strings;
    quint32 m_labels = 0;
    int m_rows = 0;
    int m_columns = 0;
};

// The compound-file container: one stream named `streamName`, its bytes
// copied from `stream`. Exposed for the tests of the container itself.
void WriteCompoundFile(QIODevice &out, QIODevice &stream, qint64 streamSize, const QString &streamName);
