#include "printing/slipprinter.h"

#include "data/demodm.h"
#include "entry/entrytab.h"
#include "shell/controls.h"
#include "shell/errors.h"
#include "shell/messages.h"
#include "text/capitals.h"
#include "text/datetext.h"
#include "text/hzspell.h"
#include "text/numtext.h"

#include <QComboBox>
#include <QFileInfo>
#include <QRadioButton>

void TSlipPrinter::FillBuffer() {
    TEntryTab &e = m_entry;
    e.CheckSlip();
    TDemoDM &dm = e.DM();

    TQuery &up = dm.qup;
    up.Close();
    up.SQL.Clear();
    up.SQL.Add(QStringLiteral("delete from app_djbdy "));
    up.ExecSQL();

    TQuery &in = dm.qin;
    in.Close();
    in.SQL.Clear();
    in.SQL.Add(QStringLiteral("insert into app_djbdy(djh,khxm,pyzjh,lxdh,khdz,bz,spmc1,spmc2,spmc3,spmc4,spmc5,spmc6,"
                              "sl1,sl2,sl3,sl4,sl5,sl6,dj1,dj2,dj3,dj4,dj5,dj6,je1,je2,je3,je4,je5,je6 "));
    in.SQL.Add(QStringLiteral(",zje,kpy,xsy,ysh,ysb,fkfssk,fkfsxj,drq,xlh1,xlh2,xlh3,xlh4,zjedx)"));
    in.SQL.Add(QStringLiteral(" values(:djh,:khxm,:pyzjh,:lxdh,:khdz,:bz,:spmc1,:spmc2,:spmc3,:spmc4,:spmc5,:spmc6,"
                              ":sl1,:sl2,:sl3,:sl4,:sl5,:sl6,:dj1,:dj2,:dj3,:dj4,:dj5,:dj6,:je1,:je2,:je3,:je4,:je5,"
                              ":je6  "));
    in.SQL.Add(QStringLiteral(",:zje,:kpy,:xsy,:ysh,:ysb,:fkfssk,:fkfsxj,:drq,:xlh1,:xlh2,:xlh3,:xlh4,:zjedx)"));
    const auto text = [&in](const QString &name, const QString &value) { in.ParamByName(name).setValue(value); };
    // A number of 0 prints as a blank box, never as "0".
    const auto number = [&in, &e](const QString &name, int field) {
        if (e.Text(field).isEmpty())
            e.SetText(field, QStringLiteral("0"));
        const double v = NumText::StrToFloat(e.Text(field));
        if (v != 0)
            in.ParamByName(name).setValue(v);
        else
            in.ParamByName(name).setValue(QString());
    };
    text(QStringLiteral("djh"), e.Text(5));
    text(QStringLiteral("khxm"), e.Text(1));
    text(QStringLiteral("pyzjh"), PinyinInitials(e.Text(1)));
    text(QStringLiteral("lxdh"), e.Text(2));
    text(QStringLiteral("khdz"), e.Text(3));
    text(QStringLiteral("bz"), e.Text(6));
    for (int line = 1; line <= 6; ++line)
        text(QStringLiteral("spmc%1").arg(line), e.Text(6 + line));
    for (int line = 1; line <= 6; ++line)
        number(QStringLiteral("sl%1").arg(line), 18 + line);
    for (int line = 1; line <= 6; ++line)
        number(QStringLiteral("dj%1").arg(line), 12 + line);
    for (int line = 1; line <= 6; ++line)
        number(QStringLiteral("je%1").arg(line), 24 + line);
    number(QStringLiteral("zje"), 31);
    text(QStringLiteral("kpy"), e.ComboBox1->currentText());
    text(QStringLiteral("xsy"), e.ComboBox2->currentText());
    const QString tick = QStringLiteral("√");
    text(QStringLiteral("ysh"), e.rbb2->isChecked() ? tick : QString());
    text(QStringLiteral("ysb"), e.rbb1->isChecked() ? tick : QString());
    text(QStringLiteral("fkfssk"), e.rbb3->isChecked() ? tick : QString());
    text(QStringLiteral("fkfsxj"), e.rbb4->isChecked() ? tick : QString());
    const QDate date = DateText::StrToDateTime(e.Text(4)).date();
    text(QStringLiteral("drq"), date.toString(QStringLiteral("yyyy年MM月dd日")));
    for (int i = 1; i <= 4; ++i)
        text(QStringLiteral("xlh%1").arg(i), e.Text(32 + i));
    text(QStringLiteral("zjedx"), AmountToCapitals(e.Text(31)));
    in.ExecSQL();

    dm.qkdst.Close();
}

QString TSlipPrinter::TemplatePathOrStop() {
    const QString path = Report::PathBesideProgram();
    if (!QFileInfo::exists(path)) {
        Msg::ShowMessage(QStringLiteral("报表模板没有找到！"));
        Abort();
    }
    return path;
}

Report::Row TSlipPrinter::BufferRow() {
    TQuery &q = m_entry.DM().qkdst;
    q.Close();
    q.Open();
    Report::Row row;
    for (int i = 0; i < q.FieldCount(); ++i)
        row.insert(q.FieldName(i).toLower(), q.FieldByName(q.FieldName(i)).AsString());
    q.Close();
    return row;
}

QStringList TSlipPrinter::BufferFields() {
    TQuery &q = m_entry.DM().qkdst;
    q.Close();
    q.Open();
    QStringList fields;
    for (int i = 0; i < q.FieldCount(); ++i)
        fields << q.FieldName(i);
    q.Close();
    return fields;
}

void TSlipPrinter::BitBtn26Click() {
    FillBuffer();
    rmkdst.LoadFromFile(TemplatePathOrStop());
    rmkdst.ShowReport(BufferRow(), m_owner);
}

void TSlipPrinter::BitBtn21Click() {
    FillBuffer();
    rmkdst.LoadFromFile(TemplatePathOrStop());
    rmkdst.PrintReport(BufferRow(), m_owner);
}

void TSlipPrinter::BitBtn27Click() {
    rmkdst.LoadFromFile(TemplatePathOrStop());
    rmkdst.DesignReport(BufferRow(), BufferFields(), m_owner);
}
