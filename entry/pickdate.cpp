#include "entry/pickdate.h"

#include "shell/clock.h"
#include "shell/errors.h"
#include "shell/guard.h"
#include "shell/look.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTextCharFormat>

TBrDateForm::TBrDateForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_date(Clock::Today()) {
    setObjectName(QStringLiteral("BrDateForm"));
    setWindowTitle(QStringLiteral("选择日期"));
    setFont(Look::Song(12));
    setFixedSize(436, 264);

    // The top line: year, month and day of the calendar's date.
    const auto number = [this](const char *name, int x) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setFont(Look::Song(14, true));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setGeometry(x, 12, 44, 20);
        return l;
    };
    const auto unit = [this](const QString &text, int x) {
        auto *l = new QLabel(text, this);
        l->setGeometry(x, 12, 20, 20);
    };
    nf = number("nf", 16);
    unit(QStringLiteral("年"), 62);
    yf = number("yf", 80);
    unit(QStringLiteral("月"), 126);
    rq = number("rq", 144);
    unit(QStringLiteral("日"), 190);

    auto *bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setGeometry(12, 40, 333, 191);
    Calendar = new QCalendarWidget(bevel);
    Calendar->setObjectName(QStringLiteral("Calendar"));
    Calendar->setGeometry(4, 4, 325, 183);
    Calendar->setFirstDayOfWeek(Qt::Sunday);
    Calendar->setNavigationBarVisible(false);
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    Calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    Calendar->setGridVisible(true);
    connect(Calendar, &QCalendarWidget::selectionChanged, this, [this] {
        if (!m_showingMonth && Calendar->selectedDate() != m_date) {
            m_date = Calendar->selectedDate();
            Guarded([this] { CalendarChange(); });
        }
    });
    // A double click on a day, or Enter in the calendar, confirms it.
    connect(Calendar, &QCalendarWidget::activated, this, [this] { Guarded([this] { CalendarDblClick(); }); });

    const auto button = [this](const char *name, const QString &caption, int index, bool flat) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(352, 40 + index * 32, 72, 26);
        b->setFlat(flat);
        b->setAutoDefault(false);
        if (flat)
            b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    prioryear = button("prioryear", QStringLiteral("上年&P"), 0, true);
    nextyear = button("nextyear", QStringLiteral("下年&N"), 1, true);
    PrevMonthBtn = button("PrevMonthBtn", QStringLiteral("上月&S"), 2, true);
    NextMonthBtn = button("NextMonthBtn", QStringLiteral("下月&X"), 3, true);
    OKBtn = button("OKBtn", QStringLiteral("确定&Y"), 4, false);
    cancelBtn = button("cancelBtn", QStringLiteral("关闭&C "), 5, false);
    OKBtn->setAutoDefault(true);
    OKBtn->setDefault(true);
    connect(prioryear, &QPushButton::clicked, this, [this] { Guarded([this] { prioryearClick(); }); });
    connect(nextyear, &QPushButton::clicked, this, [this] { Guarded([this] { nextyearClick(); }); });
    connect(PrevMonthBtn, &QPushButton::clicked, this, [this] { Guarded([this] { PrevMonthBtnClick(); }); });
    connect(NextMonthBtn, &QPushButton::clicked, this, [this] { Guarded([this] { NextMonthBtnClick(); }); });
    connect(OKBtn, &QPushButton::clicked, this, [this] { done(1); });
    connect(cancelBtn, &QPushButton::clicked, this, [this] { done(2); });
    setTabOrder(Calendar, OKBtn);
    setTabOrder(OKBtn, cancelBtn);

    ShowMonth();
    CalendarChange();
}

void TBrDateForm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    CalendarChange();
    Calendar->setFocus();
}

void TBrDateForm::ShowMonth() {
    // Only the days of the date's month can be chosen, and only they are drawn.
    // The calendar moves its selection while its range changes; that is not
    // the operator choosing a day.
    const QScopedValueRollback<bool> showing(m_showingMonth, true);
    const QDate first(m_date.year(), m_date.month(), 1);
    const QDate last(m_date.year(), m_date.month(), m_date.daysInMonth());
    Calendar->setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat hidden;
    hidden.setForeground(Qt::transparent);
    for (int i = 1; i <= 14; ++i) {
        Calendar->setDateTextFormat(first.addDays(-i), hidden);
        Calendar->setDateTextFormat(last.addDays(i), hidden);
    }
    Calendar->setDateRange(first, last);
    Calendar->setCurrentPage(m_date.year(), m_date.month());
    Calendar->setSelectedDate(m_date);
}

void TBrDateForm::SetDate(const QDate &date) {
    if (!date.isValid() || date == m_date)
        return;
    m_date = date;
    ShowMonth();
    CalendarChange();
}

void TBrDateForm::CalendarChange() {
    nf->setText(QString::number(m_date.year()));
    yf->setText(QString::number(m_date.month()));
    rq->setText(QString::number(m_date.day()));
}

void TBrDateForm::CalendarDblClick() {
    done(1);
}

void TBrDateForm::StepYear(int years) {
    const QDate target(m_date.year() + years, m_date.month(), m_date.day());
    if (!target.isValid())
        throw Exception(QStringLiteral("Invalid argument to date encode"));
    SetDate(target);
}

void TBrDateForm::prioryearClick() {
    StepYear(-1);
}

void TBrDateForm::nextyearClick() {
    StepYear(1);
}

// QDate::addMonths keeps the day where the target month has it and takes the
// month's last day where it does not.
void TBrDateForm::PrevMonthBtnClick() {
    SetDate(m_date.addMonths(-1));
}

void TBrDateForm::NextMonthBtnClick() {
    SetDate(m_date.addMonths(1));
}
