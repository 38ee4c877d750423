#include "shell/clock.h"

namespace Clock {
namespace {
QDateTime &fixed() {
    static QDateTime f;
    return f;
}
} // namespace

QDateTime Now() {
    return fixed().isValid() ? fixed() : QDateTime::currentDateTime();
}

QDate Today() {
    return Now().date();
}

void SetFixed(const QDateTime &now) {
    fixed() = now;
}

} // namespace Clock
