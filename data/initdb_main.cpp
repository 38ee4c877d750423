// kelvaro-initdb PATH: writes the first-content database to PATH, unless
// something is already there.
#include "data/firstcontent.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: kelvaro-initdb PATH\n";
        return 2;
    }
    QString error;
    if (!FirstContent::Create(args[1], &error)) {
        err << "kelvaro-initdb: " << error << "\n";
        return 1;
    }
    return 0;
}
