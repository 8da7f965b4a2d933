// Browsing one table of a company on the server in key order.
#include "accpac/postgres/ServerView.h"

#include <QRegularExpression>

#include "accpac/sqlite/Storage.h"

namespace accpac::postgres {

namespace {

// A window shows a screenful of rows; the first read covers one with room
// to spare, and each further read of the same browse is larger.
constexpr int FirstRead = 24;
constexpr int LargestRead = 4096;
constexpr int ReadGrowth = 8;

// The embedded backend's placeholders ?N as the server writes them, $N.
// Only catalogue names and placeholders are in the text, so a ? is always
// a placeholder.
QString serverPlaceholders(const QString& sql) {
    static const QRegularExpression placeholder(QStringLiteral("\\?(\\d+)"));
    return QString(sql).replace(placeholder, QStringLiteral("$\\1"));
}

QByteArray parameter(const sqlite::Stored& value) {
    if (const auto* n = std::get_if<std::int64_t>(&value)) return QByteArray::number(qlonglong(*n));
    return std::get<QByteArray>(value);
}

std::vector<QByteArray> parameters(const std::vector<sqlite::Stored>& values) {
    std::vector<QByteArray> params;
    params.reserve(values.size());
    for (const sqlite::Stored& v : values) params.push_back(parameter(v));
    return params;
}

}  // namespace

ServerView::ServerView(std::shared_ptr<ServerContext> context, const sqlite::ViewDef& def)
    : context_(std::move(context)), def_(def), fields_(def.fields) {
    fields_.reportUnknownTo(&context_->errors);
}

void ServerView::checkOpen(const char* operation) const {
    if (closed_)
        context_->fail(QStringLiteral("View %1 is closed: %2 is not possible.").arg(def_.id, QLatin1String(operation)));
}

void ServerView::setOrder(std::int16_t key) {
    checkOpen("Order");
    if (!def_.key(key)) context_->fail(QStringLiteral("View %1 has no key %2.").arg(def_.id).arg(key));
    order_ = key;
}

void ServerView::Compose(const std::vector<std::shared_ptr<AccpacView>>& views) {
    checkOpen("Compose");
    composed_.assign(views.begin(), views.end());
}

void ServerView::ClearRecord() {
    checkOpen("ClearRecord");
    fields_.clearAll();
}

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
    try {
        filter_ = filter::parse(filter, [this](const QString& name) { return def_.fieldAnyCase(name); });
        query_ = sqlite::buildBrowse(def_, *def_.key(order_), filter_.get(), fields_, ascending);
    } catch (const filter::FilterError& e) {
        context_->fail(e.description());
    } catch (const AccpacError& e) {
        context_->fail(
            QStringLiteral("View %1 cannot browse with the filter \"%2\": %3").arg(def_.id, filter, e.description()));
    }
    if (query_.nothing) return;
    query_.sql = serverPlaceholders(query_.sql);
    ascending_ = ascending;
    limit_ = 0;
    readMore();
    browsing_ = true;
}

bool ServerView::readMore() {
    if (rows_ && rows_->rows() < limit_) return false;  // the last read found the end
    QString sql = query_.sql;
    std::vector<QByteArray> params = parameters(query_.params);
    if (rows_) {
        // The next rows start strictly after the last one handed out: the
        // filter stays, the start bound becomes that row's whole key.
        const AccpacFields unbounded(def_.fields);
        sqlite::BrowseQuery rest = sqlite::buildBrowse(def_, *def_.key(order_), filter_.get(), unbounded, ascending_);
        sql = serverPlaceholders(rest.sql);
        params = parameters(rest.params);
        QStringList columns, placeholders;
        for (std::size_t i = 0; i < lastKey_.size(); ++i) {
            columns << quoteName(def_.key(order_)->segments[qsizetype(i)]);
            params.push_back(lastKey_[i]);
            placeholders << QStringLiteral("$%1").arg(params.size());
        }
        const QString after =
            QStringLiteral("(%1) %2 (%3)")
                .arg(columns.join(QStringLiteral(", ")), ascending_ ? QStringLiteral(">") : QStringLiteral("<"),
                     placeholders.join(QStringLiteral(", ")));
        const qsizetype order = sql.lastIndexOf(QLatin1String(" ORDER BY "));
        sql.insert(
            order,
            (sql.contains(QLatin1String(" WHERE ")) ? QStringLiteral(" AND ") : QStringLiteral(" WHERE ")) + after);
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
                                                           : sqlite::fromNumber(def, rows_->number(row, i)));
    }
    lastKey_.clear();
    for (const QString& segment : def_.key(order_)->segments)
        lastKey_.push_back(rows_->bytes(row, def_.fieldIndex(segment)));
    return true;
}

AccpacFields& ServerView::Fields() {
    checkOpen("Fields");
    return fields_;
}

void ServerView::Close() {
    checkOpen("Close");
    ResetBrowse(false);
    composed_.clear();
    closed_ = true;
}

}  // namespace accpac::postgres
