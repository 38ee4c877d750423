#include "data/query.h"

#include "data/connection.h"
#include "data/params.h"
#include "shell/errors.h"
#include "text/datetext.h"
#include "text/numtext.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <cmath>

namespace {

const QVariant &nullValue() {
    static const QVariant v;
    return v;
}

bool isIntegral(int type) {
    switch (type) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

bool isFloating(int type) {
    return type == QMetaType::Double || type == QMetaType::Float;
}

constexpr int kFetchChunk = 256;

} // namespace

// ---- TStrings ----

void TStrings::Clear() {
    m_lines.clear();
    m_owner.StatementChanged();
}

void TStrings::Add(const QString &line) {
    m_lines.append(line);
    m_owner.StatementChanged();
}

// ---- TParam ----

void TParam::setValue(const QString &text) {
    m_query.m_values.insert(m_name.toLower(), text);
}
void TParam::setValue(double number) {
    m_query.m_values.insert(m_name.toLower(), number);
}
void TParam::setValue(int number) {
    m_query.m_values.insert(m_name.toLower(), number);
}
void TParam::setValue(const QDateTime &dateTime) {
    m_query.m_values.insert(m_name.toLower(), dateTime);
}
void TParam::setValue(const QDate &date) {
    m_query.m_values.insert(m_name.toLower(), QDateTime(date, QTime(0, 0), Qt::UTC));
}
QVariant TParam::Value() const {
    return m_query.m_values.value(m_name.toLower());
}

// ---- TField ----

QString TField::FieldName() const {
    return m_query.FieldName(m_index);
}

bool TField::IsNull() const {
    return m_query.CurrentValue(m_index).isNull();
}

QString TField::AsString() const {
    return m_query.FormatValue(m_query.CurrentValue(m_index), m_index);
}

int TField::AsInteger() const {
    const QVariant &v = m_query.CurrentValue(m_index);
    if (v.isNull())
        return 0;
    const int type = v.typeId();
    const auto outOfRange = [&] {
        return EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(AsString()));
    };
    if (isIntegral(type)) {
        const qlonglong n = v.toLongLong();
        if (n < INT_MIN || n > INT_MAX)
            throw outOfRange();
        return static_cast<int>(n);
    }
    if (isFloating(type)) {
        const double r = std::nearbyint(v.toDouble());
        if (!(r >= INT_MIN && r <= INT_MAX))
            throw outOfRange();
        return static_cast<int>(r);
    }
    const QString text = AsString();
    return text.isEmpty() ? 0 : NumText::StrToInt(text);
}

double TField::AsFloat() const {
    const QVariant &v = m_query.CurrentValue(m_index);
    if (v.isNull())
        return 0.0;
    const int type = v.typeId();
    if (isIntegral(type) || isFloating(type))
        return v.toDouble();
    const QString text = AsString();
    return text.isEmpty() ? 0.0 : NumText::StrToFloat(text);
}

void TField::SetAsString(const QString &text) {
    if (!m_query.m_inserting)
        throw EDatabaseError(QStringLiteral("%1: Dataset not in edit or insert mode").arg(m_query.m_name));
    m_query.m_buffer[m_index] = text;
    m_query.m_assigned[m_index] = true;
}

// ---- TQuery ----

TQuery::TQuery(TConnection &connection, QString name, QObject *parent)
    : QObject(parent), m_connection(&connection), m_name(std::move(name)) {
    setObjectName(m_name);
    m_connection->Register(this);
}

TQuery::~TQuery() {
    m_cursor.reset();
    if (m_connection)
        m_connection->Unregister(this);
}

void TQuery::DetachConnection() {
    Close();
    m_connection = nullptr;
}

void TQuery::StatementChanged() {
    const ParsedStatement parsed = ParseParameters(SQL.Text());
    // A parameter that keeps its name keeps its value; the others are gone.
    QHash<QString, QVariant> kept;
    for (const QString &name : parsed.names) {
        const auto it = m_values.constFind(name.toLower());
        if (it != m_values.constEnd())
            kept.insert(it.key(), it.value());
    }
    m_values.swap(kept);
    m_paramNames = parsed.names;
}

TParam TQuery::ParamByName(const QString &name) {
    for (const QString &p : std::as_const(m_paramNames))
        if (p.compare(name, Qt::CaseInsensitive) == 0)
            return TParam(*this, p);
    throw EDatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
}

QSqlQuery TQuery::Prepare(const QString &sql, const QString &what) {
    if (!m_connection || !m_connection->Connected())
        throw EDatabaseError(QStringLiteral("%1: Connection is closed").arg(m_name));
    const ParsedStatement parsed = ParseParameters(sql);
    QSqlQuery q(m_connection->Database());
    q.setForwardOnly(true);
    if (!q.prepare(parsed.sql))
        throw EDatabaseError(q.lastError().text().trimmed().isEmpty() ? what : q.lastError().text());
    for (const QString &name : parsed.occurrences) {
        const QVariant v = m_values.value(name.toLower());
        if (v.typeId() == QMetaType::QDateTime)
            q.addBindValue(m_connection->Dialect().BindDateTime(v.toDateTime()));
        else
            q.addBindValue(v);
    }
    return q;
}

void TQuery::Open() {
    if (m_active)
        return;
    QSqlQuery q = Prepare(SQL.Text(), QStringLiteral("%1: Invalid statement").arg(m_name));
    if (!q.exec())
        throw EDatabaseError(q.lastError().text());
    if (!q.isSelect())
        throw EDatabaseError(QStringLiteral("%1: CommandText does not return a result set").arg(m_name));
    m_record = q.record();
    m_dateTime.resize(m_record.count());
    for (int i = 0; i < m_record.count(); ++i)
        m_dateTime[i] = m_connection->Dialect().IsDateTime(m_record.field(i));
    m_cursor.emplace(std::move(q));
    m_rows.clear();
    m_allFetched = false;
    m_active = true;
    m_inserting = false;
    m_row = -1;
    m_eof = true;
    // The first rows come with the open, so a grid has them at once; the
    // data source counts them when it resets.
    ++m_controlsDisabled;
    FetchUpTo(kFetchChunk);
    --m_controlsDisabled;
    emit Opened();
    First();
}

void TQuery::ExecSQL() {
    QSqlQuery q = Prepare(SQL.Text(), QStringLiteral("%1: Invalid statement").arg(m_name));
    if (!q.exec())
        throw EDatabaseError(q.lastError().text());
}

void TQuery::Close() {
    if (!m_active)
        return;
    m_cursor.reset();
    m_rows.clear();
    m_record = QSqlRecord();
    m_dateTime.clear();
    m_allFetched = true;
    m_active = false;
    m_inserting = false;
    m_row = -1;
    m_eof = true;
    emit Closed();
}

void TQuery::FetchUpTo(int count) {
    if (m_allFetched || m_rows.size() >= count)
        return;
    const int before = static_cast<int>(m_rows.size());
    const int columns = static_cast<int>(m_record.count());
    while (m_rows.size() < count) {
        if (!m_cursor || !m_cursor->next()) {
            m_allFetched = true;
            m_cursor.reset();
            break;
        }
        QVector<QVariant> row(columns);
        for (int c = 0; c < columns; ++c)
            row[c] = m_cursor->value(c);
        m_rows.append(std::move(row));
    }
    if (m_rows.size() > before && !m_controlsDisabled)
        emit RowsFetched(static_cast<int>(m_rows.size()));
}

void TQuery::SetCurrent(int row) {
    if (m_row == row)
        return;
    m_row = row;
    if (!m_controlsDisabled)
        emit CurrentRowChanged(row);
}

void TQuery::First() {
    RequireActive("First");
    FetchUpTo(1);
    m_eof = m_rows.isEmpty();
    SetCurrent(m_rows.isEmpty() ? -1 : 0);
}

void TQuery::Next() {
    RequireActive("Next");
    if (m_eof)
        return;
    FetchUpTo(m_row + 2);
    if (m_row + 1 < m_rows.size())
        SetCurrent(m_row + 1);
    else
        m_eof = true;
}

bool TQuery::IsEmpty() {
    if (!m_active)
        return true;
    FetchUpTo(1);
    return m_rows.isEmpty();
}

int TQuery::RecordCount() {
    if (!m_active)
        return 0;
    if (!m_allFetched) {
        // Counting with the engine spares fetching a large result just to count it.
        QSqlQuery q = Prepare(m_connection->Dialect().CountStatement(SQL.Text()), m_name);
        if (q.exec() && q.next())
            return std::max(q.value(0).toInt(), static_cast<int>(m_rows.size()));
        FetchUpTo(INT_MAX);
    }
    return static_cast<int>(m_rows.size());
}

void TQuery::SetRecNo(int row) {
    if (!m_active || row < 0)
        return;
    FetchUpTo(row + 1);
    if (row >= m_rows.size())
        return;
    m_eof = false;
    SetCurrent(row);
}

void TQuery::EnableControls() {
    if (m_controlsDisabled > 0 && --m_controlsDisabled == 0) {
        emit RowsFetched(static_cast<int>(m_rows.size()));
        emit CurrentRowChanged(m_row);
    }
}

int TQuery::FieldIndex(const QString &name) const {
    for (int i = 0; i < m_record.count(); ++i)
        if (m_record.fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TField TQuery::FieldByName(const QString &name) {
    const int index = FieldIndex(name);
    if (index < 0)
        throw EDatabaseError(QStringLiteral("%1: Field '%2' not found").arg(m_name, name));
    return TField(*this, index);
}

const QVariant &TQuery::CurrentValue(int index) const {
    if (m_inserting)
        return m_buffer[index];
    if (m_row < 0 || m_row >= m_rows.size())
        return nullValue();
    return m_rows[m_row][index];
}

bool TQuery::IsDateTimeColumn(int index) const {
    return index >= 0 && index < m_dateTime.size() && m_dateTime[index];
}

QString TQuery::FormatValue(const QVariant &v, int column) const {
    if (v.isNull())
        return QString();
    const int type = v.typeId();
    if (isFloating(type))
        return NumText::FloatToStr(v.toDouble());
    if (isIntegral(type))
        return v.toString();
    if (type == QMetaType::QDateTime || type == QMetaType::QDate || IsDateTimeColumn(column)) {
        QDateTime dt;
        if (m_connection && m_connection->Dialect().ReadDateTime(v, &dt))
            return DateText::DateTimeToStr(dt);
    }
    if (type == QMetaType::QByteArray)
        return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

QString TQuery::Text(int row, int column) const {
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_record.count())
        return QString();
    return FormatValue(m_rows[row][column], column);
}

QVariant TQuery::RawValue(int row, int column) const {
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_record.count())
        return QVariant();
    return m_rows[row][column];
}

void TQuery::RequireActive(const char *operation) const {
    if (!m_active)
        throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on a closed dataset (%2)")
                                 .arg(m_name, QLatin1String(operation)));
}

QString TQuery::BaseTable() const {
    static const QRegularExpression re(QStringLiteral("^\\s*select\\b.*?\\bfrom\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                       QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = re.match(SQL.Text());
    return m.hasMatch() ? m.captured(1) : QString();
}

void TQuery::Append() {
    RequireActive("Append");
    FetchUpTo(INT_MAX);
    m_buffer = QVector<QVariant>(m_record.count());
    m_assigned = QVector<bool>(m_record.count(), false);
    m_inserting = true;
}

void TQuery::Cancel() {
    m_inserting = false;
    m_buffer.clear();
    m_assigned.clear();
}

void TQuery::Post() {
    if (!m_inserting)
        throw EDatabaseError(QStringLiteral("%1: Dataset not in edit or insert mode").arg(m_name));
    const QString table = BaseTable();
    if (table.isEmpty())
        throw EDatabaseError(QStringLiteral("%1: Cannot add a row to this result").arg(m_name));
    QStringList columns;
    QVariantList values;
    for (int i = 0; i < m_record.count(); ++i) {
        if (m_assigned[i]) {
            columns.append(m_record.fieldName(i));
            values.append(m_buffer[i]);
        }
    }
    QString sql = columns.isEmpty()
                      ? QStringLiteral("insert into %1 default values returning *").arg(table)
                      : QStringLiteral("insert into %1 (%2) values (%3) returning *")
                            .arg(table, columns.join(QLatin1String(", ")),
                                 QStringList(columns.size(), QStringLiteral("?")).join(QLatin1String(", ")));
    QSqlQuery q(m_connection->Database());
    if (!q.prepare(sql))
        throw EDatabaseError(q.lastError().text());
    for (const QVariant &v : std::as_const(values))
        q.addBindValue(v);
    if (!q.exec())
        throw EDatabaseError(q.lastError().text());
    // The new row as the database holds it, defaults and row key included.
    QVector<QVariant> row(m_record.count());
    if (q.next()) {
        const QSqlRecord stored = q.record();
        for (int i = 0; i < m_record.count(); ++i) {
            const int s = stored.indexOf(m_record.fieldName(i));
            row[i] = s >= 0 ? q.value(s) : m_buffer[i];
        }
    } else {
        row = m_buffer;
    }
    q.finish();
    Cancel();
    m_rows.append(std::move(row));
    m_eof = false;
    if (!m_controlsDisabled)
        emit RowsFetched(static_cast<int>(m_rows.size()));
    SetCurrent(static_cast<int>(m_rows.size()) - 1);
}

void TQuery::Delete() {
    RequireActive("Delete");
    if (m_row < 0 || m_row >= m_rows.size())
        throw EDatabaseError(QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(m_name));
    const QString table = BaseTable();
    const int key = FieldIndex(QStringLiteral("iid"));
    if (table.isEmpty() || key < 0)
        throw EDatabaseError(QStringLiteral("%1: Cannot delete from this result").arg(m_name));
    QSqlQuery q(m_connection->Database());
    q.prepare(QStringLiteral("delete from %1 where iid = ?").arg(table));
    q.addBindValue(m_rows[m_row][key]);
    if (!q.exec())
        throw EDatabaseError(q.lastError().text());
    const int removed = m_row;
    m_rows.removeAt(removed);
    emit RowRemoved(removed);
    m_eof = m_rows.isEmpty();
    m_row = -1;
    SetCurrent(m_rows.isEmpty() ? -1 : std::min(removed, static_cast<int>(m_rows.size()) - 1));
}
