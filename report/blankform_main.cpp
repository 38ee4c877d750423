// kelvaro-blankform PATH: writes the example background (a blank sales-slip
// form) that the default template shows under its fields.
#include "report/blankform.h"
#include "shell/look.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    Look::Apply(app);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: kelvaro-blankform PATH\n";
        return 2;
    }
    if (!BlankForm::Draw().save(args[1], "PNG")) {
        QTextStream(stderr) << "kelvaro-blankform: cannot write " << args[1] << "\n";
        return 1;
    }
    return 0;
}
