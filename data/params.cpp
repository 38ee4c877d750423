#include "data/params.h"

namespace {

bool endsName(QChar c) {
    return c.isSpace() || c == QLatin1Char(',') || c == QLatin1Char(';') || c == QLatin1Char(')');
}

} // namespace

ParsedStatement ParseParameters(const QString &text) {
    ParsedStatement out;
    out.sql.reserve(text.size());
    QChar quote; // the open quote character, or null outside a literal
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            // A doubled quote inside a literal is an escaped quote and keeps it open.
            out.sql.append(c);
            if (c == quote) {
                if (i + 1 < n && text[i + 1] == quote)
                    out.sql.append(text[++i]);
                else
                    quote = QChar();
            }
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            out.sql.append(c);
            continue;
        }
        if (c == QLatin1Char(':')) {
            if (i + 1 < n && text[i + 1] == QLatin1Char(':')) {
                out.sql.append(QLatin1String("::"));
                ++i;
                continue;
            }
            qsizetype end = i + 1;
            while (end < n && !endsName(text[end]))
                ++end;
            if (end > i + 1) {
                const QString name = text.mid(i + 1, end - i - 1);
                out.occurrences.append(name);
                bool known = false;
                for (const QString &k : std::as_const(out.names))
                    known = known || k.compare(name, Qt::CaseInsensitive) == 0;
                if (!known)
                    out.names.append(name);
                out.sql.append(QLatin1Char('?'));
                i = end - 1;
                continue;
            }
        }
        out.sql.append(c);
    }
    return out;
}
