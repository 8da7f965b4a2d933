// Building a browse's queries from the key, the put key values and the filter.
#include "accpac/sqlite/BrowseQuery.h"

#include <algorithm>

#include "accpac/sqlite/SearchChanges.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

using catalogue::boundOperator;
using catalogue::QueryWriter;
using catalogue::StartBound;
using catalogue::startBound;

namespace {

// Spellings of a prefix read as separate key ranges; a longer prefix with
// more spellings is cut to fewer characters, which still limits the key.
constexpr std::size_t MaxKeyRanges = 64;

// A LIKE condition every record of the browse must meet.
struct LikeTerm {
    const FieldDef* field;
    QString pattern;
};

// The LIKE conditions of the filter's top-level AND chain; those under an OR
// need not hold and say nothing.
void requiredLikes(const filter::Node* node, std::vector<LikeTerm>& out) {
    if (!node) return;
    if (node->kind == filter::Node::Kind::And) {
        requiredLikes(node->left.get(), out);
        requiredLikes(node->right.get(), out);
    } else if (node->kind == filter::Node::Kind::Compare && node->op == filter::Op::Like && node->field) {
        out.push_back({node->field, node->value.asString()});
    }
}

bool isWildcard(char32_t c) { return c == U'%' || c == U'_'; }

// The runs of fixed characters in a pattern, and whether the first run is
// where the pattern starts.
struct PatternRuns {
    std::vector<std::u32string> runs;
    bool anchored = false;
};

PatternRuns patternRuns(const QString& pattern) {
    PatternRuns result;
    const QList<uint> chars = pattern.toUcs4();
    result.anchored = !chars.isEmpty() && !isWildcard(chars.front());
    std::u32string run;
    for (const uint c : chars) {
        if (isWildcard(c)) {
            if (!run.empty()) result.runs.push_back(run);
            run.clear();
        } else {
            run += char32_t(c);
        }
    }
    if (!run.empty()) result.runs.push_back(run);
    return result;
}

QByteArray utf8(const std::u32string& chars) {
    return QString::fromUcs4(chars.data(), qsizetype(chars.size())).toUtf8();
}

// Every spelling of the prefix in letter case, as UTF-8, in byte order; the
// prefix is cut where the spellings would exceed MaxKeyRanges.
std::vector<QByteArray> prefixSpellings(const std::u32string& prefix) {
    std::vector<std::u32string> spellings{std::u32string()};
    for (const char32_t c : prefix) {
        const std::vector<char32_t> variants = filter::caseVariants(c);
        if (spellings.size() * variants.size() > MaxKeyRanges) break;
        std::vector<std::u32string> longer;
        for (const auto& s : spellings)
            for (const char32_t v : variants) longer.push_back(s + v);
        spellings = std::move(longer);
    }
    std::vector<QByteArray> out;
    for (const auto& s : spellings) out.push_back(utf8(s));
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// The search index's query for the terms: every run long enough, in its
// field's column, at the start where the pattern starts with it. "" when no
// term has such a run.
QString searchIndexMatch(const ViewDef& view, const std::vector<LikeTerm>& terms) {
    const QStringList indexed = searchedFields(view);
    QStringList parts;
    for (const LikeTerm& term : terms) {
        if (!indexed.contains(term.field->name)) continue;
        const PatternRuns p = patternRuns(term.pattern);
        for (std::size_t i = 0; i < p.runs.size(); ++i) {
            if (p.runs[i].size() < std::size_t(MinIndexedRun)) continue;
            const QByteArray folded = QByteArray::fromStdString(filter::foldedText(utf8(p.runs[i]).toStdString()));
            QString phrase = QString::fromUtf8(folded);
            phrase.replace(u'"', QStringLiteral("\"\""));
            parts << QStringLiteral("{%1} : %2\"%3\"")
                         .arg(term.field->name, i == 0 && p.anchored ? QStringLiteral("^ ") : QString(), phrase);
        }
    }
    return parts.join(QStringLiteral(" AND "));
}

// The text just after every text that starts with `prefix`: no UTF-8 text
// holds the byte FF.
QByteArray pastPrefix(const QByteArray& prefix) { return prefix + char(0xFF); }

}  // namespace

BrowsePlan::BrowsePlan(const ViewDef& view, const KeyDef& key, const filter::Node* filter, const AccpacFields& record,
                       bool ascending)
    : view_(view), key_(key), ascending_(ascending), where_(filter::toSql(filter, 1)) {
    const StartBound bound = startBound(view, key, record, ascending);
    if (bound.nothing) return;
    start_ = {bound.columns, bound.values, boundOperator(bound, ascending)};
    std::vector<LikeTerm> terms;
    requiredLikes(filter, terms);
    match_ = searchIndexMatch(view, terms);

    // The spellings of the longest fixed start of a pattern on the leading segment.
    std::vector<QByteArray> ranges;
    for (const LikeTerm& term : terms) {
        const PatternRuns p = patternRuns(term.pattern);
        if (term.field->name != key.segments.front() || !p.anchored) continue;
        std::vector<QByteArray> spellings = prefixSpellings(p.runs.front());
        // A lone "text%" whose every spelling has a range: every record in
        // the ranges matches, so the walk reads nothing else and the index
        // could only add work.
        const bool exact = terms.size() == 1 && p.runs.size() == 1 &&
                           QString::fromUtf8(spellings.front()).toUcs4().size() == qsizetype(p.runs.front().size()) &&
                           !term.pattern.contains(u'_') && term.pattern.endsWith(u'%');
        if (exact) match_.clear();
        if (ranges.empty() || spellings.front().size() > ranges.front().size()) ranges = std::move(spellings);
    }
    if (ranges.empty()) {
        parts_.push_back({});
    } else {
        // One part per range, in the browse's direction, leaving out the
        // ranges that lie before the start.
        if (!ascending) std::reverse(ranges.begin(), ranges.end());
        const QByteArray* start = bound.columns.isEmpty() ? nullptr : std::get_if<QByteArray>(&bound.values.front());
        for (QByteArray& prefix : ranges) {
            const QByteArray end = pastPrefix(prefix);
            bool startTighter = false;
            if (start) {
                if (ascending ? *start >= end : *start < prefix) continue;
                startTighter = ascending ? *start >= prefix : *start < end;
            }
            parts_.push_back({std::move(prefix), startTighter});
        }
    }
    for (std::size_t part = 0; part < parts_.size(); ++part) walk_.push_back(walkPart(part, nullptr));
}

BrowseQuery BrowsePlan::walkPart(std::size_t part, const std::vector<Stored>* after) const {
    const WalkPart& p = parts_[part];
    QueryWriter w(where_);
    // The start bound (or the last key read) and a range's own end are both
    // lower (upward) or upper (downward) limits; only the tighter one goes
    // into the query, so the index seek uses it. A record read from this
    // part lies in its range, so the key after it is the tighter one.
    const bool boundTighter = after || p.startTighter || !p.range;
    if (after)
        w.rowBound(keyColumns(), *after, ascending_ ? ">" : "<");
    else if (boundTighter && !start_.columns.isEmpty())
        w.rowBound(start_.columns, start_.values, start_.op);
    if (p.range) {
        const QString leading = quoteIdentifier(key_.segments.front());
        if (ascending_ || !boundTighter)
            w.condition(QStringLiteral("%1 < %2").arg(leading, w.param(pastPrefix(*p.range))));
        if (!ascending_ || !boundTighter) w.condition(QStringLiteral("%1 >= %2").arg(leading, w.param(*p.range)));
    }
    return w.finish(view_, key_, ascending_, tableName(view_));
}

QStringList BrowsePlan::keyColumns() const {
    QStringList columns;
    for (const QString& s : key_.segments) columns << quoteIdentifier(s);
    return columns;
}

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

}  // namespace accpac::sqlite
