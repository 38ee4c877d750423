#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;

// "选择日期": a month calendar that always opens at today's date. Result 1
// is OK, 2 is cancel.
class TBrDateForm : public QDialog {
    Q_OBJECT
public:
    explicit TBrDateForm(QWidget *parent = nullptr);

    QDate Date() const { return m_date; }
    // Moves the calendar to a date, as clicking it does.
    void SetDate(const QDate &date);

    void prioryearClick();
    void nextyearClick();
    void PrevMonthBtnClick();
    void NextMonthBtnClick();
    void CalendarChange();
    void CalendarDblClick();

    QLabel *nf = nullptr;
    QLabel *yf = nullptr;
    QLabel *rq = nullptr;
    QCalendarWidget *Calendar = nullptr;
    QPushButton *prioryear = nullptr;
    QPushButton *nextyear = nullptr;
    QPushButton *PrevMonthBtn = nullptr;
    QPushButton *NextMonthBtn = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *cancelBtn = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ShowMonth();
    void StepYear(int years);
    QDate m_date;
    bool m_showingMonth = false;
};
