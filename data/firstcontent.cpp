#include "data/firstcontent.h"

#include "data/dialect.h"
#include "shell/operator.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

// The schema is a resource of the static library; it must be registered
// before the first use.
static void initSchemaResource() {
    Q_INIT_RESOURCE(data);
}

namespace FirstContent {

QString DefaultPassword() {
    return QStringLiteral("1");
}

QStringList SchemaStatements() {
    initSchemaResource();
    QFile f(SqliteDialect().SchemaResource());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            lines.append(line);
    QStringList statements;
    for (const QString &s : lines.join(QLatin1Char('\n')).split(QLatin1Char(';')))
        if (!s.trimmed().isEmpty())
            statements.append(s.trimmed());
    return statements;
}

namespace {

struct Employee {
    QString name;
    QString number;
    QString type;
};

bool fill(QSqlDatabase &db, QString *error) {
    QSqlQuery q(db);
    const auto fail = [&](const QSqlQuery &failed) {
        *error = failed.lastError().text();
        return false;
    };
    if (!db.transaction())
        return fail(q);
    for (const QString &s : SchemaStatements())
        if (!q.exec(s))
            return fail(q);
    const Employee employees[] = {
        {QStringLiteral("管理员"), Operator::SuperUserNumber(), QStringLiteral("开票员")},
        {QStringLiteral("王丽"), QStringLiteral("002"), QStringLiteral("开票员")},
        {QStringLiteral("张伟"), QStringLiteral("003"), QStringLiteral("销售员")},
        {QStringLiteral("李娜"), QStringLiteral("004"), QStringLiteral("销售员")},
    };
    q.prepare(QStringLiteral("insert into zgxxb (zgxm, py, bz, mm) values (?, ?, ?, ?)"));
    for (const Employee &e : employees) {
        q.addBindValue(e.name);
        q.addBindValue(e.number);
        q.addBindValue(e.type);
        q.addBindValue(DefaultPassword());
        if (!q.exec())
            return fail(q);
    }
    if (!db.commit())
        return fail(q);
    return true;
}

} // namespace

bool Create(const QString &path, QString *error) {
    if (QFileInfo::exists(path)) {
        *error = QStringLiteral("%1 already exists; it is left as it is").arg(path);
        return false;
    }
    if (SchemaStatements().isEmpty()) {
        *error = QStringLiteral("the schema is missing from the program");
        return false;
    }
    // Built under a temporary name and renamed when complete, so a failure
    // never leaves a half-made database where the program looks for one.
    const QString temp = path + QStringLiteral(".new");
    QFile::remove(temp);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("firstcontent"));
        db.setDatabaseName(temp);
        if (!db.open()) {
            *error = db.lastError().text();
        } else {
            ok = fill(db, error);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("firstcontent"));
    if (ok && !QFile::rename(temp, path)) {
        *error = QStringLiteral("cannot create %1").arg(path);
        ok = false;
    }
    if (!ok)
        QFile::remove(temp);
    return ok;
}

} // namespace FirstContent
