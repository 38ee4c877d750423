#pragma once

#include <QString>

// An amount in Chinese capital numerals (大写金额): "105.00" gives
// "壹佰零伍元整". Any text is accepted; nothing fails.
QString AmountToCapitals(const QString &amount);
