#include "data/connection.h"

#include "data/query.h"
#include "shell/errors.h"

#include <QSqlError>

TConnection::TConnection(QString name, QString driverName)
    : m_name(std::move(name)), m_dialect(SqlDialect::Create(driverName)) {
    if (!m_dialect)
        throw EDatabaseError(QStringLiteral("Database driver %1 is not supported").arg(driverName));
    QSqlDatabase::addDatabase(driverName, m_name);
}

TConnection::~TConnection() {
    for (TQuery *q : std::as_const(m_queries))
        q->DetachConnection();
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase TConnection::Database() const {
    return QSqlDatabase::database(m_name, false);
}

void TConnection::Open() {
    if (Connected())
        return;
    QSqlDatabase db = Database();
    if (!QSqlDatabase::isDriverAvailable(db.driverName()))
        throw EDatabaseError(QStringLiteral("Database driver %1 is not available").arg(db.driverName()));
    m_dialect->Configure(db, ConnectionString);
    if (!db.open()) {
        const QString text = db.lastError().text();
        db.close();
        throw EDatabaseError(text);
    }
    m_dialect->Learn(db);
}

void TConnection::Close() {
    for (TQuery *q : std::as_const(m_queries))
        q->Close();
    QSqlDatabase db = Database();
    db.close();
}

bool TConnection::Connected() const {
    return Database().isOpen();
}

void TConnection::SetConnected(bool connected) {
    if (connected)
        Open();
    else
        Close();
}

void TConnection::Register(TQuery *query) {
    m_queries.append(query);
}

void TConnection::Unregister(TQuery *query) {
    m_queries.removeAll(query);
}
