#include "data/demodm.h"
#include "shell/app.h"
#include "shell/formdl.h"
#include "shell/formmain.h"
#include "shell/formmmxg.h"
#include "shell/guard.h"
#include "shell/look.h"
#include "shell/settings.h"

#include <QApplication>
#include <memory>

namespace {

// The last line of defence: an error that escaped a handler is shown, and
// never unwinds through Qt's event dispatch.
class KelvaroApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override {
        bool handled = false;
        Guarded([&] { handled = QApplication::notify(receiver, event); });
        return handled;
    }
};

} // namespace

int main(int argc, char **argv) {
    KelvaroApplication app(argc, argv);
    Look::Apply(app);

    auto settings = std::make_unique<TGlobal>(TGlobal::PathForProgram(App::ProgramFile()));
    QApplication::setApplicationName(App::Title());

    auto formmain = std::make_unique<TFormmain>(*settings);
    auto dm = std::make_unique<TDemoDM>();
    formmain->SetDataModule(dm.get());
    auto formmmxg = std::make_unique<TFormmmxg>();
    formmmxg->SetDataModule(dm.get());
    auto formdl = std::make_unique<TFormdl>(*settings);
    formdl->SetDataModule(dm.get());
    formmain->SetDialogs(formdl.get(), formmmxg.get());

    formmain->show();
    const int rc = app.exec();

    formmain.reset();
    formdl.reset();
    formmmxg.reset();
    dm.reset();
    Guarded([&] { settings->Write(); });
    return rc;
}
