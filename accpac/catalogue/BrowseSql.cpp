// Building the walk along a key from the put key values and the filter.
#include "accpac/catalogue/BrowseSql.h"

namespace accpac::catalogue {

namespace {

QString rowValue(const QStringList& items) {
    return items.size() == 1 ? items.front() : u'(' + items.join(QStringLiteral(", ")) + u')';
}

}  // namespace

StartBound startBound(const ViewDef& view, const KeyDef& key, const AccpacFields& record, bool ascending) {
    StartBound bound;
    for (const QString& segment : key.segments) {
        const AccpacField* field = record.find(segment);
        if (!field || !field->isPut()) break;
        if (field->isPutMax()) {
            // The top of this segment's range: downward, every record under
            // the segments before it qualifies; upward, none of them does.
            if (ascending) {
                bound.strict = true;
                bound.nothing = bound.columns.isEmpty();
            }
            break;
        }
        bound.columns << quoteIdentifier(segment);
        bound.values.push_back(toStored(*view.field(segment), field->Value()));
    }
    return bound;
}

const char* boundOperator(const StartBound& bound, bool ascending) {
    if (bound.strict) return ascending ? ">" : "<";
    return ascending ? ">=" : "<=";
}

QueryWriter::QueryWriter(const filter::SqlWhere& where) {
    if (!where.sql.isEmpty()) conditions_ << u'(' + where.sql + u')';
    for (const auto& p : where.params) query_.params.push_back(toStored(*p.field, p.value));
}

QString QueryWriter::param(const Stored& value) {
    query_.params.push_back(value);
    return QStringLiteral("?%1").arg(query_.params.size());
}

void QueryWriter::condition(const QString& sql) { conditions_ << sql; }

QString QueryWriter::rowComparison(const QStringList& columns, const std::vector<Stored>& values, const char* op) {
    QStringList placeholders;
    for (const Stored& v : values) placeholders << param(v);
    return QStringLiteral("%1 %2 %3").arg(rowValue(columns), QLatin1String(op), rowValue(placeholders));
}

void QueryWriter::rowBound(const QStringList& columns, const std::vector<Stored>& values, const char* op) {
    conditions_ << rowComparison(columns, values, op);
}

BrowseQuery QueryWriter::finish(const ViewDef& view, const KeyDef& key, bool ascending, const QString& from) {
    const QString direction = ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    QStringList order;
    for (const QString& segment : key.segments) order << quoteIdentifier(segment) + direction;
    return finish(view, from, order.join(QStringLiteral(", ")));
}

BrowseQuery QueryWriter::finish(const ViewDef& view, const QString& from, const QString& orderBy) {
    query_.sql = QStringLiteral("SELECT %1 FROM %2").arg(selectColumns(view), from);
    if (!conditions_.isEmpty()) query_.sql += QStringLiteral(" WHERE ") + conditions_.join(QStringLiteral(" AND "));
    query_.sql += QStringLiteral(" ORDER BY ") + orderBy;
    return std::move(query_);
}

QString selectColumns(const ViewDef& view) {
    QStringList columns;
    for (const FieldDef& f : view.fields) columns << quoteIdentifier(f.name);
    return columns.join(QStringLiteral(", "));
}

BrowseQuery buildBrowse(const ViewDef& view, const KeyDef& key, const filter::Node* filter, const AccpacFields& record,
                        bool ascending) {
    const StartBound bound = startBound(view, key, record, ascending);
    QueryWriter w(filter::toSql(filter, 1));
    if (!bound.columns.isEmpty()) w.rowBound(bound.columns, bound.values, boundOperator(bound, ascending));
    BrowseQuery query = w.finish(view, key, ascending, tableName(view));
    query.nothing = bound.nothing;
    return query;
}

}  // namespace accpac::catalogue
