#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// Date and time text of the whole program: dates "yyyy-MM-dd", times
// "H:mm:ss"; a date-time at midnight is written as the date alone.
namespace DateText {

QString DateToStr(const QDate &date);
QString TimeToStr(const QTime &time);
QString DateTimeToStr(const QDateTime &dateTime);

// Year, month and day as numbers, in this order, separated by hyphens
// (leading zeros optional), optionally followed by a blank and a time
// "H:mm" or "H:mm:ss". Raises "'%s' is not a valid date and time".
QDateTime StrToDateTime(const QString &text);
bool TryStrToDateTime(const QString &text, QDateTime *value);

} // namespace DateText
