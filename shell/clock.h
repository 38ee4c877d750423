#pragma once

#include <QDate>
#include <QDateTime>

// "Now" for the whole program; tests fix it so slip dates are predictable.
namespace Clock {

QDateTime Now();
QDate Today();
void SetFixed(const QDateTime &now); // an invalid value returns to the real clock

} // namespace Clock
