#pragma once

// A shop for the benchmarks: a program folder with the first-content
// database, some slips, the template, and the main window logged past.
#include "data/database.h"
#include "data/demodm.h"
#include "data/firstcontent.h"
#include "entry/entrytab.h"
#include "shell/app.h"
#include "shell/formmain.h"
#include "shell/messages.h"
#include "shell/settings.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>

struct Shop {
    QTemporaryDir dir;
    std::unique_ptr<TGlobal> settings;
    std::unique_ptr<TFormmain> form;
    std::unique_ptr<TDemoDM> dm;

    explicit Shop(int slips) {
        QDir(dir.path()).mkpath(QStringLiteral("report"));
        QFile::copy(QStringLiteral(KELVARO_SOURCE_DIR "/report/st.rmf"), dir.filePath(QStringLiteral("report/st.rmf")));
        App::SetProgramFile(dir.filePath(QStringLiteral("kelvaro")));
        Msg::SetScripted(true);
        QString error;
        if (!FirstContent::Create(dir.filePath(QStringLiteral("qvnDemo.mdb")), &error))
            qFatal("%s", qPrintable(error));
        settings = std::make_unique<TGlobal>(dir.filePath(QStringLiteral("kelvaro.ini")));
        form = std::make_unique<TFormmain>(*settings);
        dm = std::make_unique<TDemoDM>();
        form->SetDataModule(dm.get());
        Database::Open(*dm);
        QSqlDatabase db = dm->democnn.Database();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("insert into app_djb (djh, khxm, pyzjh, zje, drq) values (?, ?, ?, ?, ?)"));
        for (int i = 1; i <= slips; ++i) {
            q.addBindValue(QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0')));
            q.addBindValue(QStringLiteral("客户%1").arg(i % 5000));
            q.addBindValue(QStringLiteral("kh%1").arg(i % 5000));
            q.addBindValue(100.0);
            q.addBindValue(QStringLiteral("2026-01-01 00:00:00"));
            q.exec();
        }
        db.commit();
        form->FormShow();
    }
    TEntryTab &tab() { return *form->TabSheet1; }
};
