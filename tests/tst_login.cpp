#include "data/database.h"
#include "data/demodm.h"
#include "entry/entrytab.h"
#include "masterdata/mastertab.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/formdl.h"
#include "shell/formmain.h"
#include "shell/formmmxg.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"
#include "shell/operator.h"
#include "shell/settings.h"
#include "testsupport.h"
#include "text/gbk.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

// The login and the password change, worked as a person works them.
class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Look::Apply(*qApp); }
    void init();
    void cleanup();

    void showsTheEmployeeNumbers();
    void refusals_data();
    void refusals();
    void logins_data();
    void logins();
    void enterWalksToTheLogin();
    void unwritableSettingsKeepTheDialogOpen();
    void leavingWithoutLoginEndsTheProgram_data();
    void leavingWithoutLoginEndsTheProgram();
    void escapeDoesNotLeave();
    void mainWindowIsNotPreparedWithoutALogin();

    void passwordRefusals_data();
    void passwordRefusals();
    void passwordChangeOfTheSelectedEmployee();

private:
    void showLogin();
    void attempt(const QString &number, const QString &password);
    QString storedPassword(const QString &number);
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<TGlobal> m_settings;
    std::unique_ptr<TDemoDM> m_dm;
    std::unique_ptr<TFormdl> m_dl;
};

void TestLogin::init() {
    m_folder = std::make_unique<ProgramFolder>();
    m_settings = std::make_unique<TGlobal>(m_folder->SettingsPath());
    m_dm = std::make_unique<TDemoDM>();
    m_dl = std::make_unique<TFormdl>(*m_settings);
    m_dl->SetDataModule(m_dm.get());
}

void TestLogin::cleanup() {
    m_dl.reset();
    m_dm.reset();
    m_settings.reset();
    m_folder.reset();
}

void TestLogin::showLogin() {
    m_dl->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dl.get()));
}

void TestLogin::attempt(const QString &number, const QString &password) {
    m_dl->ComboBox1->setEditText(number);
    m_dl->Edit1->setText(password);
    QTest::mouseClick(m_dl->BitBtn1, Qt::LeftButton);
}

QString TestLogin::storedPassword(const QString &number) {
    QSqlQuery q(m_dm->democnn.Database());
    q.exec(QStringLiteral("select mm from zgxxb where py = '%1'").arg(number));
    return q.next() ? q.value(0).toString() : QString();
}

void TestLogin::showsTheEmployeeNumbers() {
    QCOMPARE(m_dl->windowTitle(), QStringLiteral("用户登陆"));
    QCOMPARE(m_dl->size(), QSize(298, 198));
    QVERIFY(!(m_dl->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(m_dl->Label3->text().contains(QLatin1Char('1'))); // the default password
    showLogin();
    QVERIFY(m_dm->democnn.Connected());
    QStringList numbers;
    for (int i = 0; i < m_dl->ComboBox1->count(); ++i)
        numbers << m_dl->ComboBox1->itemText(i);
    QCOMPARE(numbers, (QStringList{"001", "002", "003", "004"}));
    QCOMPARE(m_dl->ComboBox1->currentText(), QString());
    QCOMPARE(m_dl->Edit1->echoMode(), QLineEdit::Password);
}

void TestLogin::refusals_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::newRow("no number") << ""
                               << "1" << QStringLiteral("用户编号不能为空");
    QTest::newRow("wrong password") << "002"
                                    << "2" << QStringLiteral("用户编号或密码不对！");
    QTest::newRow("no password") << "002"
                                 << "" << QStringLiteral("用户编号或密码不对！");
    QTest::newRow("unknown number") << "099"
                                    << "1" << QStringLiteral("用户编号或密码不对！");
}

void TestLogin::refusals() {
    QFETCH(QString, number);
    QFETCH(QString, password);
    QFETCH(QString, message);
    m_folder->WriteFile(QStringLiteral("kelvaro.ini"), Gbk::Encode(QStringLiteral("[Judge]\nstr_kpy=李娜\n")));
    m_settings = std::make_unique<TGlobal>(m_folder->SettingsPath());
    m_dl = std::make_unique<TFormdl>(*m_settings);
    m_dl->SetDataModule(m_dm.get());
    showLogin();
    for (int tries = 0; tries < 2; ++tries) { // no limit on tries
        attempt(number, password);
        const QList<Msg::Shown> shown = Msg::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, message);
        QCOMPARE(shown[0].title, QStringLiteral("Kelvaro"));
    }
    QVERIFY(m_dl->isVisible());
    QVERIFY(!m_dl->LoggedIn());
    QCOMPARE(Operator::Current(), QString());
    QCOMPARE(m_settings->str_kpy, QStringLiteral("李娜"));
    QCOMPARE(TGlobal(m_folder->SettingsPath()).str_kpy, QStringLiteral("李娜"));
    if (number.isEmpty())
        QCOMPARE(QApplication::focusWidget(), m_dl->ComboBox1);
}

void TestLogin::logins_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("name");
    QTest::newRow("super user") << "001"
                                << "1" << QStringLiteral("管理员");
    QTest::newRow("salesperson is the biller all the same") << "003"
                                                            << "1" << QStringLiteral("张伟");
    QTest::newRow("number not in the list") << "005"
                                            << "Abc" << QStringLiteral("新来的");
    QTest::newRow("password in another letter case") << "005"
                                                     << "aBC" << QStringLiteral("新来的");
}

void TestLogin::logins() {
    QFETCH(QString, number);
    QFETCH(QString, password);
    QFETCH(QString, name);
    showLogin();
    // Added after the list was made: typed, not chosen.
    QVERIFY(
        QSqlQuery(m_dm->democnn.Database())
            .exec(QStringLiteral("insert into zgxxb (zgxm, py, bz, mm) values ('新来的', '005', '销售员', 'Abc')")));
    attempt(number, password);
    QVERIFY(Msg::TakeShown().isEmpty());
    QVERIFY(m_dl->LoggedIn());
    QVERIFY(!m_dl->isVisible());
    QCOMPARE(m_dl->result(), int(QDialog::Accepted));
    QCOMPARE(Operator::Current(), number);
    QCOMPARE(m_settings->str_kpy, name);
    const TGlobal written(m_folder->SettingsPath());
    QCOMPARE(written.str_kpy, name);
    QCOMPARE(written.strdyf, QStringLiteral("N")); // all nine keys are there
    QVERIFY(m_folder->ReadFile(QStringLiteral("kelvaro.ini")).startsWith("[Judge]\n"));
}

void TestLogin::enterWalksToTheLogin() {
    showLogin();
    m_dl->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dl.get()));
    m_dl->ComboBox1->setFocus();
    m_dl->ComboBox1->setEditText(QStringLiteral("002"));
    QTest::keyClick(m_dl->ComboBox1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), m_dl->Edit1);
    QCOMPARE(m_dl->ComboBox1->count(), 4); // Enter added nothing to the list
    QTest::keyClicks(m_dl->Edit1, QStringLiteral("1"));
    QTest::keyClick(m_dl->Edit1, Qt::Key_Return);
    QVERIFY(m_dl->LoggedIn());
    QCOMPARE(Operator::Current(), QStringLiteral("002"));
}

void TestLogin::unwritableSettingsKeepTheDialogOpen() {
    QVERIFY(QDir().mkdir(m_folder->SettingsPath()));
    showLogin();
    attempt(QStringLiteral("002"), QStringLiteral("1"));
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].icon, Msg::Icon::Error);
    QCOMPARE(shown[0].text, QStringLiteral("Unable to write to %1.").arg(m_folder->SettingsPath()));
    QVERIFY(m_dl->isVisible());
    QVERIFY(!m_dl->LoggedIn());
    QCOMPARE(Operator::Current(), QString());
    QVERIFY(!App::Terminated());
}

void TestLogin::leavingWithoutLoginEndsTheProgram_data() {
    QTest::addColumn<bool>("exitButton"); // otherwise the window system closes it
    QTest::newRow("退出") << true;
    QTest::newRow("closed from outside") << false;
}

void TestLogin::leavingWithoutLoginEndsTheProgram() {
    QFETCH(bool, exitButton);
    showLogin();
    if (exitButton)
        QTest::mouseClick(m_dl->BitBtn2, Qt::LeftButton);
    else
        m_dl->close();
    QVERIFY(App::Terminated());
    QVERIFY(!m_dl->isVisible());
    QVERIFY(!m_dl->LoggedIn());
}

void TestLogin::escapeDoesNotLeave() {
    showLogin();
    QTest::keyClick(m_dl.get(), Qt::Key_Escape);
    QVERIFY(m_dl->isVisible());
    QVERIFY(!App::Terminated());
}

void TestLogin::mainWindowIsNotPreparedWithoutALogin() {
    MainWindowFixture f;
    Modal::SetScripted(true); // drop the fixture's login
    Modal::Queue([](QDialog &dialog) { QTest::mouseClick(static_cast<TFormdl &>(dialog).BitBtn2, Qt::LeftButton); });
    f.form->show();
    QTRY_VERIFY(App::Terminated());
    QTest::qWait(50);
    QCOMPARE(f.form->TabSheet1->Edit(5)->text(), QString()); // start-up stopped after the login
    QCOMPARE(f.form->TabSheet1->ComboBox2->count(), 0);
}

void TestLogin::passwordRefusals_data() {
    QTest::addColumn<QString>("oldPassword");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("again");
    QTest::addColumn<QString>("message");
    QTest::newRow("old missing") << ""
                                 << "2"
                                 << "2" << QStringLiteral("密码录入不全！");
    QTest::newRow("repeat missing") << "1"
                                    << "2"
                                    << "" << QStringLiteral("密码录入不全！");
    QTest::newRow("repeat differs") << "1"
                                    << "2"
                                    << "3" << QStringLiteral("密码和确认密码不相同！");
    QTest::newRow("repeat differs in case") << "1"
                                            << "ab"
                                            << "AB" << QStringLiteral("密码和确认密码不相同！");
    QTest::newRow("old wrong") << "9"
                               << "2"
                               << "2" << QStringLiteral("原密码输入不对！");
}

void TestLogin::passwordRefusals() {
    QFETCH(QString, oldPassword);
    QFETCH(QString, newPassword);
    QFETCH(QString, again);
    QFETCH(QString, message);
    Database::Open(*m_dm);
    m_dm->qzg.SQL.Add(QStringLiteral("select * from zgxxb  order by iid "));
    m_dm->qzg.Open();
    m_dm->qzg.SetRecNo(2); // 003
    TFormmmxg dialog;
    dialog.SetDataModule(m_dm.get());
    dialog.show();
    dialog.Edit1->setText(oldPassword);
    dialog.Edit2->setText(newPassword);
    dialog.Edit3->setText(again);
    QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, message);
    QVERIFY(dialog.isVisible());
    QCOMPARE(storedPassword(QStringLiteral("003")), QStringLiteral("1"));
}

void TestLogin::passwordChangeOfTheSelectedEmployee() {
    Database::Open(*m_dm);
    m_dm->qzg.SQL.Add(QStringLiteral("select * from zgxxb  order by iid "));
    m_dm->qzg.Open();
    m_dm->qzg.SetRecNo(3); // 004, while nobody or anybody is logged in
    TFormmmxg dialog;
    dialog.SetDataModule(m_dm.get());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("登录密码修改"));
    Modal::Queue([](QDialog &d) {
        auto &m = static_cast<TFormmmxg &>(d);
        m.Edit1->setText(QStringLiteral("1"));
        m.Edit2->setText(QStringLiteral("Secret"));
        m.Edit3->setText(QStringLiteral("Secret"));
        QTest::mouseClick(m.BitBtn1, Qt::LeftButton);
    });
    QCOMPARE(Modal::Exec(dialog), int(QDialog::Accepted));
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("登录密码修改成功！"));
    QCOMPARE(storedPassword(QStringLiteral("004")), QStringLiteral("Secret"));
    QCOMPARE(storedPassword(QStringLiteral("001")), QStringLiteral("1"));

    // The next use finds the fields as they were; "返回" changes nothing.
    QString oldSeen;
    Modal::Queue([&oldSeen](QDialog &d) {
        auto &m = static_cast<TFormmmxg &>(d);
        oldSeen = m.Edit1->text() + QLatin1Char('/') + m.Edit3->text();
        QTest::mouseClick(m.BitBtn2, Qt::LeftButton);
    });
    QCOMPARE(Modal::Exec(dialog), int(QDialog::Rejected));
    QCOMPARE(oldSeen, QStringLiteral("1/Secret"));
    QCOMPARE(storedPassword(QStringLiteral("004")), QStringLiteral("Secret"));
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
