#pragma once

#include <QString>
#include <QStringList>

// The database a new installation starts with: the schema and the employees
// to log in with, no slips.
namespace FirstContent {

// The password every shipped employee starts with.
QString DefaultPassword();

// The schema as separate statements.
QStringList SchemaStatements();

// Creates the database file at `path`. Refuses (returns false with a reason)
// when anything is already there: a user's database is never overwritten.
bool Create(const QString &path, QString *error);

} // namespace FirstContent
