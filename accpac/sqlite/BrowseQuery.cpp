// Building a browse's queries from the key, the put key values and the filter.
#include "accpac/sqlite/BrowseQuery.h"

#include "accpac/sqlite/SearchChanges.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

using catalogue::QueryWriter;

namespace {

// The search index's query for the runs: each in its field's column, at the
// start where the pattern starts with it. "" when there are none.
QString searchIndexMatch(const std::vector<catalogue::SearchRun>& runs) {
    QStringList parts;
    for (const catalogue::SearchRun& run : runs) {
        QString phrase = QString::fromUtf8(run.folded);
        phrase.replace(u'"', QStringLiteral("\"\""));
        parts << QStringLiteral("{%1} : %2\"%3\"")
                     .arg(run.field->name, run.atStart ? QStringLiteral("^ ") : QString(), phrase);
    }
    return parts.join(QStringLiteral(" AND "));
}

// The condition that a record of `table` is not in the change table.
QString notNoted(const ViewDef& view, const QString& table) {
    return QStringLiteral("NOT EXISTS (SELECT 1 FROM %1 WHERE record = %2.%3)")
        .arg(searchChangesTableName(view), table, quoteIdentifier(QLatin1String(RecordIdColumn)));
}

}  // namespace

BrowsePlan::BrowsePlan(const ViewDef& view, const KeyDef& key, const filter::Node* filter, const AccpacFields& record,
                       bool ascending)
    : WalkPlan(view, key, filter, record, ascending),
      match_(searchIndexMatch(searchRuns(searchedFields(view), MinIndexedRun))) {}

BrowseQuery BrowsePlan::candidates(std::int64_t cap) const {
    // The records written since the index was filled are candidates too.
    return {QStringLiteral("SELECT (SELECT count(*) FROM (SELECT 1 FROM %1 WHERE %1 MATCH ?1 LIMIT ?2)) + "
                           "(SELECT count(*) FROM (SELECT 1 FROM %2 LIMIT ?2))")
                .arg(searchTableName(view_), searchChangesTableName(view_)),
            {Stored(match_.toUtf8()), Stored(cap)}};
}

BrowseQuery BrowsePlan::indexed(const std::vector<Stored>* after) const {
    QueryWriter w(where_);
    // The index's hits and the records written since it was filled, each
    // once; the filter, whole, then decides on each record as it is now.
    const QString found =
        QStringLiteral("(SELECT rowid AS trovex_found FROM %1 WHERE %1 MATCH %2 UNION SELECT record FROM %3) AS hits")
            .arg(searchTableName(view_), w.param(Stored(match_.toUtf8())), searchChangesTableName(view_));
    if (after)
        w.rowBound(keyColumns(), *after, ascending_ ? ">" : "<");
    else if (!start_.columns.isEmpty()) {
        w.rowBound(start_.columns, start_.values, start_.op);
    }
    // The hits drive the join: each is one record looked up by its number,
    // and only they are sorted.
    return w.finish(view_, key_, ascending_,
                    QStringLiteral("%1 CROSS JOIN %2 ON %2.%3 = hits.trovex_found")
                        .arg(found, tableName(view_), quoteIdentifier(QLatin1String(RecordIdColumn))));
}

BrowseQuery BrowsePlan::streamed(std::size_t part, const std::vector<Stored>* after) const {
    QueryWriter w(where_);
    const QString record = quoteIdentifier(QLatin1String(RecordIdColumn));
    const QString table = tableName(view_);
    const QString match = match_.isEmpty() ? QString() : w.param(Stored(match_.toUtf8()));
    // The part's limits along the key become limits on the record number:
    // those of its first and last records in key order that are not noted.
    // No such record leaves a limit NULL, and the part empty.
    QString range;
    if (const QStringList limits = keyLimits(part, after, w); !limits.isEmpty()) {
        const auto bound = [&](const QString& direction) {
            QStringList order;
            for (const QString& column : keyColumns()) order << column + u' ' + direction;
            return QStringLiteral("(SELECT %1 FROM %2 AS trovex_bound WHERE %3 AND %4 ORDER BY %5 LIMIT 1)")
                .arg(record, table, limits.join(QStringLiteral(" AND ")),
                     notNoted(view_, QStringLiteral("trovex_bound")), order.join(QStringLiteral(", ")));
        };
        range = QStringLiteral(" BETWEEN %1 AND %2").arg(bound(QStringLiteral("ASC")), bound(QStringLiteral("DESC")));
    }
    const QString direction = ascending_ ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    w.condition(notNoted(view_, table));
    if (match_.isEmpty()) {
        // Without runs for the index, the table itself is read in
        // record-number order: one pass over its pages, no key index.
        if (!range.isEmpty()) w.condition(record + range);
        return w.finish(view_, table, record + direction);
    }
    QString hits =
        QStringLiteral("SELECT rowid AS trovex_found FROM %1 WHERE %1 MATCH %2").arg(searchTableName(view_), match);
    if (!range.isEmpty()) hits += QStringLiteral(" AND rowid") + range;
    return w.finish(view_,
                    QStringLiteral("(%1 ORDER BY rowid%2) AS hits CROSS JOIN %3 ON %3.%4 = hits.trovex_found")
                        .arg(hits, direction, table, record),
                    QStringLiteral("hits.trovex_found") + direction);
}

BrowseQuery BrowsePlan::noted(std::size_t part, const std::vector<Stored>* after) const {
    QueryWriter w(where_);
    for (const QString& c : keyLimits(part, after, w)) w.condition(c);
    return w.finish(
        view_, key_, ascending_,
        QStringLiteral("(SELECT record AS trovex_found FROM %1) AS hits CROSS JOIN %2 ON %2.%3 = "
                       "hits.trovex_found")
            .arg(searchChangesTableName(view_), tableName(view_), quoteIdentifier(QLatin1String(RecordIdColumn))));
}

}  // namespace accpac::sqlite
