// Planning a browse's walk in key order from the key, the put key values and the filter.
#include "accpac/catalogue/WalkPlan.h"

#include <algorithm>

namespace accpac::catalogue {

namespace {

// Spellings of a prefix read as separate key ranges; a longer prefix with
// more spellings is cut to fewer characters, which still limits the key.
constexpr std::size_t MaxKeyRanges = 64;

// The LIKE conditions of the filter's top-level AND chain, and the fields
// it sets equal to a value; those under an OR need not hold and say nothing.
void requiredConditions(const filter::Node* node, std::vector<LikeTerm>& likes, QStringList& fixed) {
    if (!node) return;
    if (node->kind == filter::Node::Kind::And) {
        requiredConditions(node->left.get(), likes, fixed);
        requiredConditions(node->right.get(), likes, fixed);
    } else if (node->kind == filter::Node::Kind::Compare && node->field) {
        if (node->op == filter::Op::Like) likes.push_back({node->field, node->value.asString()});
        if (node->op == filter::Op::Eq) fixed << node->field->name;
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

// The text just after every text that starts with `prefix`: no UTF-8 text
// holds the byte FF.
QByteArray pastPrefix(const QByteArray& prefix) { return prefix + char(0xFF); }

}  // namespace

WalkPlan::WalkPlan(const ViewDef& view, const KeyDef& key, const filter::Node* filter, const AccpacFields& record,
                   bool ascending)
    : view_(view), key_(key), ascending_(ascending), where_(filter::toSql(filter, 1)) {
    const StartBound bound = startBound(view, key, record, ascending);
    if (bound.nothing) return;
    start_ = {bound.columns, bound.values, boundOperator(bound, ascending)};
    QStringList fixed;
    requiredConditions(filter, terms_, fixed);
    standingFixed_ = !view.filterPrefix.isEmpty() && fixed.contains(view.filterPrefix.front());

    // The spellings of the longest fixed start of a pattern on the leading segment.
    std::vector<QByteArray> ranges;
    for (const LikeTerm& term : terms_) {
        const PatternRuns p = patternRuns(term.pattern);
        if (term.field->name != key.segments.front() || !p.anchored) continue;
        std::vector<QByteArray> spellings = prefixSpellings(p.runs.front());
        // A lone "text%" whose every spelling has a range: every record in
        // the ranges matches, so the walk reads nothing else and the index
        // could only add work.
        const bool exact = terms_.size() == 1 && p.runs.size() == 1 &&
                           QString::fromUtf8(spellings.front()).toUcs4().size() == qsizetype(p.runs.front().size()) &&
                           !term.pattern.contains(u'_') && term.pattern.endsWith(u'%');
        if (exact) rangesExact_ = true;
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

BrowseQuery WalkPlan::walkPart(std::size_t part, const std::vector<Stored>* after) const {
    QueryWriter w(where_);
    for (const QString& c : keyLimits(part, after, w)) w.condition(c);
    return w.finish(view_, key_, ascending_, tableName(view_));
}

QStringList WalkPlan::keyLimits(std::size_t part, const std::vector<Stored>* after, QueryWriter& w) const {
    const WalkPart& p = parts_[part];
    QStringList limits;
    // The start bound (or the last key read) and a range's own end are both
    // lower (upward) or upper (downward) limits; only the tighter one goes
    // into the query, so the index seek uses it. A record read from this
    // part lies in its range, so the key after it is the tighter one.
    const bool boundTighter = after || p.startTighter || !p.range;
    if (after)
        limits << w.rowComparison(keyColumns(), *after, ascending_ ? ">" : "<");
    else if (boundTighter && !start_.columns.isEmpty())
        limits << w.rowComparison(start_.columns, start_.values, start_.op);
    if (p.range) {
        const QString leading = quoteIdentifier(key_.segments.front());
        if (ascending_ || !boundTighter)
            limits << QStringLiteral("%1 < %2").arg(leading, w.param(pastPrefix(*p.range)));
        if (!ascending_ || !boundTighter) limits << QStringLiteral("%1 >= %2").arg(leading, w.param(*p.range));
    }
    return limits;
}

QStringList WalkPlan::keyColumns() const {
    QStringList columns;
    for (const QString& s : key_.segments) columns << quoteIdentifier(s);
    return columns;
}

std::vector<SearchRun> WalkPlan::searchRuns(const QStringList& fields, int shortest) const {
    std::vector<SearchRun> out;
    if (rangesExact_) return out;
    for (const LikeTerm& term : terms_) {
        if (!fields.contains(term.field->name)) continue;
        const PatternRuns p = patternRuns(term.pattern);
        for (std::size_t i = 0; i < p.runs.size(); ++i) {
            if (p.runs[i].size() < std::size_t(shortest)) continue;
            out.push_back({term.field, QByteArray::fromStdString(filter::foldedText(utf8(p.runs[i]).toStdString())),
                           i == 0 && p.anchored});
        }
    }
    return out;
}

}  // namespace accpac::catalogue
