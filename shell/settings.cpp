#include "shell/settings.h"

#include "shell/inifile.h"

TGlobal::TGlobal(QString fileName) : m_fileName(std::move(fileName)) {
    const IniFile ini(m_fileName);
    const QString s = QStringLiteral("judge");
    str_zg = ini.ReadString(s, QStringLiteral("str_zg"), QString());
    str_kj = ini.ReadString(s, QStringLiteral("str_kj"), QString());
    str_skr = ini.ReadString(s, QStringLiteral("str_skr"), QString());
    str_bt = ini.ReadString(s, QStringLiteral("str_bt"), QString());
    str_qy = ini.ReadString(s, QStringLiteral("str_qy"), QString());
    strdyf = ini.ReadString(s, QStringLiteral("strdyf"), QStringLiteral("N"));
    strdyfs1 = ini.ReadString(s, QStringLiteral("strdyfs1"), QStringLiteral("Y"));
    strdyfs2 = ini.ReadString(s, QStringLiteral("strdyfs2"), QStringLiteral("N"));
    str_kpy = ini.ReadString(s, QStringLiteral("str_kpy"), QString());
}

QString TGlobal::PathForProgram(const QString &programFile) {
    QString base = programFile;
    if (base.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        base.chop(4);
    return base + QStringLiteral(".ini");
}

void TGlobal::Write() const {
    // Re-read so lines changed by hand since start-up that the program does
    // not own are kept; the nine keys take the values in memory.
    IniFile ini(m_fileName);
    const QString s = QStringLiteral("Judge");
    ini.WriteString(s, QStringLiteral("str_zg"), str_zg);
    ini.WriteString(s, QStringLiteral("str_kj"), str_kj);
    ini.WriteString(s, QStringLiteral("str_skr"), str_skr);
    ini.WriteString(s, QStringLiteral("str_bt"), str_bt);
    ini.WriteString(s, QStringLiteral("str_qy"), str_qy);
    ini.WriteString(s, QStringLiteral("strdyf"), strdyf);
    ini.WriteString(s, QStringLiteral("str_kpy"), str_kpy);
    ini.WriteString(s, QStringLiteral("strdyfs1"), strdyfs1);
    ini.WriteString(s, QStringLiteral("strdyfs2"), strdyfs2);
    ini.Save();
}
