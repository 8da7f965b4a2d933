// Browsing one table of a company on the server in key order.
#include "accpac/postgres/ServerView.h"

#include <QRegularExpression>

#include "accpac/catalogue/StoredForm.h"
#include "accpac/postgres/Schema.h"

namespace accpac::postgres {

namespace {

// A window shows a screenful of rows; the first read covers one with room
// to spare, and each further read of the same browse is larger.
constexpr int FirstRead = 24;
constexpr int LargestRead = 4096;
constexpr int ReadGrowth = 8;
// How long the server walks the key order for a search the search indexes
// could serve before the view reads it through the indexes instead. The
// planner picks between walking the key order and the indexes from its
// estimate of how many records match, and that estimate can be far off: a
// rare term it takes for a common one would walk the whole table. Such a
// walk is stopped, and the part goes on through the indexes (written so the
// planner has no other way). A plan that reads the indexes has no limit of
// its own: its cost is bounded by the records the term matches, and a time
// limit would also count the time a busy server keeps it waiting for a
// core, stopping fast searches only to run them again. Searches the indexes
// cannot serve (a fixed start of the key, one or two characters) are written
// so the planner can only walk the key order: a key prefix it took for a
// rare one would otherwise sort thousands of records.
constexpr int WalkBudgetMilliseconds = 10;

// The shared walk's SQL as the server runs it: LIKE conditions on the
// folded texts (see Schema.h), placeholders ?N written $N. Only catalogue
// names and placeholders are in the text, so a ? is always a placeholder.
// A LIKE's pattern is folded here, as the server would fold it, so the
// server plans with a plain value and spends no time on folding it. Unless
// `indexable`, the LIKE compares a copy of the column (col || ''), which no
// search index holds, so the server walks the key order.
// One expression per thread: sessions of several threads never share one.
QString serverSql(const QString& sql, std::vector<QByteArray>& params, bool indexable) {
    thread_local const QRegularExpression like(
        QStringLiteral("%1\\((\"(?:[^\"]|\"\")+\"), \\?(\\d+)\\)").arg(QLatin1String(filter::LikeFunctionName)));
    thread_local const QRegularExpression placeholder(QStringLiteral("\\?(\\d+)"));
    QString text = sql;
    QRegularExpressionMatch m;
    while ((m = like.match(text)).hasMatch()) {
        QByteArray& pattern = params[std::size_t(m.captured(2).toInt() - 1)];
        pattern = QByteArray::fromStdString(filter::foldedText(pattern.toStdString()));
        const QString column = indexable ? m.captured(1) : QStringLiteral("(%1 || '')").arg(m.captured(1));
        text.replace(m.capturedStart(), m.capturedLength(), likeSql(column, u'?' + m.captured(2)));
    }
    return text.replace(placeholder, QStringLiteral("$\\1"));
}

// The query with its ORDER BY on expressions of the key segments, which no
// index on the key holds: the server can then only find the records through
// a search index (or read the whole table) and sort them, never walk the key.
QString throughSearchIndex(const QString& sql, const catalogue::ViewDef& view, const QStringList& segments,
                           bool ascending) {
    QStringList order;
    for (const QString& segment : segments)
        order << (view.field(segment)->type == FieldType::String ? QStringLiteral("(%1 || '') COLLATE \"C\"")
                                                                 : QStringLiteral("(%1 + 0)"))
                         .arg(quoteName(segment)) +
                     (ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
    const qsizetype at = sql.lastIndexOf(QLatin1String(" ORDER BY "));
    return sql.left(at) + QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
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
    ascending_ = ascending;
    limit_ = 0;
    readMore();
    // A first read the user abandoned leaves no rows: the browse is over.
    browsing_ = rows_.has_value();
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
        const catalogue::BrowseQuery query = plan_->walkPart(part_, goOn ? &after : nullptr);
        limit_ = limit_ == 0 ? FirstRead : std::min(limit_ * ReadGrowth, LargestRead);
        rows_.reset();
        next_ = 0;
        const QString limit = QStringLiteral(" LIMIT %1").arg(limit_);
        const auto throughIndexes = [&] {
            std::vector<QByteArray> params = parameters(query.params);
            const QString sql = serverSql(query.sql, params, true);
            return context_->query(throughSearchIndex(sql, def_, def_.key(order_)->segments, ascending_) + limit,
                                   params);
        };
        std::vector<QByteArray> params = parameters(query.params);
        if (indexed_) {
            rows_ = throughIndexes();
        } else if (plan_->searchRuns(searchedFields(def_), ShortestSearchedRun).empty()) {
            const QString sql = serverSql(query.sql, params, false) + limit;
            // A walk with no search term has the same best plan for every
            // key: the server keeps it. A term's plan stays its own.
            rows_ = query.sql.contains(QLatin1String(filter::LikeFunctionName)) ? context_->query(sql, params)
                                                                                : context_->queryPrepared(sql, params);
        } else {
            const QString sql = serverSql(query.sql, params, true) + limit;
            const std::optional<bool> walks = walksKeyOrder(sql, params);
            if (!walks) return false;  // abandoned
            bool overBudget = false;
            rows_ = context_->query(sql, params, *walks ? WalkBudgetMilliseconds : -1, &overBudget);
            if (overBudget) {
                indexed_ = true;
                rows_ = throughIndexes();
            }
        }
        if (!rows_) return false;  // abandoned
        if (rows_->rows() > 0) return true;
    }
}

std::optional<bool> ServerView::walksKeyOrder(const QString& sql, const std::vector<QByteArray>& params) {
    const std::optional<Result> plan = context_->query(QStringLiteral("EXPLAIN (COSTS OFF) ") + sql, params);
    if (!plan) return std::nullopt;
    // Each line names a step first ("->  Bitmap Index Scan on NAME"); a
    // filter's text, which may hold any search term, has lines of its own.
    for (int row = 0; row < plan->rows(); ++row) {
        QByteArray step = plan->bytes(row, 0);
        qsizetype at = 0;
        while (at < step.size() && (step[at] == ' ' || step[at] == '-' || step[at] == '>')) ++at;
        step = step.mid(at);
        for (const char* reads : {"Bitmap Index Scan on ", "Index Scan using ", "Index Only Scan using "})
            if (step.startsWith(reads)) {
                // "Index Scan using NAME on TABLE"; a bitmap's line ends with the name.
                QByteArray index = step.mid(qsizetype(qstrlen(reads)));
                if (const qsizetype table = index.indexOf(" on "); table >= 0) index.truncate(table);
                if (isSearchIndex(def_, QString::fromUtf8(index))) return false;
            }
    }
    return true;
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
