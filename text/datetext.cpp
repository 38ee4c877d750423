#include "text/datetext.h"

#include "shell/clock.h"
#include "shell/errors.h"

#include <QList>

namespace DateText {
namespace {

// Reads a run of decimal digits; false when there is none.
bool readNumber(const QString &s, qsizetype &i, int &value, int &digits) {
    value = 0;
    digits = 0;
    while (i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9')) {
        if (digits >= 9)
            return false;
        value = value * 10 + (s[i].unicode() - '0');
        ++digits;
        ++i;
    }
    return digits > 0;
}

void skipBlanks(const QString &s, qsizetype &i) {
    while (i < s.size() && s[i] == QLatin1Char(' '))
        ++i;
}

// Two-digit years fall within the fifty years either side of this year.
int expandYear(int year, int digits) {
    if (digits > 2)
        return year;
    const int current = Clock::Today().year();
    int y = current / 100 * 100 + year;
    if (y > current + 50)
        y -= 100;
    else if (y <= current - 50)
        y += 100;
    return y;
}

} // namespace

QString DateToStr(const QDate &date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString TimeToStr(const QTime &time) {
    return time.toString(QStringLiteral("H:mm:ss"));
}

QString DateTimeToStr(const QDateTime &dateTime) {
    const QTime t = dateTime.time();
    if (t == QTime(0, 0))
        return DateToStr(dateTime.date());
    return DateToStr(dateTime.date()) + QLatin1Char(' ') + TimeToStr(t);
}

bool TryStrToDateTime(const QString &text, QDateTime *value) {
    qsizetype i = 0;
    skipBlanks(text, i);
    int year = 0, month = 0, day = 0, digits = 0, yearDigits = 0;
    if (!readNumber(text, i, year, yearDigits))
        return false;
    if (i >= text.size() || text[i] != QLatin1Char('-'))
        return false;
    ++i;
    if (!readNumber(text, i, month, digits) || i >= text.size() || text[i] != QLatin1Char('-'))
        return false;
    ++i;
    if (!readNumber(text, i, day, digits))
        return false;
    year = expandYear(year, yearDigits);
    const QDate date(year, month, day);
    if (year < 1 || year > 9999 || !date.isValid())
        return false;
    QTime time(0, 0);
    skipBlanks(text, i);
    if (i < text.size()) {
        int h = 0, m = 0, sec = 0;
        if (!readNumber(text, i, h, digits) || i >= text.size() || text[i] != QLatin1Char(':'))
            return false;
        ++i;
        if (!readNumber(text, i, m, digits))
            return false;
        if (i < text.size() && text[i] == QLatin1Char(':')) {
            ++i;
            if (!readNumber(text, i, sec, digits))
                return false;
        }
        skipBlanks(text, i);
        if (i != text.size() || h > 23 || m > 59 || sec > 59)
            return false;
        time = QTime(h, m, sec);
    }
    // Wall-clock values: no time zone, so no daylight-saving gap can shift them.
    *value = QDateTime(date, time, Qt::UTC);
    return true;
}

QDateTime StrToDateTime(const QString &text) {
    QDateTime v;
    if (!TryStrToDateTime(text, &v))
        throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    return v;
}

} // namespace DateText
