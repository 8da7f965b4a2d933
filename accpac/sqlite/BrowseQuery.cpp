// Building a browse's query from the key, the put key values and the filter.
#include "accpac/sqlite/BrowseQuery.h"

#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

namespace {

struct StartBound {
    QStringList columns;         // leading key segments that limit the start
    std::vector<Stored> values;  // their put values
    bool strict = false;         // upward past a maximum: strictly after the segments before it
    bool nothing = false;        // upward past a maximum in the first segment
};

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

QString rowValue(const QStringList& items) {
    return items.size() == 1 ? items.front() : u'(' + items.join(QStringLiteral(", ")) + u')';
}

}  // namespace

QString selectColumns(const ViewDef& view) {
    QStringList columns;
    for (const FieldDef& f : view.fields) columns << quoteIdentifier(f.name);
    return columns.join(QStringLiteral(", "));
}

namespace {

// The query under the filter's condition `where` (kept in the result for a
// continuation) and the start `bound`.
BrowseQuery assemble(const ViewDef& view, const KeyDef& key, QString whereSql, std::vector<Stored> whereParams,
                     const StartBound& bound, bool ascending) {
    BrowseQuery query;
    query.filterSql = std::move(whereSql);
    query.filterParams = std::move(whereParams);
    query.params = query.filterParams;
    QStringList conditions;
    if (!query.filterSql.isEmpty()) conditions << u'(' + query.filterSql + u')';

    query.nothing = bound.nothing;
    if (!bound.columns.isEmpty()) {
        QStringList placeholders;
        for (const Stored& v : bound.values) {
            query.params.push_back(v);
            placeholders << QStringLiteral("?%1").arg(query.params.size());
        }
        const QString op = bound.strict ? (ascending ? QStringLiteral(">") : QStringLiteral("<"))
                                        : (ascending ? QStringLiteral(">=") : QStringLiteral("<="));
        conditions << QStringLiteral("%1 %2 %3").arg(rowValue(bound.columns), op, rowValue(placeholders));
    }

    const QString direction = ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    QStringList order;
    for (const QString& segment : key.segments) order << quoteIdentifier(segment) + direction;

    query.sql = QStringLiteral("SELECT %1 FROM %2").arg(selectColumns(view), tableName(view));
    if (!conditions.isEmpty()) query.sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    query.sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    return query;
}

}  // namespace

BrowseQuery buildBrowse(const ViewDef& view, const KeyDef& key, const filter::Node* filter, const AccpacFields& record,
                        bool ascending) {
    const filter::SqlWhere where = filter::toSql(filter, 1);
    std::vector<Stored> params;
    for (const auto& p : where.params) params.push_back(toStored(*p.field, p.value));
    return assemble(view, key, where.sql, std::move(params), startBound(view, key, record, ascending), ascending);
}

BrowseQuery continueBrowse(const ViewDef& view, const KeyDef& key, const BrowseQuery& browse,
                           const std::vector<Stored>& lastKey, bool ascending) {
    StartBound bound;
    bound.strict = true;
    for (const QString& segment : key.segments) bound.columns << quoteIdentifier(segment);
    bound.values = lastKey;
    return assemble(view, key, browse.filterSql, browse.filterParams, bound, ascending);
}

}  // namespace accpac::sqlite
