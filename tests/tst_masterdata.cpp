#include "data/dbgrid.h"
#include "data/demodm.h"
#include "entry/entrytab.h"
#include "masterdata/mastertab.h"
#include "shell/controls.h"
#include "shell/formmain.h"
#include "shell/formmmxg.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"
#include "testsupport.h"

#include <QApplication>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

// Customers, products and employees on the master-data tab.
class TestMasterData : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Look::Apply(*qApp); }
    void init();
    void cleanup() { m_f.reset(); }

    void customerIsSavedWithInitials();
    void customerNameRequired();
    void productPrices_data();
    void productPrices();
    void enterMovesOn();
    void deleteCustomerAndProduct();
    void employeeRefusals_data();
    void employeeRefusals();
    void employeeAdded();
    void employeeDelete();
    void passwordButton();

private:
    TMasterTab &tab() { return *m_f->form->TabSheet3; }
    QStringList column(const QString &sql);
    std::unique_ptr<MainWindowFixture> m_f;
};

void TestMasterData::init() {
    m_f = std::make_unique<MainWindowFixture>();
    m_f->form->FormShow();
    m_f->form->show();
    m_f->form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_f->form.get()));
    m_f->select(m_f->form->TabSheet3);
}

QStringList TestMasterData::column(const QString &sql) {
    QStringList out;
    QSqlQuery q(m_f->dm->democnn.Database());
    q.exec(sql);
    while (q.next())
        out << q.value(0).toString();
    return out;
}

void TestMasterData::customerIsSavedWithInitials() {
    for (int i = 0; i < 2; ++i) { // the same name twice gives two rows
        tab().Edit41->setText(QStringLiteral("张三"));
        tab().Edit42->setText(QStringLiteral("139"));
        tab().Edit43->setText(QStringLiteral("北京路"));
        QTest::mouseClick(tab().BitBtn22, Qt::LeftButton);
    }
    tab().Edit41->setText(QStringLiteral("  "));
    QTest::mouseClick(tab().BitBtn22, Qt::LeftButton);
    QCOMPARE(
        column(QStringLiteral("select khxm || '|' || pyzjh || '|' || lxdh || '|' || khdz from app_khxxb order by iid")),
        (QStringList{QStringLiteral("张三|zs|139|北京路"), QStringLiteral("张三|zs|139|北京路"),
                     QStringLiteral("  |||")}));
    QCOMPARE(tab().Edit41->text(), QString());
    QCOMPARE(tab().Edit43->text(), QString());
    QCOMPARE(QApplication::focusWidget(), tab().Edit41);
    QCOMPARE(tab().DBGrid2->model()->rowCount(), 3);
    QCOMPARE(tab().DBGrid2->model()->index(0, 1).data().toString(), QStringLiteral("zs"));
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestMasterData::customerNameRequired() {
    tab().Edit42->setText(QStringLiteral("139"));
    QTest::mouseClick(tab().BitBtn22, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("姓名不能为空！"));
    QCOMPARE(tab().Edit42->text(), QStringLiteral("139"));
    QVERIFY(column(QStringLiteral("select khxm from app_khxxb")).isEmpty());
}

void TestMasterData::productPrices_data() {
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("stored"); // empty: nothing stored
    QTest::addColumn<QString>("message");
    QTest::newRow("price") << "12.5"
                           << "12.5"
                           << "";
    QTest::newRow("no price is 0") << ""
                                   << "0.0"
                                   << "";
    QTest::newRow("not a number") << "12a"
                                  << ""
                                  << "'12a' is not a valid floating point value.";
}

void TestMasterData::productPrices() {
    QFETCH(QString, price);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    tab().Edit44->setText(QStringLiteral("电饭煲"));
    tab().Edit45->setText(price);
    QTest::mouseClick(tab().BitBtn24, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(shown[0].text, message);
        QCOMPARE(tab().Edit44->text(), QStringLiteral("电饭煲"));
    }
    QCOMPARE(column(QStringLiteral("select pyzjh || '|' || dj from app_spxxb")),
             stored.isEmpty() ? QStringList() : QStringList{QStringLiteral("dfb|") + stored});
}

void TestMasterData::enterMovesOn() {
    tab().Edit41->setFocus();
    QTest::keyClick(tab().Edit41, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), tab().Edit42);
    QTest::keyClick(tab().Edit42, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), tab().Edit43);
    tab().Edit43->setText(QStringLiteral("x"));
    QTest::keyClick(tab().Edit43, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), tab().Edit43); // Enter never saves
    QVERIFY(column(QStringLiteral("select khxm from app_khxxb")).isEmpty());
    tab().Edit44->setFocus();
    QTest::keyClick(tab().Edit44, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), tab().Edit45);
}

void TestMasterData::deleteCustomerAndProduct() {
    QSqlQuery q(m_f->dm->democnn.Database());
    q.exec(QStringLiteral("insert into app_khxxb (khxm) values ('甲'), ('乙')"));
    q.exec(QStringLiteral("insert into app_spxxb (spmc) values ('冰箱')"));
    m_f->select(m_f->form->TabSheet1);
    m_f->select(m_f->form->TabSheet3);
    m_f->dm->qkh.SetRecNo(1);
    Msg::QueueAnswer(Msg::Answer::No);
    QTest::mouseClick(tab().BitBtn23, Qt::LeftButton);
    QCOMPARE(column(QStringLiteral("select khxm from app_khxxb")).size(), 2);
    QTest::mouseClick(tab().BitBtn23, Qt::LeftButton);
    QCOMPARE(column(QStringLiteral("select khxm from app_khxxb")), QStringList{QStringLiteral("甲")});
    QTest::mouseClick(tab().BitBtn25, Qt::LeftButton);
    QVERIFY(column(QStringLiteral("select spmc from app_spxxb")).isEmpty());
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown[0].text, QStringLiteral("您确定要删除客户姓名为：乙记录吗？"));
    QCOMPARE(shown[2].text, QStringLiteral("您确定要删除商品名称为：冰箱记录吗？"));
    // An empty list: nothing asked.
    QTest::mouseClick(tab().BitBtn25, Qt::LeftButton);
    QVERIFY(Msg::TakeShown().isEmpty());
}

void TestMasterData::employeeRefusals_data() {
    QTest::addColumn<QStringList>("fields"); // name, number, type, password, again
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("name") << QStringList{"", "005", "销售员", "1", "1"} << QStringLiteral("员工姓名不能为空！")
                          << "Edit46";
    QTest::newRow("number") << QStringList{"甲", "", "销售员", "1", "1"} << QStringLiteral("员工编号不能为空！")
                            << "Edit47";
    QTest::newRow("type") << QStringList{"甲", "005", "", "1", "1"} << QStringLiteral("员工类型不能为空！")
                          << "ComboBox3";
    QTest::newRow("password") << QStringList{"甲", "005", "销售员", "", "1"} << QStringLiteral("登录密码不能为空！")
                              << "Edit48";
    QTest::newRow("again") << QStringList{"甲", "005", "销售员", "1", ""} << QStringLiteral("确认密码不能为空！")
                           << "Edit49";
    QTest::newRow("mismatch in case") << QStringList{"甲", "005", "销售员", "ab", "AB"}
                                      << QStringLiteral("登密码和确认密码不相同，不能保存数据！") << "Edit46";
    QTest::newRow("number taken") << QStringList{"甲", "002", "销售员", "1", "1"}
                                  << QStringLiteral("员工编号相同，不能保存！") << "Edit46";
}

void TestMasterData::employeeRefusals() {
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    tab().Edit46->setText(fields[0]);
    tab().Edit47->setText(fields[1]);
    tab().ComboBox3->setEditText(fields[2]);
    tab().Edit48->setText(fields[3]);
    tab().Edit49->setText(fields[4]);
    tab().Edit46->setFocus();
    QTest::mouseClick(tab().SpeedButton17, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, message);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(column(QStringLiteral("select py from zgxxb")).size(), 4);
    QCOMPARE(tab().Edit46->text(), fields[0]);
}

void TestMasterData::employeeAdded() {
    tab().Edit46->setText(QStringLiteral("王丽")); // a shared name is fine
    tab().Edit47->setText(QStringLiteral("005"));
    tab().ComboBox3->setEditText(QStringLiteral("库管"));
    tab().Edit48->setText(QStringLiteral("pw"));
    tab().Edit49->setText(QStringLiteral("pw"));
    QTest::mouseClick(tab().SpeedButton17, Qt::LeftButton);
    QVERIFY(Msg::TakeShown().isEmpty());
    QCOMPARE(
        column(QStringLiteral("select zgxm || '|' || py || '|' || bz || '|' || mm from zgxxb order by iid")).last(),
        QStringLiteral("王丽|005|库管|pw"));
    QCOMPARE(tab().DBGrid4->model()->rowCount(), 5);
    QCOMPARE(tab().DBGrid4->model()->index(4, 1).data().toString(), QStringLiteral("005"));
    QCOMPARE(tab().DBGrid4->model()->columnCount(), 3); // the password is never shown
    for (TEdit *e : {tab().Edit46, tab().Edit47, tab().Edit48, tab().Edit49})
        QCOMPARE(e->text(), QString());
    QCOMPARE(tab().ComboBox3->currentText(), QString());
    QCOMPARE(QApplication::focusWidget(), tab().Edit46);
}

void TestMasterData::employeeDelete() {
    QSqlQuery(m_f->dm->democnn.Database()).exec(QStringLiteral("insert into zgxxb (zgxm, py) values ('王丽', '007')"));
    m_f->select(m_f->form->TabSheet1);
    m_f->select(m_f->form->TabSheet3);
    m_f->dm->qzg.SetRecNo(0); // the super user
    QTest::mouseClick(tab().SpeedButton18, Qt::LeftButton);
    QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 2); // the question first, then the refusal
    QCOMPARE(shown[0].text, QStringLiteral("您确定要删除员工姓名为：管理员记录吗？"));
    QCOMPARE(shown[1].text, QStringLiteral("系统超级用户不能删除"));
    m_f->dm->qzg.SetRecNo(1); // 王丽: both rows of the name go
    QTest::mouseClick(tab().SpeedButton18, Qt::LeftButton);
    QCOMPARE(column(QStringLiteral("select py from zgxxb order by iid")), (QStringList{"001", "003", "004"}));
    QCOMPARE(tab().DBGrid4->model()->rowCount(), 3);
}

void TestMasterData::passwordButton() {
    m_f->dm->qzg.SetRecNo(2);
    bool shown = false;
    Modal::Queue([&shown](QDialog &dialog) {
        shown = qobject_cast<TFormmmxg *>(&dialog) != nullptr;
        dialog.reject();
    });
    Msg::QueueAnswer(Msg::Answer::No);
    QTest::mouseClick(tab().SpeedButton25, Qt::LeftButton);
    QVERIFY(!shown);
    QTest::mouseClick(tab().SpeedButton25, Qt::LeftButton);
    QVERIFY(shown);
    const QList<Msg::Shown> asked = Msg::TakeShown();
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked[1].text, QStringLiteral("您确定要修改姓名为：张伟的密码吗？"));
    // With no list, the button does nothing.
    m_f->dm->qzg.Close();
    QTest::mouseClick(tab().SpeedButton25, Qt::LeftButton);
    QVERIFY(Msg::TakeShown().isEmpty());
}

QTEST_MAIN(TestMasterData)
#include "tst_masterdata.moc"
