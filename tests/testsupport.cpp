#include "testsupport.h"

#include "data/demodm.h"
#include "data/firstcontent.h"
#include "entry/entrytab.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/formdl.h"
#include "shell/formmain.h"
#include "shell/formmmxg.h"
#include "shell/messages.h"
#include "shell/modal.h"
#include "shell/operator.h"
#include "shell/settings.h"

#include <QDialog>
#include <QFile>
#include <QTabWidget>
#include <QtTest>

ProgramFolder::ProgramFolder(bool withDatabase) {
    QVERIFY2(m_dir.isValid(), "temporary folder");
    App::SetProgramFile(m_dir.filePath(QStringLiteral("kelvaro")));
    App::ResetTerminated();
    App::SetTerminateAction([] {});
    Msg::SetScripted(true);
    Modal::SetScripted(true);
    Operator::SetCurrent(QString());
    if (withDatabase) {
        QString error;
        if (!FirstContent::Create(DatabasePath(), &error))
            qFatal("first content: %s", qPrintable(error));
    }
}

ProgramFolder::~ProgramFolder() {
    Msg::SetScripted(false);
    Modal::SetScripted(false);
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
    mmxg = std::make_unique<TFormmmxg>();
    mmxg->SetDataModule(dm.get());
    dl = std::make_unique<TFormdl>(*global);
    dl->SetDataModule(dm.get());
    form->SetDialogs(dl.get(), mmxg.get());
    QueueLogin(QStringLiteral("001"), QStringLiteral("1"));
}

MainWindowFixture::~MainWindowFixture() {
    form.reset();
    dl.reset();
    mmxg.reset();
    dm.reset();
}

void MainWindowFixture::QueueLogin(const QString &number, const QString &password) {
    Modal::Queue([number, password](QDialog &dialog) {
        auto &login = static_cast<TFormdl &>(dialog);
        login.ComboBox1->setEditText(number);
        login.Edit1->setText(password);
        QTest::mouseClick(login.BitBtn1, Qt::LeftButton);
    });
}

void MainWindowFixture::select(QWidget *page) {
    form->pg1->setCurrentWidget(page);
}
