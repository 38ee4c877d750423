#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TComboBox;
class TDemoDM;
class TEdit;
class TGlobal;

// The login dialog "用户登陆": an employee number and a password. It closes
// of its own accord only after a successful login; "退出" ends the program.
class TFormdl : public QDialog {
    Q_OBJECT
public:
    explicit TFormdl(TGlobal &settings, QWidget *parent = nullptr);
    void SetDataModule(TDemoDM *dm) { m_dm = dm; }

    void FormShow();
    void BitBtn1Click(); // 确定
    void BitBtn2Click(); // 退出
    bool LoggedIn() const { return m_loggedIn; }

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    TComboBox *ComboBox1 = nullptr;
    TEdit *Edit1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;

public slots:
    // Closing the dialog any other way than by its buttons is "退出": the
    // main window is never reached without a login.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TDemoDM &DM() const;
    TGlobal &m_settings;
    TDemoDM *m_dm = nullptr;
    bool m_loggedIn = false;
};
