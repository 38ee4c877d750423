#include "data/database.h"

#include "data/demodm.h"
#include "shell/app.h"
#include "shell/errors.h"
#include "shell/messages.h"

namespace Database {

QString FileName() {
    return QStringLiteral("qvnDemo.mdb");
}

QString PathBesideProgram() {
    return App::ProgramDir() + FileName();
}

QStringList RequiredTables() {
    return {QStringLiteral("app_djb"), QStringLiteral("app_djbdy"), QStringLiteral("app_khxxb"),
            QStringLiteral("app_spxxb"), QStringLiteral("zgxxb")};
}

namespace {

bool hasRequiredTables(const TDemoDM &dm) {
    QStringList present = dm.democnn.Database().tables();
    for (QString &t : present)
        t = t.toLower();
    for (const QString &t : RequiredTables())
        if (!present.contains(t))
            return false;
    return true;
}

} // namespace

void Open(TDemoDM &dm) {
    dm.democnn.Close();
    dm.democnn.ConnectionString.clear();
    dm.democnn.LoginPrompt = false;
    dm.democnn.ConnectionString = PathBesideProgram();
    bool ok = true;
    try {
        dm.democnn.Open();
        // A file that is no database, or lacks the tables, is as unusable as none.
        ok = hasRequiredTables(dm);
    } catch (const EDatabaseError &) {
        ok = false;
    }
    if (!ok) {
        dm.democnn.Close();
        Msg::ShowMessage(QStringLiteral("data error"));
        App::Terminate();
        Abort();
    }
}

} // namespace Database
