// Browsing one table of a company on the server in key order.
#include "accpac/postgres/ServerView.h"

#include <QRegularExpression>
#include <algorithm>
#include <functional>

#include "accpac/catalogue/StoredForm.h"
#include "accpac/postgres/PageMoves.h"
#include "accpac/postgres/Schema.h"
#include "accpac/postgres/ServerWalk.h"

namespace accpac::postgres {

namespace {

// A window shows a screenful of rows; the first read covers one with room
// to spare, and each further read of the same browse is larger.
constexpr int FirstRead = 24;
constexpr int LargestRead = 4096;
constexpr int ReadGrowth = 8;
// A search the search indexes could serve is one statement: it walks the
// key order for at most a few records per row asked for (the session's
// walkPerRow) and, when they hold too few matches, reads the part through
// the indexes instead, written with an ORDER BY no key index can give so the
// planner has no other way. The planner's own choice between the two rests
// on its estimate of how many records match, which can be far off: a rare
// term it takes for a common one would walk the whole table. Counting
// records instead of time keeps a busy server, where a walk waits for a core,
// from turning fast walks into index reads of common terms. A search whose
// runs are all of one or two characters, too short for trigrams, is the same
// statement with a longer walk and then the index of characters and pairs
// (Schema.h); a pattern with no fixed character at all, which no index
// serves, a longer walk and then the whole table read in its stored order.
// A fixed start of the key is written so the planner can only walk
// the key order. Either way the plan depends on the statement's shape, not
// on the term: every read is kept prepared, and the server plans it once
// per connection.

// The shared walk's SQL as the server runs it: LIKE conditions on the
// folded texts of `view`'s fields (see Schema.h), placeholders ?N written
// $N. Only catalogue names and placeholders are in the text, so a ? is
// always a placeholder. A LIKE's pattern is folded here, as the server
// would fold it, so the server plans with a plain value and spends no time
// on folding it; its backslashes are doubled here too, since an ESCAPE
// clause would make the server prepare the pattern again for every record
// it tests. Unless `indexable`, the LIKE compares a copy of the folded text
// (folded || ''), which no search index holds, so the server walks the key
// order or reads the table.
// A statement may name a pattern more than once; it is folded once.
// One expression per thread: sessions of several threads never share one.
QString serverSql(const QString& sql, std::vector<QByteArray>& params, bool indexable, const catalogue::ViewDef& view) {
    thread_local const QRegularExpression like(
        QStringLiteral("%1\\((\"(?:[^\"]|\"\")+\"), \\?(\\d+)\\)").arg(QLatin1String(filter::LikeFunctionName)));
    thread_local const QRegularExpression placeholder(QStringLiteral("\\?(\\d+)"));
    QString text = sql;
    std::vector<bool> folded(params.size());
    QRegularExpressionMatch m;
    while ((m = like.match(text)).hasMatch()) {
        const std::size_t at = std::size_t(m.captured(2).toInt() - 1);
        // A backslash is LIKE's escape character on the server and an
        // ordinary one in a filter's pattern: doubled, it stands for itself.
        if (!folded[at])
            params[at] = QByteArray::fromStdString(filter::foldedText(params[at].toStdString())).replace("\\", "\\\\");
        folded[at] = true;
        const QString field =
            m.captured(1).mid(1, m.capturedLength(1) - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
        const QString searched = foldedSql(view, field);
        const QString compared = indexable ? searched : QStringLiteral("(%1 || '')").arg(searched);
        text.replace(m.capturedStart(), m.capturedLength(), likeSql(compared, u'?' + m.captured(2)));
    }
    return text.replace(placeholder, QStringLiteral("$\\1"));
}

// The key segments `segments` as a query's select list, named key0, key1...
QString keysList(const QStringList& segments) {
    QStringList named;
    for (qsizetype i = 0; i < segments.size(); ++i)
        named << QStringLiteral("%1 AS key%2").arg(quoteName(segments[i])).arg(i);
    return named.join(QStringLiteral(", "));
}

// The records of the keys `keysSql` gives (its columns keysList), in their
// order, that meet `condition` (none when empty): each looked up by its key,
// one index seek each, never joined by reading the whole table, however many
// keys there are.
QString recordsOfKeys(const catalogue::ViewDef& view, const QStringList& segments, bool ascending,
                      const QString& keysSql, const QString& condition) {
    QStringList same, byKey;
    for (qsizetype i = 0; i < segments.size(); ++i) {
        same << QStringLiteral("%1 = keys.key%2").arg(quoteName(segments[i])).arg(i);
        byKey << QStringLiteral("keys.key%1").arg(i) + (ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    }
    if (!condition.isEmpty()) same << condition;
    return QStringLiteral(
               "SELECT found.* FROM (%1) AS keys CROSS JOIN LATERAL (SELECT %2 FROM %3 WHERE %4 LIMIT 1) AS found "
               "ORDER BY %5")
        .arg(keysSql, catalogue::selectColumns(view), catalogue::tableName(view), same.join(QStringLiteral(" AND ")),
             byKey.join(QStringLiteral(", ")));
}

// The query with its ORDER BY on expressions of the key segments, which no
// index on the key holds: the server can then only find the records through
// a search index (or read the whole table) and sort them, never walk the key.
// `conditions` join the query's own, which they must not change. With
// `keysFirst`, the records' keys are found and sorted first and only the
// `limit` records kept are read: a prefix's B-tree holds the view's key
// beside each folded text, so the server sorts the matches from the index
// alone, however many there are, and reads no record it does not return.
QString throughSearchIndex(const QString& sql, const catalogue::ViewDef& view, const QStringList& segments,
                           bool ascending, const QStringList& conditions, int limit, bool keysFirst) {
    QStringList order;
    for (const QString& segment : segments)
        order << (view.field(segment)->type == FieldType::String ? QStringLiteral("(%1 || '') COLLATE \"C\"")
                                                                 : QStringLiteral("(%1 + 0)"))
                         .arg(quoteName(segment)) +
                     (ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    QString found = sql.left(sql.lastIndexOf(QLatin1String(" ORDER BY ")));
    // A query with a search has its WHERE and brackets its filter.
    for (const QString& condition : conditions) found += QStringLiteral(" AND ") + condition;
    const QString sorted = QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    const QString rows = QStringLiteral(" LIMIT %1").arg(limit);
    if (!keysFirst) return found + sorted + rows;
    const QString from = found.mid(found.indexOf(QLatin1String(" FROM ")));
    return recordsOfKeys(view, segments, ascending,
                         QStringLiteral("SELECT %1%2%3%4").arg(keysList(segments), from, sorted, rows), QString());
}

// The key order of a query the walk wrote: the text after its ORDER BY.
QString keyOrder(const QString& sql) {
    return sql.mid(sql.lastIndexOf(QLatin1String(" ORDER BY ")) + qsizetype(qstrlen(" ORDER BY ")));
}

// How far a search walks the key order (boundedSearch).
struct Walks {
    int first = 0;    // records walked first
    int further = 0;  // records walked when the first walk found a few matches (none unless more than first)
    int few = 0;      // matches an index counts below which it is read at once
};
// The matches of the first walk from which it walks on.
constexpr int WalkFurtherAfterHits = 2;

// The condition that the part within `range` holds `few` matches or more,
// counted where `counted` finds them (an index, a few of its pages).
QString manyMatches(const ServerWalk& plan, const catalogue::ViewDef& view, const QString& range,
                    const QStringList& counted, int few) {
    return QStringLiteral(
               "(SELECT count(*) FROM (SELECT 1 FROM %1 WHERE %2 AND (%3) AND %4 LIMIT %5) AS counted) >= %5")
        .arg(catalogue::tableName(view), range, plan.filterSql(), counted.join(QStringLiteral(" AND ")),
             QString::number(few));
}

// A walk of a part: its first `rows` matches among the first `walked`
// records it reads (`hits`), in key order, and the condition that the part
// ended among those records (`ended`).
struct WalkSql {
    QString hits;
    QString ended;
};
using WalkWriter = std::function<WalkSql(int walked)>;

// The walk along the key: every record of the part in key order
// (`order`) within `range`, tested by the filter.
WalkWriter keyWalk(const ServerWalk& plan, const catalogue::ViewDef& view, const QString& range, const QString& order,
                   int rows) {
    return [&plan, &view, range, order, rows](int walked) {
        const QString table = catalogue::tableName(view);
        const QString limit = QString::number(walked);
        // Every column, so that the filter may test the folded texts.
        const QString walk =
            QStringLiteral("SELECT * FROM %1 WHERE %2 ORDER BY %3 LIMIT %4").arg(table, range, order, limit);
        return WalkSql{QStringLiteral("SELECT %1 FROM (%2) AS walked WHERE (%3) ORDER BY %4 LIMIT %5")
                           .arg(catalogue::selectColumns(view), walk, plan.filterSql(), order, QString::number(rows)),
                       QStringLiteral("(SELECT count(*) FROM (SELECT 1 FROM %1 WHERE %2 ORDER BY %3 LIMIT %4) "
                                      "AS keys) < %4")
                           .arg(table, range, order, limit)};
    };
}

// The walk along the ordered prefix index of a field (Schema.h): the
// records of the part within `range` whose texts start as the prefix's
// group (`group`), in key order (`order`, of the key's `segments`), those
// that start with the prefix (`within`, on the folded text `folded`) tested
// from the index alone, and only they looked up and tested by the filter.
// The walk's LIMIT keeps `within` out of the index scan, so the server cannot
// take the prefix B-tree for it. A prefix in one record of a thousand has
// each of its matches among some ten or a hundred records of its group,
// where the walk along the key reads a thousand, and sorting all its
// thousands of matches from the prefix B-tree costs more still.
WalkWriter groupWalk(const ServerWalk& plan, const catalogue::ViewDef& view, const QStringList& segments,
                     bool ascending, const QString& range, const QString& order, const QString& folded,
                     const QString& group, const QString& within, int rows) {
    const QString from = QStringLiteral("FROM %1 WHERE %2 AND %3 ORDER BY %4 LIMIT ")
                             .arg(catalogue::tableName(view), group, range, order);
    return [&plan, &view, segments, ascending, from, folded, within, rows](int walked) {
        const QString limit = QString::number(walked);
        const QString keys = QStringLiteral("SELECT * FROM (SELECT %1, %2 %3) AS grouped WHERE %4")
                                 .arg(keysList(segments), folded, from + limit, within);
        return WalkSql{recordsOfKeys(view, segments, ascending, keys, u'(' + plan.filterSql() + u')') +
                           QStringLiteral(" LIMIT ") + QString::number(rows),
                       QStringLiteral("(SELECT count(*) FROM (SELECT 1 %1) AS keys) < %2").arg(from + limit, limit)};
    };
}

// One statement for a search: the first `walks.first` records of the part's
// walk (`walk`), and their first `rows` matches, when they hold that many or
// the part ends among them; otherwise the part's first `rows` matches
// through the search indexes, or the whole table when none serves
// (`indexed`). Its last column says which way the rows came. The server
// runs the other read only when the walk falls short, and stops the walk at
// the last match it needs. A search whose matches an index counts cheaply
// (`counted`: the conditions that find them there, within the part's
// `range`) is read through the indexes at once when they are fewer than
// `walks.few`, without walking at all: the server evaluates a condition only
// when the ones before it leave the answer open. A first walk that found a
// few matches but too few goes on to `walks.further` records before it
// gives up: a term in a few thousand records is found sooner along the key
// than by reading each of its thousands of records the trigram index gives.
QString boundedSearch(const ServerWalk& plan, const catalogue::ViewDef& view, const QString& range,
                      const QString& order, const WalkWriter& walk, const QString& indexed, const Walks& walks,
                      int rows, const QStringList& counted) {
    const QString matches = QString::number(rows);
    const WalkSql first = walk(walks.first);
    const QString many =
        counted.isEmpty() ? QString() : manyMatches(plan, view, range, counted, walks.few) + QStringLiteral(" AND ");
    // A part counted to hold a screenful of matches or more cannot end
    // among the records a walk that found fewer read: that walk fell short,
    // and is not read again to say so.
    const QString ended = !counted.isEmpty() && walks.few >= rows ? QStringLiteral("FALSE") : first.ended;
    QString sql = QStringLiteral(
                      "WITH hits AS MATERIALIZED (%1), "
                      "settled AS (SELECT %2((SELECT count(*) FROM hits) >= %3 OR %4) AS yes)")
                      .arg(first.hits, many, matches, ended);
    QString rowsSql = QStringLiteral("SELECT *, false FROM hits WHERE (SELECT yes FROM settled)");
    QString throughIndexes = QStringLiteral("NOT (SELECT yes FROM settled)");
    if (walks.further > walks.first) {
        const WalkSql more = walk(walks.further);
        sql += QStringLiteral(
                   ", more AS MATERIALIZED (%1), "
                   "walkedOn AS (SELECT NOT (SELECT yes FROM settled) AND (SELECT count(*) FROM hits) >= %2 "
                   "AND ((SELECT count(*) FROM more) >= %3 OR %4) AS yes)")
                   .arg(more.hits)
                   .arg(WalkFurtherAfterHits)
                   .arg(matches, more.ended);
        rowsSql += QStringLiteral(" UNION ALL SELECT *, false FROM more WHERE (SELECT yes FROM walkedOn)");
        throughIndexes += QStringLiteral(" AND NOT (SELECT yes FROM walkedOn)");
    }
    return sql + QStringLiteral(
                     " SELECT * FROM (%1 UNION ALL SELECT *, true FROM (%2) AS found WHERE %3) AS rows "
                     "ORDER BY %4")
                     .arg(rowsSql, indexed, throughIndexes, order);
}

// The conditions that the folded texts hold `runs`, as an index over them
// answers: one for each field the runs are on, `holds` of its folded text
// and a placeholder for `value` of its runs, added to `params`.
QStringList holdsConditions(const std::vector<catalogue::SearchRun>& runs, const catalogue::ViewDef& view,
                            std::vector<QByteArray>& params, QString (*holds)(const QString&, const QString&),
                            QByteArray (*value)(const std::vector<QByteArray>&)) {
    std::vector<std::pair<const FieldDef*, std::vector<QByteArray>>> runsByField;
    for (const catalogue::SearchRun& run : runs) {
        auto on = std::find_if(runsByField.begin(), runsByField.end(),
                               [&](const auto& field) { return field.first == run.field; });
        if (on == runsByField.end()) on = runsByField.insert(on, {run.field, {}});
        on->second.push_back(run.folded);
    }
    QStringList conditions;
    for (const auto& [field, fieldRuns] : runsByField) {
        params.push_back(value(fieldRuns));
        conditions << holds(foldedSql(view, field->name), QStringLiteral("?%1").arg(params.size()));
    }
    return conditions;
}

// The first text after every text that starts with `prefix`: its last
// character replaced by the next one (UTF-8 orders bytes as characters).
// The embedded backend writes that bound as the prefix and a byte FF, which
// no UTF-8 text holds and the server refuses in a text.
QByteArray pastPrefix(const QByteArray& prefix) {
    QList<uint> chars = QString::fromUtf8(prefix).toUcs4();
    while (!chars.isEmpty() && chars.back() == 0x10FFFF) chars.removeLast();
    // A prefix of nothing but the last character: texts longer than any field
    // of the catalogue, made of it, come after every one that starts with it.
    if (chars.isEmpty()) return prefix + QByteArray("\xF4\x8F\xBF\xBF").repeated(1024);
    uint& last = chars.back();
    last = last == 0xD7FF ? 0xE000 : last + 1;
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), chars.size()).toUtf8();
}

// The range of texts that start as a run (the fixed start of its field's
// pattern), from the run to the first text past every one it begins: the
// placeholders of its bounds.
struct PrefixRange {
    const catalogue::SearchRun* run;
    int from;
    int past;
    // The range's condition on `folded`, the run's folded text in SQL.
    QString sql(const QString& folded) const {
        return QStringLiteral("%1 >= ?%2 AND %1 < ?%3").arg(folded).arg(from).arg(past);
    }
};

// The ranges of `runs`, their bounds' values added to `params`.
std::vector<PrefixRange> prefixRanges(const std::vector<catalogue::SearchRun>& runs, std::vector<QByteArray>& params) {
    std::vector<PrefixRange> ranges;
    for (const catalogue::SearchRun& run : runs) {
        params.push_back(run.folded);
        params.push_back(pastPrefix(run.folded));
        ranges.push_back({&run, int(params.size()) - 1, int(params.size())});
    }
    return ranges;
}

// The run of `ranges` the ordered prefix index serves best, the longest one
// as long as the index groups by or longer (nullptr when none is).
const PrefixRange* orderedRange(const std::vector<PrefixRange>& ranges, const catalogue::ViewDef& view) {
    const PrefixRange* best = nullptr;
    qsizetype longest = OrderedPrefixLength - 1;
    for (const PrefixRange& range : ranges) {
        const qsizetype length = QString::fromUtf8(range.run->folded).toUcs4().size();
        if (length > longest && hasOrderedIndex(view, range.run->field->name)) {
            best = &range;
            longest = length;
        }
    }
    return best;
}

// The index that finds a search's records when its walk falls short: the
// prefix B-trees when every run starts its pattern, the index of repeats
// when a run is a repeat, the trigram indexes for other runs of three
// characters or more (`trigramRuns`), otherwise the index of characters and
// pairs (or, with no run at all, the table itself).
enum class IndexWay { Prefixes, Repeats, Trigrams, Pieces };
IndexWay indexWay(const std::vector<catalogue::SearchRun>& runs, bool trigramRuns) {
    if (!runs.empty() &&
        std::all_of(runs.begin(), runs.end(), [](const catalogue::SearchRun& run) { return run.atStart; }))
        return IndexWay::Prefixes;
    if (std::any_of(runs.begin(), runs.end(), [](const catalogue::SearchRun& run) { return isRepeat(run.folded); }))
        return IndexWay::Repeats;
    return trigramRuns ? IndexWay::Trigrams : IndexWay::Pieces;
}

QByteArray parameter(const catalogue::Stored& value) {
    if (const auto* n = std::get_if<std::int64_t>(&value)) return QByteArray::number(qlonglong(*n));
    const QByteArray& text = std::get<QByteArray>(value);
    return text.endsWith('\xFF') ? pastPrefix(text.chopped(1)) : text;
}

std::vector<QByteArray> parameters(const std::vector<catalogue::Stored>& values) {
    std::vector<QByteArray> params;
    params.reserve(values.size());
    for (const catalogue::Stored& v : values) params.push_back(parameter(v));
    return params;
}

}  // namespace

ServerView::ServerView(std::shared_ptr<ServerContext> context, const catalogue::ViewDef& def)
    : CatalogueView(context, def), context_(std::move(context)) {}

void ServerView::ResetBrowse(bool) {
    checkOpen("ResetBrowse");
    browsing_ = false;
    rows_.reset();
    plan_.reset();
    filter_.reset();
    lastKey_.clear();
}

void ServerView::Browse(const QString& filter, bool ascending) {
    checkOpen("Browse");
    ResetBrowse(false);
    filter_ = planBrowse(
        filter, [&](const filter::Node* tree) { plan_.emplace(def_, *def_.key(order_), tree, fields_, ascending); });
    if (plan_->walk().empty()) return;  // no record can match
    part_ = 0;
    indexed_ = false;
    limit_ = 0;
    readMore();
    // A first read the user abandoned leaves no rows: the browse is over.
    browsing_ = rows_.has_value();
    // A browse the connection had not read before is likely a new lookup
    // or search: the server plans its page moves now, in one round trip,
    // so that none of them waits for a plan of its own later. A lookup's
    // moves are planned in about a millisecond, which the first page waits
    // for, so that a move however soon finds its plan made. A search's moves
    // are large statements, about 10 ms to plan on a new connection, which
    // the first search, by far the slower read, would add to its own: the
    // server plans them while the user looks at the rows, and a move that
    // comes first waits for them.
    if (browsing_ && preparedNew_) planPageMoves(filter);
}

bool ServerView::readMore() {
    for (;;) {
        // A read that found fewer rows than it asked for reached the end of
        // its part of the walk: the next part starts from its beginning.
        const bool partEnded = rows_ && rows_->rows() < limit_;
        if (partEnded) {
            if (part_ + 1 >= plan_->walk().size()) return false;
            ++part_;
            limit_ = 0;
            indexed_ = false;
        }
        // Further rows of a part start strictly after the last one handed out.
        const bool goOn = rows_ && !partEnded;
        std::vector<catalogue::Stored> after;
        if (goOn)
            for (std::size_t i = 0; i < lastKey_.size(); ++i) {
                const FieldDef& field = *def_.field(def_.key(order_)->segments[qsizetype(i)]);
                if (field.type == FieldType::String)
                    after.emplace_back(lastKey_[i]);
                else
                    after.emplace_back(std::int64_t(std::strtoll(lastKey_[i].constData(), nullptr, 10)));
            }
        limit_ = limit_ == 0 ? FirstRead : std::min(limit_ * ReadGrowth, LargestRead);
        rows_.reset();
        next_ = 0;
        const Read read = readSql(*plan_, part_, goOn ? &after : nullptr, limit_, indexed_);
        const bool walkOrIndexes = plan_->searches() && !plan_->standingFixed() && !indexed_;
        const bool known = context_->isPrepared(read.sql);
        rows_ = context_->queryPrepared(read.sql, read.params);
        preparedNew_ = !goOn && !known && context_->isPrepared(read.sql);
        // The rest of a part whose start the walk fell short of is read the
        // other way too.
        if (walkOrIndexes) indexed_ = rows_ && rows_->rows() > 0 && rows_->isTrue(0, int(def_.fields.size()));
        if (!rows_) return false;  // abandoned
        if (rows_->rows() > 0) return true;
    }
}

ServerView::Read ServerView::readSql(const ServerWalk& plan, std::size_t part,
                                     const std::vector<catalogue::Stored>* after, int limit, bool indexed) const {
    const catalogue::BrowseQuery query = plan.walkPart(part, after);
    const QString rows = QStringLiteral(" LIMIT %1").arg(limit);
    Read read{QString(), parameters(query.params)};
    if (plan.standingFixed() || !plan.searches()) {
        // One customer's records in key order, which their own index
        // holds, or a walk that tests no text (or only ranges of the
        // key): the same plan for every value.
        read.sql = serverSql(query.sql, read.params, false, def_) + rows;
        return read;
    }
    // A search that only says how texts start (Starts with) is found in
    // the prefix B-trees of the folded texts, one range each, and the LIKE
    // compares a copy of the folded text, so the server cannot take a
    // trigram index instead: a prefix's trigrams are common ones ("po2"),
    // and the matches of a long prefix, sorted by key from the B-tree
    // alone, cost a fraction of what the trigram index's candidates do.
    // A run that repeats one character or alternates two over four or more
    // ("11111", "90909") is found by the index of repeats, the LIKE again on
    // a copy: its one or two trigrams are held by thousands of texts it is
    // not in, and the index of repeats holds it exactly up to eight
    // characters.
    // Other runs of three characters or more are found by the trigram indexes.
    // Shorter ones, which the trigram indexes could only answer by reading
    // all of themselves, are found by the index of characters and pairs of
    // each field they are on, whose condition the read adds (the LIKE
    // conditions, kept, then test what it finds), and the LIKE compares a
    // copy of the folded text, so the server cannot take a trigram index
    // instead. A pattern without fixed characters leaves only the table
    // itself: read in its stored order, the company's key order as loaded,
    // and the few matches sorted, instead of walking the key and reading the
    // records from all over the table. Either way the walk goes further
    // before it gives up: a character or pair narrows little (a third of the
    // documents hold a 9), and reading all that hold it costs as much as the
    // table, while a longer walk still finds a few matches in a thousand.
    const QStringList searched = searchedFields(def_);
    const std::vector<catalogue::SearchRun> runs = plan.searchRuns(searched, 1);
    const IndexWay way = indexWay(runs, !plan.searchRuns(searched, ShortestSearchedRun).empty());
    QStringList conditions;
    std::vector<PrefixRange> prefixes;
    switch (way) {
        case IndexWay::Prefixes:
            prefixes = prefixRanges(runs, read.params);
            for (const PrefixRange& prefix : prefixes)
                conditions << prefix.sql(foldedSql(def_, prefix.run->field->name));
            break;
        case IndexWay::Repeats: {
            std::vector<catalogue::SearchRun> repeats;
            std::copy_if(runs.begin(), runs.end(), std::back_inserter(repeats),
                         [](const catalogue::SearchRun& run) { return isRepeat(run.folded); });
            conditions = holdsConditions(repeats, def_, read.params, holdsRepeatsSql, repeatsValue);
            break;
        }
        case IndexWay::Trigrams:
            break;
        case IndexWay::Pieces:
            conditions = holdsConditions(runs, def_, read.params, holdsPiecesSql, piecesValue);
            break;
    }
    const int walkPerRow = way == IndexWay::Pieces ? context_->walkBeforeScanPerRow() : context_->walkPerRow();
    const QString throughIndexes = throughSearchIndex(query.sql, def_, def_.key(order_)->segments, plan.ascending(),
                                                      conditions, limit, way == IndexWay::Prefixes);
    // The rest of a part whose walk fell short is read through the indexes
    // alone.
    QString sql = throughIndexes;
    if (!indexed) {
        // A prefix as long as the ordered prefix index groups by, or longer,
        // is walked along that index instead of the key (groupWalk).
        const PrefixRange* grouped = way == IndexWay::Prefixes ? orderedRange(prefixes, def_) : nullptr;
        // A prefix's matches are counted in its B-tree, a few index pages, up
        // to half as many as the walk along the key would read: fewer are
        // sorted from the index at once, in less time than the walk would
        // take to give up on them. The walk along the ordered prefix index
        // reads index entries, at half a record's cost, so it reads twice as
        // many. Matches the trigram or repeats index gives are read a record
        // each, so a term the first walk found a few of walks on (Walks).
        Walks walks;
        walks.first = walkPerRow * limit * (grouped ? 2 : 1);
        walks.few = std::max(1, walkPerRow * limit / 2);
        if (way == IndexWay::Repeats || way == IndexWay::Trigrams)
            walks.further = context_->walkFurtherPerRow() * limit;
        const QString range = plan.keyRangeSql(part, after);
        const QString order = keyOrder(query.sql);
        WalkWriter walk;
        if (grouped) {
            const QString folded = foldedSql(def_, grouped->run->field->name);
            read.params.push_back(orderedPrefixValue(grouped->run->folded));
            walk = groupWalk(plan, def_, def_.key(order_)->segments, plan.ascending(), range, order, folded,
                             QStringLiteral("%1 = ?%2").arg(orderedPrefixSql(folded)).arg(read.params.size()),
                             grouped->sql(folded), limit);
        } else {
            walk = keyWalk(plan, def_, range, order, limit);
        }
        sql = boundedSearch(plan, def_, range, order, walk, throughIndexes, walks, limit,
                            way == IndexWay::Prefixes ? conditions : QStringList());
    }
    read.sql = serverSql(sql, read.params, way == IndexWay::Trigrams, def_);
    return read;
}

void ServerView::planPageMoves(const QString& filter) {
    const catalogue::KeyDef& key = *def_.key(order_);
    const AccpacFields nothingPut(def_.fields);
    std::vector<Connection::Statement> ahead;
    const auto fields = [this](const QString& name) { return def_.fieldAnyCase(name); };
    try {
        for (const PageMove& move : pageMoves(filter, fields, *def_.field(key.segments.front()))) {
            const ServerWalk plan(def_, key, move.filter.get(), nothingPut, move.ascending);
            if (plan.walk().empty()) continue;
            Read read = readSql(plan, 0, nullptr, FirstRead, false);
            ahead.push_back({std::move(read.sql), int(read.params.size())});
        }
    } catch (const AccpacError&) {
        return;  // a move that cannot be planned is read as usual when it comes
    }
    context_->planAhead(ahead, !plan_->searches());
}

bool ServerView::Fetch() {
    checkOpen("Fetch");
    if (!browsing_) return false;  // no browse started, or the last one has ended
    if (next_ >= rows_->rows()) {
        bool more = false;
        try {
            more = readMore();
        } catch (const AccpacError&) {
            browsing_ = false;
            throw;
        }
        if (!more) {
            ResetBrowse(false);
            return false;
        }
    }
    const int row = next_++;
    for (int i = 0; i < fields_.Count(); ++i) {
        const FieldDef& def = def_.fields[std::size_t(i)];
        fields_.Item(i).load(def.type == FieldType::String ? Variant::string(rows_->text(row, i))
                                                           : catalogue::fromNumber(def, rows_->number(row, i)));
    }
    lastKey_.clear();
    for (const QString& segment : def_.key(order_)->segments)
        lastKey_.push_back(rows_->bytes(row, def_.fieldIndex(segment)));
    return true;
}

}  // namespace accpac::postgres
