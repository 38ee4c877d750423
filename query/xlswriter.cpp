#include "query/xlswriter.h"

#include "shell/errors.h"

#include <QSaveFile>
#include <QtEndian>
#include <cstring>

namespace {

// BIFF8 record types.
constexpr quint16 kBof = 0x0809;
constexpr quint16 kEof = 0x000A;
constexpr quint16 kCodePage = 0x0042;
constexpr quint16 kWindow1 = 0x003D;
constexpr quint16 kFont = 0x0031;
constexpr quint16 kXf = 0x00E0;
constexpr quint16 kStyle = 0x0293;
constexpr quint16 kBoundSheet = 0x0085;
constexpr quint16 kSst = 0x00FC;
constexpr quint16 kContinue = 0x003C;
constexpr quint16 kDimensions = 0x0200;
constexpr quint16 kWindow2 = 0x023E;
constexpr quint16 kLabelSst = 0x00FD;
constexpr quint16 kBlank = 0x0201;
constexpr int kMaxRecordData = 8224;

constexpr quint16 kTitleXf = 15; // the default cell format
constexpr quint16 kTextXf = 16;  // number format 49, "@"

void put16(QByteArray &b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

void put32(QByteArray &b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

void record(QByteArray &out, quint16 type, const QByteArray &data) {
    put16(out, type);
    put16(out, static_cast<quint16>(data.size()));
    out.append(data);
}

QByteArray utf16(const QString &s) {
    QByteArray b;
    b.reserve(s.size() * 2);
    for (const QChar c : s)
        put16(b, c.unicode());
    return b;
}

QByteArray bof(quint16 kind) {
    QByteArray d;
    put16(d, 0x0600); // BIFF8
    put16(d, kind);
    put16(d, 0x0DBB);
    put16(d, 0x07CC);
    put32(d, 0);
    put32(d, 0x06);
    return d;
}

QByteArray xf(quint16 font, quint16 format, bool style, quint8 usedAttributes) {
    QByteArray d;
    put16(d, font);
    put16(d, format);
    put16(d, style ? 0xFFF5 : 0x0001); // style XF / locked cell XF with parent 0
    d.append(char(0x20));              // bottom aligned
    d.append(char(0));
    d.append(char(0));
    d.append(char(usedAttributes));
    put32(d, 0);
    put32(d, 0);
    put16(d, 0x20C0); // pattern colours: automatic
    return d;
}

} // namespace

XlsWriter::XlsWriter() : m_cells(std::make_unique<QTemporaryFile>()) {
    if (!m_cells->open())
        throw Exception(QStringLiteral("Unable to write to %1").arg(m_cells->fileTemplate()));
}

XlsWriter::~XlsWriter() = default;

quint32 XlsWriter::Intern(const QString &text) {
    const auto it = m_index.constFind(text);
    if (it != m_index.constEnd())
        return it.value();
    const auto i = static_cast<quint32>(m_strings.size());
    m_index.insert(text, i);
    m_strings.append(text);
    return i;
}

bool XlsWriter::AddRow(const QStringList &cells, bool titles) {
    if (m_rows >= kMaxRows)
        return false;
    QByteArray out;
    const auto row = static_cast<quint16>(m_rows);
    for (int c = 0; c < cells.size(); ++c) {
        QByteArray d;
        put16(d, row);
        put16(d, static_cast<quint16>(c));
        put16(d, titles ? kTitleXf : kTextXf);
        const QString &text = cells[c];
        if (text.isEmpty()) {
            if (titles)
                continue;
            record(out, kBlank, d);
            continue;
        }
        put32(d, Intern(text));
        ++m_labels;
        record(out, kLabelSst, d);
    }
    if (m_cells->write(out) != out.size())
        throw Exception(QStringLiteral("Unable to write to %1").arg(m_cells->fileName()));
    m_columns = std::max(m_columns, static_cast<int>(cells.size()));
    ++m_rows;
    return true;
}

QByteArray XlsWriter::Sst() const {
    // Strings run on into CONTINUE records; a string broken across records
    // repeats its option byte at the start of the next one.
    QByteArray out;
    QByteArray rec;
    quint16 type = kSst;
    const auto flush = [&] {
        record(out, type, rec);
        rec.clear();
        type = kContinue;
    };
    put32(rec, m_labels);
    put32(rec, static_cast<quint32>(m_strings.size()));
    for (const QString &s : m_strings) {
        if (rec.size() + 3 + 2 > kMaxRecordData)
            flush();
        put16(rec, static_cast<quint16>(s.size()));
        rec.append(char(0x01)); // UTF-16
        const QByteArray chars = utf16(s);
        qsizetype done = 0;
        while (done < chars.size()) {
            const qsizetype room = (kMaxRecordData - rec.size()) / 2 * 2;
            if (room <= 0) {
                flush();
                rec.append(char(0x01));
                continue;
            }
            const qsizetype take = std::min(room, chars.size() - done);
            rec.append(chars.constData() + done, take);
            done += take;
            if (done < chars.size()) {
                flush();
                rec.append(char(0x01));
            }
        }
    }
    flush();
    return out;
}

QByteArray XlsWriter::WorkbookGlobals(quint32 sheetOffset) const {
    QByteArray out;
    record(out, kBof, bof(0x0005));
    QByteArray cp;
    put16(cp, 1200); // UTF-16
    record(out, kCodePage, cp);
    QByteArray w1;
    for (quint16 v : {0, 0, 0x3000, 0x1E00, 0x0038, 0, 0, 1, 0x0258})
        put16(w1, v);
    record(out, kWindow1, w1);
    // Four fonts (index 4 is never used in BIFF), all the Song face at 11 points.
    const QString face = QStringLiteral("宋体");
    for (int i = 0; i < 4; ++i) {
        QByteArray f;
        put16(f, 220);
        put16(f, 0);
        put16(f, 0x7FFF);
        put16(f, 400);
        put16(f, 0);
        f.append(char(0));
        f.append(char(0));
        f.append(char(134)); // GB2312 character set
        f.append(char(0));
        f.append(char(face.size()));
        f.append(char(0x01));
        f.append(utf16(face));
        record(out, kFont, f);
    }
    for (int i = 0; i < 15; ++i)
        record(out, kXf, xf(0, 0, true, i == 0 ? 0x00 : 0xF4));
    record(out, kXf, xf(0, 0, false, 0x00));  // 15: default cells, the titles
    record(out, kXf, xf(0, 49, false, 0x04)); // 16: text cells
    QByteArray style;
    put16(style, 0x8000);
    style.append(char(0));
    style.append(char(char(0xFF)));
    record(out, kStyle, style);
    QByteArray sheet;
    put32(sheet, sheetOffset);
    sheet.append(char(0));
    sheet.append(char(0));
    const QString name = QStringLiteral("Sheet1");
    sheet.append(char(name.size()));
    sheet.append(char(0)); // 8-bit characters
    sheet.append(name.toLatin1());
    record(out, kBoundSheet, sheet);
    out.append(Sst());
    record(out, kEof, QByteArray());
    return out;
}

void XlsWriter::Save(const QString &fileName) {
    QTemporaryFile stream;
    if (!stream.open())
        throw Exception(QStringLiteral("Unable to write to %1").arg(fileName));
    // The globals' size does not depend on the sheet's offset, so it is known
    // before the offset is written into them.
    const QByteArray probe = WorkbookGlobals(0);
    const QByteArray globals = WorkbookGlobals(static_cast<quint32>(probe.size()));
    QByteArray head;
    record(head, kBof, bof(0x0010));
    QByteArray dims;
    put32(dims, 0);
    put32(dims, static_cast<quint32>(m_rows));
    put16(dims, 0);
    put16(dims, static_cast<quint16>(m_columns));
    put16(dims, 0);
    record(head, kDimensions, dims);
    QByteArray w2;
    for (quint16 v : {0x06B6, 0, 0, 0x40, 0, 0, 0})
        put16(w2, v);
    put32(w2, 0);
    record(head, kWindow2, w2);
    QByteArray tail;
    record(tail, kEof, QByteArray());

    bool ok = stream.write(globals) == globals.size() && stream.write(head) == head.size();
    m_cells->seek(0);
    while (ok && !m_cells->atEnd()) {
        const QByteArray chunk = m_cells->read(1 << 20);
        ok = stream.write(chunk) == chunk.size();
    }
    ok = ok && stream.write(tail) == tail.size();
    // Below 4096 bytes a stream would go to the mini stream; padding keeps
    // the container simple, and readers stop at the sheet's EOF.
    if (const qint64 pad = 4096 - stream.size(); ok && pad > 0)
        ok = stream.write(QByteArray(pad, '\0')) == pad;
    ok = ok && stream.flush();
    if (!ok)
        throw Exception(QStringLiteral("Unable to write to %1").arg(fileName));

    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly))
        throw Exception(QStringLiteral("Unable to write to %1").arg(fileName));
    stream.seek(0);
    WriteCompoundFile(out, stream, stream.size(), QStringLiteral("Workbook"));
    if (!out.commit())
        throw Exception(QStringLiteral("Unable to write to %1").arg(fileName));
}

void WriteCompoundFile(QIODevice &out, QIODevice &stream, qint64 streamSize, const QString &streamName) {
    constexpr quint32 kSector = 512;
    constexpr quint32 kFree = 0xFFFFFFFF, kEndOfChain = 0xFFFFFFFE, kFatSect = 0xFFFFFFFD, kDifSect = 0xFFFFFFFC;
    const auto streamSectors = static_cast<quint32>((streamSize + kSector - 1) / kSector);
    // Sectors: the stream, one directory sector, the FAT, the DIFAT beyond 109 FAT sectors.
    quint32 fat = 1, difat = 0;
    for (;;) {
        const quint32 total = streamSectors + 1 + fat + difat;
        const quint32 needFat = (total + 127) / 128;
        const quint32 needDifat = needFat > 109 ? (needFat - 109 + 126) / 127 : 0;
        if (needFat == fat && needDifat == difat)
            break;
        fat = needFat;
        difat = needDifat;
    }
    const quint32 dirSector = streamSectors;
    const quint32 firstFat = dirSector + 1;
    const quint32 firstDifat = firstFat + fat;
    const quint32 total = firstDifat + difat;

    QByteArray header;
    header.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header.append(QByteArray(16, '\0'));
    put16(header, 0x003E);
    put16(header, 0x0003);
    put16(header, 0xFFFE);
    put16(header, 9); // 512-byte sectors
    put16(header, 6); // 64-byte mini sectors
    header.append(QByteArray(6, '\0'));
    put32(header, 0); // directory sectors (version 3)
    put32(header, fat);
    put32(header, dirSector);
    put32(header, 0);
    put32(header, 4096);
    put32(header, kEndOfChain); // no mini FAT
    put32(header, 0);
    put32(header, difat ? firstDifat : kEndOfChain);
    put32(header, difat);
    for (quint32 i = 0; i < 109; ++i)
        put32(header, i < fat ? firstFat + i : kFree);
    out.write(header);

    // The stream itself, padded to whole sectors.
    qint64 copied = 0;
    while (copied < streamSize) {
        const QByteArray chunk = stream.read(std::min<qint64>(1 << 20, streamSize - copied));
        if (chunk.isEmpty())
            throw Exception(QStringLiteral("The stream ended early"));
        out.write(chunk);
        copied += chunk.size();
    }
    if (const qint64 pad = qint64(streamSectors) * kSector - streamSize; pad > 0)
        out.write(QByteArray(pad, '\0'));

    // The directory: the root and the one stream.
    const auto entry = [](const QString &name, quint8 type, quint32 child, quint32 start, quint32 size) {
        QByteArray e;
        QByteArray n = utf16(name);
        if (!name.isEmpty())
            put16(n, 0);
        e.append(n);
        e.append(QByteArray(64 - n.size(), '\0'));
        put16(e, static_cast<quint16>(name.isEmpty() ? 0 : n.size()));
        e.append(char(type));
        e.append(char(type ? 1 : 0)); // black
        put32(e, 0xFFFFFFFF);
        put32(e, 0xFFFFFFFF);
        put32(e, child);
        e.append(QByteArray(16 + 4 + 8 + 8, '\0'));
        put32(e, start);
        put32(e, size);
        put32(e, 0);
        return e;
    };
    QByteArray dir;
    dir.append(entry(QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0));
    dir.append(entry(streamName, 2, 0xFFFFFFFF, streamSectors ? 0 : kEndOfChain, static_cast<quint32>(streamSize)));
    dir.append(entry(QString(), 0, 0xFFFFFFFF, 0, 0));
    dir.append(entry(QString(), 0, 0xFFFFFFFF, 0, 0));
    out.write(dir);

    QByteArray table;
    table.reserve(int(fat * kSector));
    for (quint32 s = 0; s < fat * 128; ++s) {
        quint32 v = kFree;
        if (s < streamSectors)
            v = s + 1 == streamSectors ? kEndOfChain : s + 1;
        else if (s == dirSector)
            v = kEndOfChain;
        else if (s >= firstFat && s < firstDifat)
            v = kFatSect;
        else if (s >= firstDifat && s < total)
            v = kDifSect;
        put32(table, v);
    }
    out.write(table);

    for (quint32 d = 0; d < difat; ++d) {
        QByteArray sector;
        for (quint32 i = 0; i < 127; ++i) {
            const quint32 index = 109 + d * 127 + i;
            put32(sector, index < fat ? firstFat + index : kFree);
        }
        put32(sector, d + 1 < difat ? firstDifat + d + 1 : kEndOfChain);
        out.write(sector);
    }
}
