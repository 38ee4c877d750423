#include "data/demodm.h"

namespace {
QString uniqueConnectionName() {
    static int n = 0;
    return QStringLiteral("democnn_%1").arg(++n);
}
} // namespace

TDemoDM::TDemoDM(QObject *parent) : QObject(parent), democnn(uniqueConnectionName()) {
    setObjectName(QStringLiteral("DemoDM"));
    qkdst.SQL.Add(QStringLiteral("select * from  app_djbdy"));
}
