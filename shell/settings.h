#pragma once

#include <QString>

// The settings object: the nine values of the section "Judge" of the
// settings file beside the program. Read once when created; written whole
// by Write().
class TGlobal {
public:
    explicit TGlobal(QString fileName);

    // The settings file of a program file: its name without ".exe", plus ".ini".
    static QString PathForProgram(const QString &programFile);

    const QString &FileName() const { return m_fileName; }
    // Writes all nine keys; raises "Unable to write to <path>". The values in
    // memory stay as they are either way.
    void Write() const;

    QString str_zg;
    QString str_kj;
    QString str_skr;
    QString str_bt;
    QString str_qy;
    QString strdyf = QStringLiteral("N"); // "Y": print a slip when it is saved
    QString str_kpy;                      // the default biller
    QString strdyfs1 = QStringLiteral("Y");
    QString strdyfs2 = QStringLiteral("N");

private:
    QString m_fileName;
};
