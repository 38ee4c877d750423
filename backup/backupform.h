#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QRadioButton;
class QTreeView;
class QFileSystemModel;
class TDemoDM;
class TEdit;

// "数据备份与恢复": copies the database file into a backup folder, and puts
// a backup back in its place.
class TFormxtbf : public QDialog {
    Q_OBJECT
public:
    TFormxtbf(TDemoDM &dm, QWidget *parent = nullptr);

    static QString DefaultFolder();
    void FormShow();
    void RadioButton1Click();
    void RadioButton2Click();
    void Edit1KeyPress(QChar &key);
    void BitBtn4Click(); // the folder chooser
    void BitBtn1Click(); // back up
    void BitBtn2Click(); // restore
    void BitBtn3Click(); // close

    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *BitBtn3 = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QLabel *Label1 = nullptr;
    TEdit *Edit1 = nullptr;
    QPushButton *BitBtn4 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Closes the connection for the file work, and always opens it again,
    // with the lists that were open.
    class Offline;
    TDemoDM &m_dm;
};

// "确定路径": a folder chooser over the mounted file systems.
class Tqdljfm : public QDialog {
    Q_OBJECT
public:
    Tqdljfm(TEdit *target, QWidget *parent = nullptr);

    // The mounted file systems offered as drives: the root, the home
    // folder's, removable media.
    static QStringList Drives();
    QString CurrentFolder() const;
    void SetFolder(const QString &folder);
    void DriveComboBox1Change();
    void BitBtn1Click(); // new folder
    void BitBtn2Click(); // accept

    QComboBox *DriveComboBox1 = nullptr;
    QTreeView *DirectoryListBox1 = nullptr;
    QListView *FileListBox1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;

private:
    void ShowDrive(const QString &root);
    void BackHome(const QString &message);
    TEdit *m_target;
    QFileSystemModel *m_dirs = nullptr;
    QFileSystemModel *m_files = nullptr;
    bool m_changing = false;
};
