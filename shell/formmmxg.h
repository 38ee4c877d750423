#pragma once

#include <QDialog>

class QPushButton;
class TDemoDM;
class TEdit;

// "登录密码修改": changes the password of the employee that is the current
// row of the employee list qzg. The fields keep their texts between uses.
class TFormmmxg : public QDialog {
    Q_OBJECT
public:
    explicit TFormmmxg(QWidget *parent = nullptr);
    void SetDataModule(TDemoDM *dm) { m_dm = dm; }

    void BitBtn1Click(); // 确定
    void BitBtn2Click(); // 返回

    TEdit *Edit1 = nullptr; // old password
    TEdit *Edit2 = nullptr; // new password
    TEdit *Edit3 = nullptr; // new password again
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;

private:
    TDemoDM &DM() const;
    TDemoDM *m_dm = nullptr;
};
