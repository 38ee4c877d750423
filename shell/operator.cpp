#include "shell/operator.h"

namespace Operator {
namespace {
QString &current() {
    static QString c;
    return c;
}
} // namespace

QString Current() {
    return current();
}

void SetCurrent(const QString &number) {
    current() = number;
}

} // namespace Operator
