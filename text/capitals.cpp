#include "text/capitals.h"

namespace {

const QChar kNumerals[10] = {u'零', u'壹', u'贰', u'叁', u'肆', u'伍', u'陆', u'柒', u'捌', u'玖'};
const QChar kIntegerUnits[10] = {u'元', u'拾', u'佰', u'仟', u'万', u'拾', u'佰', u'仟', u'亿', u'拾'};
const QChar kDecimalUnits[3] = {QChar(), u'角', u'分'}; // by key; keys 3..9 have none

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The key of a position: the first digit of the position number.
int keyOf(int position) {
    while (position >= 10)
        position /= 10;
    return position;
}

QString numeral(QChar c) {
    return isDigit(c) ? QString(kNumerals[c.unicode() - '0']) : QString();
}

QString decimalUnit(int position) {
    const int key = keyOf(position);
    return key < 3 && !kDecimalUnits[key].isNull() ? QString(kDecimalUnits[key]) : QString();
}

} // namespace

QString AmountToCapitals(const QString &amount) {
    const qsizetype point = amount.indexOf(QLatin1Char('.'));
    const QStringView integerPart = point < 0 ? QStringView(amount) : QStringView(amount).left(point);
    const QStringView decimalPart = point < 0 ? QStringView() : QStringView(amount).mid(point + 1);

    QString result;
    bool pendingZero = false;
    const qsizetype digits = integerPart.size();
    for (qsizetype i = 0; i < digits; ++i) {
        const QChar c = integerPart[i];
        const int key = keyOf(static_cast<int>(digits - 1 - i));
        if (c == QLatin1Char('0')) {
            pendingZero = true;
            // Leading zeros reach the 万 position with nothing written yet:
            // there is nothing for 万 to stand after.
            if (key == 4 && !result.isEmpty() && !result.endsWith(u'亿'))
                result += u'万';
            if (key == 0)
                result += u'元';
            continue;
        }
        if (pendingZero)
            result += u'零';
        result += numeral(c);
        result += kIntegerUnits[key];
        pendingZero = false;
    }
    for (qsizetype i = 0; i < decimalPart.size(); ++i) {
        const QChar c = decimalPart[i];
        if (c == QLatin1Char('0')) {
            pendingZero = true;
            continue;
        }
        const QString unit = decimalUnit(static_cast<int>(i + 1));
        if (pendingZero && unit != QStringLiteral("角"))
            result += u'零';
        result += numeral(c);
        result += unit;
        pendingZero = false;
    }
    if (!result.contains(u'分'))
        result += u'整';
    return result;
}
