#include "query/export.h"

#include "data/datasource.h"
#include "data/dbgrid.h"
#include "data/query.h"
#include "query/xlswriter.h"
#include "shell/errors.h"
#include "shell/filedialogs.h"
#include "shell/messages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <xlsxwriter.h>

namespace Export {
namespace {

std::function<void(const QString &)> &openAction() {
    static std::function<void(const QString &)> open = [](const QString &file) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    };
    return open;
}

// The hourglass for as long as the export runs.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// The grid's data set walked without repainting the grid, and put back
// where it was afterwards.
struct QuietWalk {
    explicit QuietWalk(TQuery &q) : query(q), row(q.RecNo()) { q.DisableControls(); }
    ~QuietWalk() {
        query.SetRecNo(row);
        query.EnableControls();
    }
    TQuery &query;
    int row;
};

} // namespace

void SetOpenAction(std::function<void(const QString &)> open) {
    openAction() = std::move(open);
}

struct XlsxWriter::Impl {
    QString fileName;
    QTemporaryDir scratch;
    lxw_workbook *book = nullptr;
    lxw_worksheet *sheet = nullptr;
    lxw_format *text = nullptr;
    int rows = 0;
};

XlsxWriter::XlsxWriter(const QString &fileName) : d(new Impl) {
    d->fileName = fileName;
    const QByteArray path = QFile::encodeName(fileName);
    const QByteArray tmp = QFile::encodeName(d->scratch.path());
    // Constant memory: each row goes to disk as soon as the next one starts.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char *>(tmp.constData());
    d->book = workbook_new_opt(path.constData(), &options);
    if (!d->book)
        throw Exception(QStringLiteral("Unable to write to %1").arg(fileName));
    d->sheet = workbook_add_worksheet(d->book, nullptr);
    d->text = workbook_add_format(d->book);
    format_set_num_format(d->text, "@");
}

XlsxWriter::~XlsxWriter() {
    if (d->book)
        workbook_close(d->book); // an unsaved book is left unfinished and removed below
    delete d;
}

bool XlsxWriter::AddRow(const QStringList &cells, bool titles) {
    if (d->rows >= kMaxRows)
        return false;
    for (int c = 0; c < cells.size(); ++c) {
        const QByteArray utf8 = cells[c].toUtf8();
        lxw_error e = LXW_NO_ERROR;
        if (titles)
            e = worksheet_write_string(d->sheet, d->rows, static_cast<lxw_col_t>(c), utf8.constData(), nullptr);
        else if (cells[c].isEmpty())
            e = worksheet_write_blank(d->sheet, d->rows, static_cast<lxw_col_t>(c), d->text);
        else
            e = worksheet_write_string(d->sheet, d->rows, static_cast<lxw_col_t>(c), utf8.constData(), d->text);
        if (e != LXW_NO_ERROR)
            throw Exception(QString::fromUtf8(lxw_strerror(e)));
    }
    ++d->rows;
    return true;
}

void XlsxWriter::Save() {
    const lxw_error e = workbook_close(d->book);
    d->book = nullptr;
    if (e != LXW_NO_ERROR)
        throw Exception(QStringLiteral("Unable to write to %1").arg(d->fileName));
}

} // namespace Export

void ExportGridToExcel(TDBGrid *grid) {
    TDataSource *source = grid->DataSource();
    if (!source)
        return;
    TQuery &q = source->DataSet();
    const QString xlsFilter = QStringLiteral("Excel文件(*.xls)");
    const QString xlsxFilter = QStringLiteral("Excel 2007+ (*.xlsx)");
    QString filter;
    const QString chosen =
        FileDialogs::GetSaveFileName(grid->window(), QString(), xlsFilter + QStringLiteral(";;") + xlsxFilter, &filter);
    if (chosen.isEmpty())
        return;
    const bool xlsx = filter == xlsxFilter || chosen.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive);
    const int records = q.RecordCount();
    if (!xlsx && records > XlsWriter::kMaxRows - 1 &&
        !Msg::Ask(QStringLiteral("需要导出的数据过大，Excel最大只能容纳65536行,是否还要继续？")))
        return;
    // The name exactly as chosen, before the extension is added.
    if (QFileInfo::exists(chosen) && !Msg::Ask(QStringLiteral("该文件已经存在，要覆盖吗？")))
        return;
    QString file = chosen;
    const QString suffix = xlsx ? QStringLiteral(".xlsx") : QStringLiteral(".xls");
    if (!file.endsWith(suffix))
        file += suffix;

    const Export::WaitCursor wait;
    QStringList titles;
    QVector<int> fields;
    for (int c = 0; c < source->columnCount(); ++c) {
        if (grid->isColumnHidden(c))
            continue;
        titles << source->headerData(c, Qt::Horizontal).toString();
        fields << source->FieldOfColumn(c);
    }
    const auto rowOf = [&q, &fields] {
        QStringList cells;
        cells.reserve(fields.size());
        for (int f : std::as_const(fields))
            cells << q.Text(q.RecNo(), f);
        return cells;
    };
    try {
        const Export::QuietWalk walk(q);
        if (xlsx) {
            // Written in place by the library; a failure removes the half-written file.
            const QString temp = file + QStringLiteral(".part");
            {
                Export::XlsxWriter writer(temp);
                writer.AddRow(titles, true);
                for (q.First(); !q.Eof(); q.Next())
                    if (!writer.AddRow(rowOf()))
                        break;
                writer.Save();
            }
            QFile::remove(file);
            if (!QFile::rename(temp, file)) {
                QFile::remove(temp);
                return;
            }
        } else {
            XlsWriter writer;
            writer.AddRow(titles, true);
            for (q.First(); !q.Eof(); q.Next())
                if (!writer.AddRow(rowOf()))
                    break;
            writer.Save(file);
        }
    } catch (const Exception &) {
        // A file that cannot be written ends the export without a word.
        QFile::remove(file + QStringLiteral(".part"));
        return;
    }
    Export::openAction()(file);
}
