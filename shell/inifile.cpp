#include "shell/inifile.h"

#include "shell/errors.h"
#include "text/gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// "[name]" with blanks allowed around the name; returns the name or a null string.
QString sectionName(const QString &line) {
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed();
}

bool isComment(const QString &line) {
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'));
}

// The key of a "key=value" line, or a null string.
QString keyOf(const QString &line) {
    if (isComment(line))
        return {};
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return {};
    return line.left(eq).trimmed();
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QString text = Gbk::Decode(f.readAll());
    if (text.isEmpty())
        return;
    if (text.contains(QLatin1String("\r\n")))
        m_eol = QStringLiteral("\r\n");
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_finalEol = normalized.endsWith(QLatin1Char('\n'));
    if (m_finalEol)
        normalized.chop(1);
    m_lines = normalized.split(QLatin1Char('\n'));
}

qsizetype IniFile::findSection(const QString &section) const {
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString name = sectionName(m_lines[i]);
        if (!name.isNull() && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype sectionLine) const {
    qsizetype i = sectionLine + 1;
    while (i < m_lines.size() && sectionName(m_lines[i]).isNull())
        ++i;
    return i;
}

qsizetype IniFile::findKey(qsizetype sectionLine, const QString &key) const {
    const qsizetype end = sectionEnd(sectionLine);
    for (qsizetype i = sectionLine + 1; i < end; ++i) {
        const QString k = keyOf(m_lines[i]);
        if (!k.isNull() && k.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString IniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const {
    const qsizetype s = findSection(section);
    if (s < 0)
        return defaultValue;
    const qsizetype k = findKey(s, key);
    if (k < 0)
        return defaultValue;
    const QString &line = m_lines[k];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

void IniFile::WriteString(const QString &section, const QString &key, const QString &value) {
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype s = findSection(section);
    if (s < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        m_lines.append(entry);
        return;
    }
    const qsizetype k = findKey(s, key);
    if (k >= 0) {
        m_lines[k] = entry;
        return;
    }
    // After the section's last non-blank line, so blank separators stay between sections.
    qsizetype at = sectionEnd(s);
    while (at > s + 1 && m_lines[at - 1].trimmed().isEmpty())
        --at;
    m_lines.insert(at, entry);
}

QString IniFile::Text() const {
    QString text = m_lines.join(m_eol);
    if (m_finalEol && !m_lines.isEmpty())
        text += m_eol;
    return text;
}

void IniFile::Save() const {
    const auto fail = [this] { throw EIniFileException(QStringLiteral("Unable to write to %1").arg(m_path)); };
    // A write-protected settings file stays protected, whoever runs the program.
    const QFileInfo info(m_path);
    if (info.exists() && (!info.isFile() || !(info.permissions() & QFileDevice::WriteOwner)))
        fail();
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        fail();
    const QByteArray bytes = Gbk::Encode(Text());
    if (f.write(bytes) != bytes.size())
        fail();
    if (!f.commit())
        fail();
}
