#pragma once

#include <QDateTime>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlField>
#include <QString>
#include <QVariant>
#include <memory>

// What differs between database engines, kept in one place. The statements
// themselves are the same for every engine.
class SqlDialect {
public:
    virtual ~SqlDialect() = default;

    static std::unique_ptr<SqlDialect> Create(const QString &driverName);

    virtual QString DriverName() const = 0;
    // Points the connection at the database named by the connection string,
    // so that opening never creates a database that is not there.
    virtual void Configure(QSqlDatabase &db, const QString &connectionString) const = 0;
    // Runs once the connection is open: learns what the engine does not
    // report with each result (which columns hold date-times).
    virtual void Learn(QSqlDatabase &db) = 0;
    virtual bool IsDateTime(const QSqlField &field) const = 0;
    // A date-time parameter as the engine stores and compares it.
    virtual QVariant BindDateTime(const QDateTime &value) const = 0;
    // A stored date-time back as a value; false when it is none.
    virtual bool ReadDateTime(const QVariant &stored, QDateTime *value) const;
    // The resource holding the schema.
    virtual QString SchemaResource() const = 0;
    // A statement counting the rows that `sql` returns.
    virtual QString CountStatement(const QString &sql) const;
};

// SQLite: date-times are text "yyyy-MM-dd HH:mm:ss", so comparing them is
// comparing text; the file must exist to be opened.
class SqliteDialect : public SqlDialect {
public:
    QString DriverName() const override { return QStringLiteral("QSQLITE"); }
    void Configure(QSqlDatabase &db, const QString &connectionString) const override;
    void Learn(QSqlDatabase &db) override;
    bool IsDateTime(const QSqlField &field) const override;
    QVariant BindDateTime(const QDateTime &value) const override;
    QString SchemaResource() const override { return QStringLiteral(":/data/schema.sql"); }

private:
    QSet<QString> m_dateTimeColumns; // "table\ncolumn", lower case
};
