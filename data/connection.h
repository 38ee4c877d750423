#pragma once

#include "data/dialect.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <memory>

class TQuery;

// The one database connection. Its connection string names the database
// (for SQLite, the file's path); it is set while the connection is closed.
class TConnection {
public:
    explicit TConnection(QString name, QString driverName = QStringLiteral("QSQLITE"));
    ~TConnection();
    TConnection(const TConnection &) = delete;
    TConnection &operator=(const TConnection &) = delete;

    const QString &Name() const { return m_name; }
    QString ConnectionString;
    bool LoginPrompt = false; // kept for the opening sequence; there is no prompt

    // Raises EDatabaseError with the engine's text when the database cannot be opened.
    void Open();
    // Closes every query on the connection first, then releases the file.
    void Close();
    bool Connected() const;
    void SetConnected(bool connected);

    QSqlDatabase Database() const;
    SqlDialect &Dialect() const { return *m_dialect; }

    void Register(TQuery *query);
    void Unregister(TQuery *query);

private:
    QString m_name;
    std::unique_ptr<SqlDialect> m_dialect;
    QList<TQuery *> m_queries;
};
