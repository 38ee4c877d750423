#include "backup/backupform.h"
#include "data/database.h"
#include "data/demodm.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/filedialogs.h"
#include "shell/look.h"
#include "shell/messages.h"
#include "shell/modal.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

// Backing up and restoring the database file.
class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Look::Apply(*qApp); }
    void init();
    void cleanup();

    void backupToTheDefaultFolder();
    void ownFolderIsRefused_data();
    void ownFolderIsRefused();
    void missingFolderIsRefused();
    void failedCopyKeepsTheOldBackup();
    void pathKeys_data();
    void pathKeys();
    void modeButtons();
    void restoreRoundTrip();
    void restoreRefusesOtherFiles();
    void chooserWritesTheFolder();

private:
    void exec(const QString &sql);
    int customers();
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<TDemoDM> m_dm;
    std::unique_ptr<TFormxtbf> m_form;
};

void TestBackup::init() {
    m_folder = std::make_unique<ProgramFolder>();
    FileDialogs::SetScripted(true);
    m_dm = std::make_unique<TDemoDM>();
    Database::Open(*m_dm);
    m_dm->qkh.SQL.Add(QStringLiteral("select * from app_khxxb order by iid "));
    m_dm->qkh.Open();
    m_form = std::make_unique<TFormxtbf>(*m_dm);
}

void TestBackup::cleanup() {
    m_form.reset();
    m_dm.reset();
    FileDialogs::SetScripted(false);
    m_folder.reset();
}

void TestBackup::exec(const QString &sql) {
    QVERIFY(QSqlQuery(m_dm->democnn.Database()).exec(sql));
}

int TestBackup::customers() {
    QSqlQuery q(m_dm->democnn.Database());
    q.exec(QStringLiteral("select count(*) from app_khxxb"));
    return q.next() ? q.value(0).toInt() : -1;
}

void TestBackup::backupToTheDefaultFolder() {
    QCOMPARE(m_form->Edit1->text(), m_folder->Path(QStringLiteral("backup")));
    QVERIFY(!m_form->Edit1->isEnabled());
    const QString backup = m_folder->Path(QStringLiteral("backup/qvnDemo.mdb"));
    for (int round = 0; round < 2; ++round) {
        exec(QStringLiteral("insert into app_khxxb (khxm) values ('客户')"));
        QTest::mouseClick(m_form->BitBtn1, Qt::LeftButton);
        const QList<Msg::Shown> shown = Msg::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("提示"));
        QCOMPARE(shown[0].text, QStringLiteral("数据备份完毕"));
        QCOMPARE(shown[0].icon, Msg::Icon::Information);
        QCOMPARE(m_form->result(), int(QDialog::Accepted));
        QVERIFY(m_dm->democnn.Connected());
        QVERIFY(m_dm->qkh.Active()); // the open list is open again
        // The newest backup replaced the one before.
        QCOMPARE(m_folder->ReadFile(QStringLiteral("backup/qvnDemo.mdb")),
                 m_folder->ReadFile(QStringLiteral("qvnDemo.mdb")));
    }
    QCOMPARE(QDir(m_folder->Path(QStringLiteral("backup"))).entryList(QDir::Files), QStringList{"qvnDemo.mdb"});
    QVERIFY(QFile::exists(backup));
}

void TestBackup::ownFolderIsRefused_data() {
    QTest::addColumn<QString>("spelling");
    QTest::newRow("the folder") << "";
    QTest::newRow("with a trailing separator") << "/";
    QTest::newRow("through a dot") << "/.";
    QTest::newRow("through a detour") << "/backup/..";
}

void TestBackup::ownFolderIsRefused() {
    QFETCH(QString, spelling);
    QDir().mkpath(m_folder->Path(QStringLiteral("backup")));
    const QByteArray before = m_folder->ReadFile(QStringLiteral("qvnDemo.mdb"));
    QTest::mouseClick(m_form->RadioButton2, Qt::LeftButton);
    m_form->Edit1->setText(QFileInfo(m_folder->DatabasePath()).absolutePath() + spelling);
    QTest::mouseClick(m_form->BitBtn1, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("备份路径不对，不能备份！"));
    QCOMPARE(shown[0].icon, Msg::Icon::None);
    QCOMPARE(m_folder->ReadFile(QStringLiteral("qvnDemo.mdb")), before);
    QVERIFY(m_dm->qkh.Active()); // the connection was never closed
}

void TestBackup::missingFolderIsRefused() {
    QTest::mouseClick(m_form->RadioButton2, Qt::LeftButton);
    m_form->Edit1->setText(m_folder->Path(QStringLiteral("no/such/folder")));
    QTest::mouseClick(m_form->BitBtn1, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("提示"));
    QCOMPARE(shown[0].text, QStringLiteral("路径不存在，不能备份！"));
    QVERIFY(m_dm->qkh.Active());
}

void TestBackup::failedCopyKeepsTheOldBackup() {
    // Something that cannot be replaced stands where the backup goes.
    const QString target = m_folder->Path(QStringLiteral("backup/qvnDemo.mdb"));
    QVERIFY(QDir().mkpath(target));
    m_folder->WriteFile(QStringLiteral("backup/qvnDemo.mdb/old"), "the old backup");
    QTest::mouseClick(m_form->BitBtn1, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("数据备份出错，请确定退出了所有应用程序！"));
    QCOMPARE(shown[0].icon, Msg::Icon::Information);
    QCOMPARE(m_folder->ReadFile(QStringLiteral("backup/qvnDemo.mdb/old")), QByteArray("the old backup"));
    QCOMPARE(QDir(m_folder->Path(QStringLiteral("backup"))).entryList(QDir::Files), QStringList()); // no stray copy
    QVERIFY(m_dm->democnn.Connected());
    QVERIFY(m_dm->qkh.Active());
    QVERIFY(m_form->result() != QDialog::Accepted);
}

void TestBackup::pathKeys_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::newRow("letters and digits") << "Backup2026"
                                        << "Backup2026";
    QTest::newRow("separators and punctuation dropped") << "a:\\b/c.d e-f"
                                                        << "abcdef";
}

void TestBackup::pathKeys() {
    QFETCH(QString, typed);
    QFETCH(QString, text);
    m_form->show();
    QTest::mouseClick(m_form->RadioButton2, Qt::LeftButton);
    m_form->Edit1->clear();
    QTest::keyClicks(m_form->Edit1, typed);
    QCOMPARE(m_form->Edit1->text(), text);
    QTest::keyClick(m_form->Edit1, Qt::Key_Backspace);
    QCOMPARE(m_form->Edit1->text(), text.chopped(1));
}

void TestBackup::modeButtons() {
    m_form->show();
    QTest::mouseClick(m_form->RadioButton2, Qt::LeftButton);
    QVERIFY(m_form->Edit1->isEnabled());
    QVERIFY(m_form->BitBtn4->isEnabled());
    QCOMPARE(m_form->Edit1->text(), m_folder->Path(QStringLiteral("backup"))); // kept
    m_form->Edit1->setText(QStringLiteral("elsewhere"));
    QTest::mouseClick(m_form->RadioButton1, Qt::LeftButton);
    QCOMPARE(m_form->Edit1->text(), m_folder->Path(QStringLiteral("backup")));
    QVERIFY(!m_form->Edit1->isEnabled());
}

void TestBackup::restoreRoundTrip() {
    exec(QStringLiteral("insert into app_khxxb (khxm) values ('备份前')"));
    QTest::mouseClick(m_form->BitBtn1, Qt::LeftButton);
    Msg::TakeShown();
    exec(QStringLiteral("insert into app_khxxb (khxm) values ('备份后')"));
    QCOMPARE(customers(), 2);

    TFormxtbf again(*m_dm);
    FileDialogs::QueueAnswer(m_folder->Path(QStringLiteral("backup/qvnDemo.mdb")));
    Msg::QueueAnswer(Msg::Answer::Yes);
    QTest::mouseClick(again.BitBtn2, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].title, QStringLiteral("询问"));
    QVERIFY(shown[1].text.startsWith(QStringLiteral("数据恢复完毕")));
    QCOMPARE(customers(), 1);
    QVERIFY(m_dm->qkh.Active());
    QCOMPARE(m_dm->qkh.RecordCount(), 1);
    // The data before the restore is kept beside the database.
    const QStringList safety = QDir(QFileInfo(m_folder->DatabasePath()).absolutePath())
                                   .entryList({QStringLiteral("qvnDemo.mdb.before-restore-*")});
    QCOMPARE(safety.size(), 1);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("safety"));
        db.setDatabaseName(m_folder->Path(safety.first()));
        QVERIFY(db.open());
        QSqlQuery q(db);
        q.exec(QStringLiteral("select count(*) from app_khxxb"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 2);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("safety"));
}

void TestBackup::restoreRefusesOtherFiles() {
    m_folder->WriteFile(QStringLiteral("junk.mdb"), "not a database at all");
    const QByteArray before = m_folder->ReadFile(QStringLiteral("qvnDemo.mdb"));
    FileDialogs::QueueAnswer(m_folder->Path(QStringLiteral("junk.mdb")));
    QTest::mouseClick(m_form->BitBtn2, Qt::LeftButton);
    const QList<Msg::Shown> shown = Msg::TakeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("所选文件不是本系统的数据库，不能恢复！"));
    QCOMPARE(m_folder->ReadFile(QStringLiteral("qvnDemo.mdb")), before);
    QVERIFY(m_dm->qkh.Active());
    QCOMPARE(QDir(QFileInfo(m_folder->DatabasePath()).absolutePath()).entryList({QStringLiteral("*.before-restore-*")}),
             QStringList());
}

void TestBackup::chooserWritesTheFolder() {
    const QString place = m_folder->Path(QStringLiteral("u盘"));
    QVERIFY(QDir().mkpath(place));
    Tqdljfm chooser(m_form->Edit1, m_form.get());
    QVERIFY(Tqdljfm::Drives().contains(QStringLiteral("/")));
    chooser.SetFolder(place);
    Modal::Queue([](QDialog &dialog) {
        auto &input = static_cast<QInputDialog &>(dialog);
        QCOMPARE(input.windowTitle(), QStringLiteral("新建文件夹"));
        input.setTextValue(QStringLiteral("每日备份"));
        input.accept();
    });
    QTest::mouseClick(chooser.BitBtn1, Qt::LeftButton);
    QVERIFY(QFileInfo(place + QStringLiteral("/每日备份")).isDir());
    QTest::mouseClick(chooser.BitBtn2, Qt::LeftButton);
    QCOMPARE(m_form->Edit1->text(), place);
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
