#pragma once

#include "data/connection.h"
#include "data/datasource.h"
#include "data/query.h"

#include <QObject>

// The report's name for a data set: the template reads the print buffer
// through it.
class TReportDataSet {
public:
    TReportDataSet(TQuery &dataSet, QString name) : m_dataSet(dataSet), m_name(std::move(name)) {}
    TQuery &DataSet() const { return m_dataSet; }
    const QString &Name() const { return m_name; }
    bool Visible = true;

private:
    TQuery &m_dataSet;
    QString m_name;
};

// The data module: the one connection and every named query the program
// shares. The connection stays closed until the database is opened.
class TDemoDM : public QObject {
    Q_OBJECT
public:
    explicit TDemoDM(QObject *parent = nullptr);

    // Declared first: destroyed last, after every query that uses it.
    TConnection democnn;

    TQuery qlsh{democnn, QStringLiteral("qlsh"), this};
    TQuery qcx{democnn, QStringLiteral("qcx"), this};
    TQuery qdckh{democnn, QStringLiteral("qdckh"), this};
    TDataSource qdckh_s{qdckh, QStringLiteral("qdckh_s"), this};
    TQuery qdcsp{democnn, QStringLiteral("qdcsp"), this};
    TDataSource qdcsp_s{qdcsp, QStringLiteral("qdcsp_s"), this};
    TQuery qin{democnn, QStringLiteral("qin"), this};
    TQuery qup{democnn, QStringLiteral("qup"), this};
    TQuery qdjcx{democnn, QStringLiteral("qdjcx"), this};
    TDataSource qdjcx_s{qdjcx, QStringLiteral("qdjcx_s"), this};
    TQuery qsum{democnn, QStringLiteral("qsum"), this};
    TQuery qkh{democnn, QStringLiteral("qkh"), this};
    TDataSource qkh_s{qkh, QStringLiteral("qkh_s"), this};
    TQuery qsp{democnn, QStringLiteral("qsp"), this};
    TDataSource qsp_s{qsp, QStringLiteral("qsp_s"), this};
    TQuery qzg{democnn, QStringLiteral("qzg"), this};
    TDataSource qzg_s{qzg, QStringLiteral("qzg_s"), this};
    // The print buffer as the report reads it; its statement is fixed.
    TQuery qkdst{democnn, QStringLiteral("qkdst"), this};
    TReportDataSet qkdst_s{qkdst, QStringLiteral("qkdst_s")};
};
