#include "text/numtext.h"

#include "shell/errors.h"

#include <QByteArray>
#include <cmath>
#include <cstdio>
#include <string>

namespace NumText {
namespace {

// Decimal digits of |value| rounded to 15 significant digits, trailing
// zeros removed, and the decimal exponent of the first digit.
struct Decimal {
    std::string digits; // "125" for 12.5
    int exponent = 0;   // 1 for 12.5 (1.25E1)
};

Decimal toDecimal15(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value)); // d.dddddddddddddde±xx
    Decimal d;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    if (*p == 'e')
        d.exponent = std::atoi(p + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

QString fixedFromDigits(const std::string &digits, int exponent, bool negative) {
    std::string out;
    if (exponent < 0) {
        out = "0.";
        out.append(static_cast<size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const size_t intDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out = digits;
            out.append(intDigits - digits.size(), '0');
        } else {
            out = digits.substr(0, intDigits) + "." + digits.substr(intDigits);
        }
    }
    if (negative)
        out.insert(out.begin(), '-');
    return QString::fromLatin1(out.c_str());
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ');
}

} // namespace

QString FloatToStr(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");
    const Decimal d = toDecimal15(value);
    const bool negative = value < 0;
    if (d.exponent < 15 && std::fabs(value) >= 0.00001)
        return fixedFromDigits(d.digits, d.exponent, negative);
    std::string out = negative ? "-" : "";
    out += d.digits.substr(0, 1);
    if (d.digits.size() > 1)
        out += "." + d.digits.substr(1);
    out += "E" + std::to_string(d.exponent);
    return QString::fromLatin1(out.c_str());
}

QString FormatFixed2(double value) {
    if (std::isnan(value) || std::isinf(value))
        return FloatToStr(value);
    // Round the 15-digit decimal form, not the binary value, so 1.005 gives
    // 1.01 as a person would expect.
    Decimal d = toDecimal15(value);
    const bool negative = value < 0;
    // Digits of the value scaled by 100, as an integer string.
    const int scaledExp = d.exponent + 2; // exponent of the first digit after *100
    std::string whole;                    // integer part of value*100
    int nextDigit = 0;                    // first dropped digit
    if (scaledExp < 0) {
        whole = "0";
        nextDigit = scaledExp == -1 ? d.digits[0] - '0' : 0;
    } else {
        const size_t keep = static_cast<size_t>(scaledExp) + 1;
        whole = d.digits.substr(0, std::min(keep, d.digits.size()));
        if (whole.size() < keep)
            whole.append(keep - whole.size(), '0');
        nextDigit = keep < d.digits.size() ? d.digits[keep] - '0' : 0;
    }
    if (nextDigit >= 5) {
        int i = static_cast<int>(whole.size()) - 1;
        for (; i >= 0; --i) {
            if (whole[i] == '9') {
                whole[i] = '0';
            } else {
                ++whole[i];
                break;
            }
        }
        if (i < 0)
            whole.insert(whole.begin(), '1');
    }
    while (whole.size() < 3)
        whole.insert(whole.begin(), '0');
    std::string out = whole.substr(0, whole.size() - 2) + "." + whole.substr(whole.size() - 2);
    const bool zero = whole.find_first_not_of('0') == std::string::npos;
    if (negative && !zero)
        out.insert(out.begin(), '-');
    return QString::fromLatin1(out.c_str());
}

bool TryStrToFloat(const QString &text, double *value) {
    // Blanks around the number, a sign, digits with at most one point and at
    // least one digit, an optional exponent.
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    qsizetype end = n;
    while (end > i && isBlank(text[end - 1]))
        --end;
    QByteArray ascii;
    qsizetype j = i;
    if (j < end && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
        ascii.append(text[j++].toLatin1());
    int mantissaDigits = 0;
    bool point = false;
    for (; j < end; ++j) {
        const QChar c = text[j];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ++mantissaDigits;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
        ascii.append(c.toLatin1());
    }
    if (mantissaDigits == 0)
        return false;
    if (j < end && (text[j] == QLatin1Char('e') || text[j] == QLatin1Char('E'))) {
        ascii.append('e');
        ++j;
        if (j < end && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ascii.append(text[j++].toLatin1());
        int expDigits = 0;
        for (; j < end && text[j] >= QLatin1Char('0') && text[j] <= QLatin1Char('9'); ++j, ++expDigits)
            ascii.append(text[j].toLatin1());
        if (expDigits == 0)
            return false;
    }
    if (j != end)
        return false;
    char *stop = nullptr;
    const double v = std::strtod(ascii.constData(), &stop);
    if (stop != ascii.constData() + ascii.size() || std::isinf(v))
        return false;
    *value = v;
    return true;
}

double StrToFloat(const QString &text) {
    double v = 0;
    if (!TryStrToFloat(text, &v))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

bool TryStrToInt(const QString &text, int *value) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    if (i == n)
        return false;
    long long v = 0;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + (c.unicode() - '0');
        if (v > 2147483648LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > 2147483647LL || v < -2147483648LL)
        return false;
    *value = static_cast<int>(v);
    return true;
}

int StrToInt(const QString &text) {
    int v = 0;
    if (!TryStrToInt(text, &v))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

} // namespace NumText
