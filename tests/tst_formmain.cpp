#include "data/database.h"
#include "data/demodm.h"
#include "entry/entrytab.h"
#include "masterdata/mastertab.h"
#include "query/querytab.h"
#include "shell/app.h"
#include "shell/formmain.h"
#include "shell/helpform.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"
#include "shell/settings.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QtTest>
#include <memory>

class TestFormmain : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Look::Apply(*qApp); }
    void windowTabsAndControls();
    void formShowOpensTheDatabase();
    void formShowWithoutDatabaseEndsTheProgram();
    void checkBoxFollowsTheSetting_data();
    void checkBoxFollowsTheSetting();
    void clickingTheCheckBoxWritesAtOnce();
    void unwritableSettingsOnClick();
    void masterDataTabReloadsItsLists();
    void failedReloadStopsTheRest();
    void programTabChangeRunsNoHandler();
    void exitButtonClosesTheWindow();
    void fourthTabOpensHelpAndBackup();
};

void TestFormmain::windowTabsAndControls() {
    MainWindowFixture f;
    TFormmain &w = *f.form;
    QCOMPARE(w.objectName(), QStringLiteral("Formmain"));
    QCOMPARE(w.size(), QSize(867, 636));
    QCOMPARE(w.findChild<QTabWidget *>(QStringLiteral("pg1")), w.pg1);
    const QStringList names{"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4"};
    const QStringList captions{QStringLiteral("单据录入"), QStringLiteral("单据查询"), QStringLiteral("基础数据管理"),
                               QStringLiteral("在线帮助")};
    QCOMPARE(w.pg1->count(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(w.pg1->widget(i)->objectName(), names[i]);
        QCOMPARE(w.pg1->tabText(i), captions[i]);
    }
    QCOMPARE(w.pg1->currentWidget(), w.TabSheet1);

    auto *exit = w.TabSheet1->findChild<QPushButton *>(QStringLiteral("BitBtn2"));
    QVERIFY(exit);
    QCOMPARE(exit->text(), QStringLiteral("退出"));
    QCOMPARE(exit->size(), QSize(99, 25));

    auto *cbdy = w.TabSheet3->findChild<QCheckBox *>(QStringLiteral("cbdy"));
    QVERIFY(cbdy);
    QCOMPARE(cbdy->text(), QStringLiteral("在单据录入时点保存按钮直接打印单据"));
    QCOMPARE(cbdy->geometry(), QRect(473, 428, 232, 17));
    QCOMPARE(cbdy->font().pixelSize(), 12);
    QCOMPARE(cbdy->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

void TestFormmain::formShowOpensTheDatabase() {
    MainWindowFixture f;
    f.form->SetActivePage(f.form->TabSheet4);
    f.form->FormShow();
    QVERIFY(f.dm->democnn.Connected());
    QCOMPARE(f.form->pg1->currentWidget(), f.form->TabSheet1);
    QVERIFY(Msg::TakeShown().isEmpty());
    QVERIFY(!App::Terminated());
}

void TestFormmain::formShowWithoutDatabaseEndsTheProgram() {
    MainWindowFixture f(false);
    f.form->show();
    QTRY_VERIFY(App::Terminated()); // FormShow runs from the event loop once shown
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("data error"));
    QVERIFY(!QFile::exists(f.folder.DatabasePath()));
}

void TestFormmain::checkBoxFollowsTheSetting_data() {
    QTest::addColumn<QByteArray>("settings"); // null: no settings file
    QTest::addColumn<bool>("checked");
    QTest::newRow("Y") << QByteArray("[Judge]\nstrdyf=Y\n") << true;
    QTest::newRow("lower-case y is no") << QByteArray("[Judge]\nstrdyf=y\n") << false;
    QTest::newRow("Yes is no") << QByteArray("[Judge]\nstrdyf=Yes\n") << false;
    QTest::newRow("no settings file") << QByteArray() << false;
}

void TestFormmain::checkBoxFollowsTheSetting() {
    QFETCH(QByteArray, settings);
    QFETCH(bool, checked);
    MainWindowFixture f(true, settings);
    const QString before = f.global->strdyf;
    f.form->FormShow();
    QVERIFY(!f.form->cbdy->isChecked());
    f.select(f.form->TabSheet3);
    QCOMPARE(f.form->cbdy->isChecked(), checked);
    QVERIFY(Msg::TakeShown().isEmpty());
    // Showing the setting does not change it.
    QCOMPARE(f.global->strdyf, before);
    QCOMPARE(TGlobal(f.folder.SettingsPath()).strdyf, before);
}

void TestFormmain::clickingTheCheckBoxWritesAtOnce() {
    MainWindowFixture f;
    f.form->FormShow();
    f.select(f.form->TabSheet3);
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QTest::mouseClick(f.form->cbdy, Qt::LeftButton, {}, QPoint(8, 8));
    QVERIFY(f.form->cbdy->isChecked());
    QCOMPARE(f.global->strdyf, QStringLiteral("Y"));
    QCOMPARE(TGlobal(f.folder.SettingsPath()).strdyf, QStringLiteral("Y"));
    QTest::mouseClick(f.form->cbdy, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(TGlobal(f.folder.SettingsPath()).strdyf, QStringLiteral("N"));
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestFormmain::unwritableSettingsOnClick() {
    MainWindowFixture f;
    f.form->FormShow();
    QVERIFY(QFile::remove(f.folder.SettingsPath())); // written by the login
    QVERIFY(QDir().mkdir(f.folder.SettingsPath()));
    f.select(f.form->TabSheet3);
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QTest::mouseClick(f.form->cbdy, Qt::LeftButton, {}, QPoint(8, 8));
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].icon, Msg::Icon::Error);
    QCOMPARE(shown[0].text, QStringLiteral("Unable to write to %1.").arg(f.folder.SettingsPath()));
    QCOMPARE(f.global->strdyf, QStringLiteral("Y")); // memory keeps the new value
}

void TestFormmain::masterDataTabReloadsItsLists() {
    MainWindowFixture f;
    f.form->FormShow();
    f.select(f.form->TabSheet3);
    QVERIFY(f.dm->qkh.Active());
    QVERIFY(f.dm->qsp.Active());
    QVERIFY(f.dm->qzg.Active());
    QCOMPARE(f.dm->qzg.StatementText(), QStringLiteral("select * from zgxxb  order by iid "));
    QCOMPARE(f.dm->qzg.RecordCount(), 4);
    QCOMPARE(f.dm->qzg.FieldByName(QStringLiteral("py")).AsString(), QStringLiteral("001"));

    // Coming back reads the lists afresh.
    QVERIFY(QSqlQuery(f.dm->democnn.Database())
                .exec(QStringLiteral("insert into zgxxb (zgxm, py, bz, mm) values ('新', '005', '销售员', '1')")));
    f.select(f.form->TabSheet1);
    f.select(f.form->TabSheet3);
    QCOMPARE(f.dm->qzg.RecordCount(), 5);
}

void TestFormmain::failedReloadStopsTheRest() {
    MainWindowFixture f(true, "[Judge]\nstrdyf=Y\n");
    f.form->FormShow();
    QVERIFY(QSqlQuery(f.dm->democnn.Database()).exec(QStringLiteral("drop table app_spxxb")));
    f.select(f.form->TabSheet3);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].icon, Msg::Icon::Error);
    QVERIFY2(shown[0].text.contains(QStringLiteral("app_spxxb")), qPrintable(shown[0].text));
    QVERIFY(f.dm->qkh.Active());
    QVERIFY(!f.dm->qzg.Active());
    QVERIFY(!f.form->cbdy->isChecked());
}

void TestFormmain::programTabChangeRunsNoHandler() {
    MainWindowFixture f;
    f.form->FormShow();
    f.form->SetActivePage(f.form->TabSheet3);
    QCOMPARE(f.form->pg1->currentWidget(), f.form->TabSheet3);
    QVERIFY(!f.dm->qkh.Active());
}

void TestFormmain::exitButtonClosesTheWindow() {
    MainWindowFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QTRY_VERIFY(f.dm->democnn.Connected());
    QTest::mouseClick(f.form->BitBtn2, Qt::LeftButton);
    QVERIFY(!f.form->isVisible());
}

void TestFormmain::fourthTabOpensHelpAndBackup() {
    MainWindowFixture f;
    f.form->FormShow();
    QStringList opened;
    const auto record = [&opened](QDialog &dialog) {
        opened << dialog.objectName();
        dialog.reject();
    };
    Modal::Queue(record);
    QTest::mouseClick(f.form->SpeedButton27, Qt::LeftButton);
    Modal::Queue(record);
    QTest::mouseClick(f.form->SpeedButton36, Qt::LeftButton);
    QCOMPARE(opened, (QStringList{"FormHelp", "Formxtbf"}));
    // The manual is not beside a test program: saying so is all the help button can do.
    TFormHelp help;
    QTest::mouseClick(help.ManualButton, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.startsWith(QStringLiteral("使用说明书没有找到")));
}

QTEST_MAIN(TestFormmain)
#include "tst_formmain.moc"
