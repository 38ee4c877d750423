#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class TDemoDM;
class TFormdl;
class TFormmain;
class TFormmmxg;
class TGlobal;

// A program folder of its own for one test: a temporary folder that holds
// the program file's name, the first-content database and the settings
// file. Message boxes are scripted and ending the program is only recorded.
class ProgramFolder {
public:
    explicit ProgramFolder(bool withDatabase = true);
    ~ProgramFolder();

    QString Path(const QString &name) const { return m_dir.filePath(name); }
    QString DatabasePath() const { return Path(QStringLiteral("qvnDemo.mdb")); }
    QString SettingsPath() const { return Path(QStringLiteral("kelvaro.ini")); }
    void WriteFile(const QString &name, const QByteArray &bytes) const;
    QByteArray ReadFile(const QString &name) const;

private:
    QTemporaryDir m_dir;
};

// The main window as the program builds it, in a program folder of its own,
// with its login dialog answered as the super user.
struct MainWindowFixture {
    explicit MainWindowFixture(bool withDatabase = true, const QByteArray &settings = QByteArray());
    ~MainWindowFixture();
    // As the user selects a tab.
    void select(QWidget *page);
    // Answers the next login: the number typed, the password, "确定".
    static void QueueLogin(const QString &number, const QString &password);

    ProgramFolder folder;
    std::unique_ptr<TGlobal> global;
    std::unique_ptr<TFormmain> form;
    std::unique_ptr<TDemoDM> dm;
    std::unique_ptr<TFormmmxg> mmxg;
    std::unique_ptr<TFormdl> dl;
};
