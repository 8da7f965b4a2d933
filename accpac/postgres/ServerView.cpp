// Browsing one table of a company on the server in key order.
#include "accpac/postgres/ServerView.h"

#include <QRegularExpression>

#include "accpac/catalogue/StoredForm.h"
#include "accpac/postgres/FoldedPrefix.h"
#include "accpac/postgres/Schema.h"

namespace accpac::postgres {

namespace {

// A window shows a screenful of rows; the first read covers one with room
// to spare, and each further read of the same browse is larger.
constexpr int FirstRead = 24;
constexpr int LargestRead = 4096;
constexpr int ReadGrowth = 8;

// The shared walk's SQL as the server runs it: LIKE conditions on the
// folded texts (see Schema.h), placeholders ?N written $N. Only catalogue
// names and placeholders are in the text, so a ? is always a placeholder.
// One expression per thread: sessions of several threads never share one.
QString serverSql(const QString& sql) {
    thread_local const QRegularExpression like(
        QStringLiteral("%1\\((\"(?:[^\"]|\"\")+\"), \\?(\\d+)\\)").arg(QLatin1String(filter::LikeFunctionName)));
    thread_local const QRegularExpression placeholder(QStringLiteral("\\?(\\d+)"));
    QString text = sql;
    QRegularExpressionMatch m;
    while ((m = like.match(text)).hasMatch())
        text.replace(m.capturedStart(), m.capturedLength(), likeSql(m.captured(1), u'?' + m.captured(2)));
    return text.replace(placeholder, QStringLiteral("$\\1"));
}

// Adds a condition to a browse's query, before its ORDER BY.
void addCondition(QString& sql, const QString& condition) {
    const qsizetype order = sql.lastIndexOf(QLatin1String(" ORDER BY "));
    sql.insert(order, (sql.contains(QLatin1String(" WHERE ")) ? QStringLiteral(" AND ") : QStringLiteral(" WHERE ")) +
                          condition);
}

// The literal start of a LIKE on `field` that every record must match: a
// comparison of the filter's top-level AND chain.
std::optional<QString> likeOn(const filter::Node* node, const QString& field) {
    if (!node) return std::nullopt;
    if (node->kind == filter::Node::Kind::And) {
        if (auto left = likeOn(node->left.get(), field)) return left;
        return likeOn(node->right.get(), field);
    }
    if (node->kind == filter::Node::Kind::Compare && node->op == filter::Op::Like && node->field &&
        node->field->name == field)
        return node->value.asString();
    return std::nullopt;
}

QByteArray parameter(const catalogue::Stored& value) {
    if (const auto* n = std::get_if<std::int64_t>(&value)) return QByteArray::number(qlonglong(*n));
    return std::get<QByteArray>(value);
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
    filter_.reset();
    lastKey_.clear();
}

void ServerView::Browse(const QString& filter, bool ascending) {
    checkOpen("Browse");
    ResetBrowse(false);
    filter_ = planBrowse(filter, [&](const filter::Node* tree) {
        query_ = catalogue::buildBrowse(def_, *def_.key(order_), tree, fields_, ascending);
    });
    if (query_.nothing) return;
    // A search on the key's leading text also bounds the key to the stretch
    // its matches lie in.
    keyRange_.reset();
    const QString& leading = def_.key(order_)->segments.front();
    if (def_.field(leading)->type == FieldType::String)
        if (const auto pattern = likeOn(filter_.get(), leading)) keyRange_ = prefixRange(*pattern);
    ascending_ = ascending;
    limit_ = 0;
    readMore();
    browsing_ = true;
}

bool ServerView::readMore() {
    if (rows_ && rows_->rows() < limit_) return false;  // the last read found the end
    catalogue::BrowseQuery query = query_;
    if (rows_) {
        // The next rows start strictly after the last one handed out: the
        // filter stays, the start bound becomes that row's whole key.
        const AccpacFields unbounded(def_.fields);
        query = catalogue::buildBrowse(def_, *def_.key(order_), filter_.get(), unbounded, ascending_);
    }
    QString sql = serverSql(query.sql);
    std::vector<QByteArray> params = parameters(query.params);
    const auto next = [&params](const QByteArray& value) {
        params.push_back(value);
        return QStringLiteral("$%1").arg(params.size());
    };
    const QStringList& segments = def_.key(order_)->segments;
    if (keyRange_) {
        const QString column = quoteName(segments.front());
        addCondition(
            sql, QStringLiteral("%1 >= %2 AND %1 <= %3").arg(column, next(keyRange_->first), next(keyRange_->second)));
    }
    if (rows_) {
        QStringList columns, placeholders;
        for (std::size_t i = 0; i < lastKey_.size(); ++i) {
            columns << quoteName(segments[qsizetype(i)]);
            placeholders << next(lastKey_[i]);
        }
        addCondition(
            sql, QStringLiteral("(%1) %2 (%3)")
                     .arg(columns.join(QStringLiteral(", ")), ascending_ ? QStringLiteral(">") : QStringLiteral("<"),
                          placeholders.join(QStringLiteral(", "))));
    }
    limit_ = limit_ == 0 ? FirstRead : std::min(limit_ * ReadGrowth, LargestRead);
    sql += QStringLiteral(" LIMIT %1").arg(limit_);
    rows_.reset();
    next_ = 0;
    rows_ = context_->query(sql, params);
    return rows_->rows() > 0;
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
