#pragma once

#include <QString>

// Who is logged in.
namespace Operator {

// The super user's employee number: the only operator who may modify and
// reprint listed slips, and the employee who cannot be deleted.
inline QString SuperUserNumber() {
    return QStringLiteral("001");
}

// The employee number given at the login; empty until a login succeeds.
QString Current();
void SetCurrent(const QString &number);

} // namespace Operator
