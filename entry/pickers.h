#pragma once

#include "data/datasource.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class TDBGrid;
class TEdit;
class TQuery;

// A picker "信息查询": the rows of a look-up in a grid; the operator picks
// one with the arrow keys and Enter. Result 6 chooses, 7 cancels, the close
// box gives 2. The chosen row is the query's current row.
class TPickerForm : public QDialog {
    Q_OBJECT
public:
    enum Result { Choose = 6, Cancel = 7, Closed = 2 };

    void FormShow();
    void BitBtn1Click(); // search again
    void DBGrid1DblClick();
    void DBGrid1KeyPress(QChar &key);

    QGroupBox *GroupBox1 = nullptr;
    QPushButton *BitBtn2 = nullptr; // 选择
    QPushButton *BitBtn3 = nullptr; // 取消
    QLabel *Label1 = nullptr;
    TEdit *Edit1 = nullptr;
    QPushButton *BitBtn1 = nullptr; // 查询
    QLabel *Label2 = nullptr;       // the hint
    TDBGrid *DBGrid1 = nullptr;

public slots:
    void reject() override; // the close box

protected:
    TPickerForm(TDataSource &source, const QString &name, const QString &searchLabel, QVector<TColumn> columns,
                QString searchStatement, QString nameParam, QWidget *parent);
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ChooseIfRows();
    TDataSource &m_source;
    QString m_searchStatement;
    QString m_nameParam;
};

// The customer picker.
class TFormdckhxx : public TPickerForm {
    Q_OBJECT
public:
    TFormdckhxx(TDataSource &qdckh_s, QWidget *parent);
};

// The product picker.
class TFormdcspxx : public TPickerForm {
    Q_OBJECT
public:
    TFormdcspxx(TDataSource &qdcsp_s, QWidget *parent);
};
