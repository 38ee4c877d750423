#include "data/dialect.h"

#include "text/datetext.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

std::unique_ptr<SqlDialect> SqlDialect::Create(const QString &driverName) {
    if (driverName == QLatin1String("QSQLITE"))
        return std::make_unique<SqliteDialect>();
    return nullptr;
}

bool SqlDialect::ReadDateTime(const QVariant &stored, QDateTime *value) const {
    switch (stored.typeId()) {
    case QMetaType::QDateTime:
        *value = stored.toDateTime();
        return true;
    case QMetaType::QDate:
        *value = QDateTime(stored.toDate(), QTime(0, 0), Qt::UTC);
        return true;
    case QMetaType::QString:
        return DateText::TryStrToDateTime(stored.toString(), value);
    default:
        return false;
    }
}

QString SqlDialect::CountStatement(const QString &sql) const {
    return QStringLiteral("select count(*) from (\n%1\n) kelvaro_counted").arg(sql);
}

void SqliteDialect::Configure(QSqlDatabase &db, const QString &connectionString) const {
    // mode=rw opens an existing file only; a missing database is an error,
    // never a new empty file.
    QUrl url = QUrl::fromLocalFile(connectionString);
    url.setQuery(QStringLiteral("mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
}

void SqliteDialect::Learn(QSqlDatabase &db) {
    m_dateTimeColumns.clear();
    const QStringList tables = db.tables();
    for (const QString &table : tables) {
        QSqlQuery q(db);
        QString quoted = table;
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        if (!q.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(quoted)))
            continue;
        while (q.next()) {
            const QString type = q.value(2).toString().toUpper();
            if (type.contains(QLatin1String("DATE")) || type.contains(QLatin1String("TIME")))
                m_dateTimeColumns.insert(table.toLower() + QLatin1Char('\n') + q.value(1).toString().toLower());
        }
    }
}

bool SqliteDialect::IsDateTime(const QSqlField &field) const {
    return m_dateTimeColumns.contains(field.tableName().toLower() + QLatin1Char('\n') + field.name().toLower());
}

QVariant SqliteDialect::BindDateTime(const QDateTime &value) const {
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
