#pragma once

#include <QHash>
#include <QObject>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <optional>

class TConnection;
class TQuery;

// The statement of a query as lines. Every change finds the parameters anew.
class TStrings {
public:
    explicit TStrings(TQuery &owner) : m_owner(owner) {}
    void Clear();
    void Add(const QString &line);
    QString Text() const { return m_lines.join(QLatin1Char('\n')); }
    int Count() const { return static_cast<int>(m_lines.size()); }
    const QStringList &Lines() const { return m_lines; }

private:
    TQuery &m_owner;
    QStringList m_lines;
};

// One parameter of a query, by name. The value's kind (text, floating-point
// number, date-time or integer) is the kind it is bound with.
class TParam {
public:
    TParam(TQuery &query, QString name) : m_query(query), m_name(std::move(name)) {}
    const QString &Name() const { return m_name; }
    void setValue(const QString &text);
    void setValue(const char *text) { setValue(QString::fromUtf8(text)); }
    void setValue(double number);
    void setValue(int number);
    void setValue(const QDateTime &dateTime);
    void setValue(const QDate &date);
    QVariant Value() const;

private:
    TQuery &m_query;
    QString m_name;
};

// One column of the current row. A missing value reads as "", 0 or 0.0.
class TField {
public:
    TField(TQuery &query, int index) : m_query(query), m_index(index) {}
    QString FieldName() const;
    bool IsNull() const;
    QString AsString() const;
    int AsInteger() const;
    double AsFloat() const;
    // Only on a record being appended.
    void SetAsString(const QString &text);

private:
    TQuery &m_query;
    int m_index;
};

// A named query of the data module. Rows are fetched from the engine as
// they are needed, so a grid over a large result stays fast.
class TQuery : public QObject {
    Q_OBJECT
public:
    TQuery(TConnection &connection, QString name, QObject *parent = nullptr);
    ~TQuery() override;

    const QString &Name() const { return m_name; }
    TStrings SQL{*this};

    TParam ParamByName(const QString &name);
    const QStringList &ParamNames() const { return m_paramNames; }
    QString StatementText() const { return SQL.Text(); }

    void Open();
    void ExecSQL();
    void Close();
    bool Active() const { return m_active; }

    void First();
    void Next();
    bool Eof() const { return m_eof; }
    bool IsEmpty();
    int RecordCount();
    int RecNo() const { return m_row; } // 0-based; -1 on an empty or closed result
    void SetRecNo(int row);

    TField FieldByName(const QString &name);
    int FieldCount() const { return static_cast<int>(m_record.count()); }
    QString FieldName(int index) const { return m_record.fieldName(index); }
    int FieldIndex(const QString &name) const;

    // Adding a row to an open single-table result: Append, set the columns
    // with FieldByName(...).SetAsString, Post. Columns not set take their defaults.
    void Append();
    void Post();
    void Cancel();
    bool Inserting() const { return m_inserting; }
    // Deletes the current row from its table, by its row key iid.
    void Delete();

    // Rows for grids.
    int FetchedCount() const { return static_cast<int>(m_rows.size()); }
    bool AllFetched() const { return m_allFetched; }
    void FetchUpTo(int count);
    QString Text(int row, int column) const;
    QVariant RawValue(int row, int column) const;

    // While disabled, moving through the rows tells no grid.
    void DisableControls() { ++m_controlsDisabled; }
    void EnableControls();

    void DetachConnection();

signals:
    void Opened();
    void Closed();
    void RowsFetched(int count);
    void RowRemoved(int row);
    void CurrentRowChanged(int row);

private:
    friend class TStrings;
    friend class TParam;
    friend class TField;

    void StatementChanged();
    QSqlQuery Prepare(const QString &sql, const QString &what);
    void SetCurrent(int row);
    const QVariant &CurrentValue(int index) const;
    bool IsDateTimeColumn(int index) const;
    QString FormatValue(const QVariant &value, int column) const;
    void RequireActive(const char *operation) const;
    QString BaseTable() const;

    TConnection *m_connection;
    QString m_name;
    QStringList m_paramNames;
    QHash<QString, QVariant> m_values; // by lower-case name

    bool m_active = false;
    std::optional<QSqlQuery> m_cursor;
    QSqlRecord m_record;
    QVector<bool> m_dateTime;
    QVector<QVector<QVariant>> m_rows;
    bool m_allFetched = true;
    int m_row = -1;
    bool m_eof = true;
    int m_controlsDisabled = 0;

    bool m_inserting = false;
    QVector<QVariant> m_buffer;
    QVector<bool> m_assigned;
};
