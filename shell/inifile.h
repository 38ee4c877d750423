#pragma once

#include <QString>
#include <QStringList>

// A small INI file in GBK: section and key names match without regard to
// letter case, and every line the program does not write stays as it was.
class IniFile {
public:
    // Reads the file; a missing or unreadable file reads as empty.
    explicit IniFile(QString path);

    const QString &FileName() const { return m_path; }
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Changes the text in memory; Save() puts it on disk.
    void WriteString(const QString &section, const QString &key, const QString &value);
    // Writes the whole file to a temporary file and renames it over the old
    // one, so a failure never leaves a half-written file. Raises
    // EIniFileException "Unable to write to <path>".
    void Save() const;
    QString Text() const;

private:
    qsizetype findSection(const QString &section) const; // index of the section line, or -1
    qsizetype sectionEnd(qsizetype sectionLine) const;   // first line after the section
    qsizetype findKey(qsizetype sectionLine, const QString &key) const;

    QString m_path;
    QStringList m_lines;
    QString m_eol = QStringLiteral("\n");
    bool m_finalEol = true;
};
