#pragma once

#include <QByteArray>
#include <QString>

// GBK (code page 936), the code page of the program's stored text and of the
// settings file.
namespace Gbk {

// Characters without a GBK code become '?'.
QByteArray Encode(const QString &text);
QString Decode(const QByteArray &bytes);

} // namespace Gbk
