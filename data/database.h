#pragma once

#include <QString>
#include <QStringList>

class TDemoDM;

// The database file beside the program.
namespace Database {

QString FileName(); // "qvnDemo.mdb"
QString PathBesideProgram();
QStringList RequiredTables();

// Opens the database as the program does at the login and after it: close
// the connection, set its connection string from the program's folder, open.
// On failure shows "data error", ends the program and stops the action.
void Open(TDemoDM &dm);

} // namespace Database
