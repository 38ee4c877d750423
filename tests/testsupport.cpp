#include "testsupport.h"

#include "data/demodm.h"
#include "data/firstcontent.h"
#include "entry/entrytab.h"
#include "shell/formmain.h"
#include "shell/settings.h"
#include "shell/app.h"
#include "shell/messages.h"

#include <QFile>
#include <QTabWidget>
#include <QtTest>

ProgramFolder::ProgramFolder(bool withDatabase) {
    QVERIFY2(m_dir.isValid(), "temporary folder");
    App::SetProgramFile(m_dir.filePath(QStringLiteral("kelvaro")));
    App::ResetTerminated();
    App::SetTerminateAction([] {});
    Msg::SetScripted(true);
    if (withDatabase) {
        QString error;
        if (!FirstContent::Create(DatabasePath(), &error))
            qFatal("first content: %s", qPrintable(error));
    }
}

ProgramFolder::~ProgramFolder() {
    Msg::SetScripted(false);
    App::SetProgramFile(QString());
}

void ProgramFolder::WriteFile(const QString &name, const QByteArray &bytes) const {
    QFile f(Path(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

QByteArray ProgramFolder::ReadFile(const QString &name) const {
    QFile f(Path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

MainWindowFixture::MainWindowFixture(bool withDatabase, const QByteArray &settings) : folder(withDatabase) {
    if (!settings.isNull())
        folder.WriteFile(QStringLiteral("kelvaro.ini"), settings);
    global = std::make_unique<TGlobal>(folder.SettingsPath());
    form = std::make_unique<TFormmain>(*global);
    dm = std::make_unique<TDemoDM>();
    form->SetDataModule(dm.get());
}

MainWindowFixture::~MainWindowFixture() {
    form.reset();
    dm.reset();
}

void MainWindowFixture::select(QWidget *page) { form->pg1->setCurrentWidget(page); }
