// The company's layout on the server, written from the catalogue.
#include "accpac/postgres/Schema.h"

#include <QChar>

#include "accpac/catalogue/StoredForm.h"
#include "accpac/postgres/Connection.h"

namespace accpac::postgres {

namespace {

const QLatin1StringView MarkerTable("trovex_company");

// Views whose texts are too short to search get no search indexes.
constexpr int ShortestSearchedText = 3;

// A string literal of characters (none is a quote or a backslash, but a
// quote would be doubled).
QString literal(const QString& text) {
    QString quoted = text;
    return u'\'' + quoted.replace(u'\'', QLatin1String("''")) + u'\'';
}

// trovex_fold: ASCII-only texts (as many bytes as characters) lower their
// letters in the "C" collation, which touches A-Z only; others translate
// every character that folds to another, from the same Unicode data the
// embedded backend's LIKE uses. The translation is a function of its own,
// which the server calls rather than expands in place: the tables of every
// character that folds are long, and a new connection planning its first
// statement on a table expanded them once for each of the table's
// folded-text indexes, half of that first plan's time.
QStringList foldFunctionSql() {
    QString from, to;
    for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const char32_t f = QChar::toCaseFolded(c);
        if (f == c) continue;
        from += QString::fromUcs4(&c, 1);
        to += QString::fromUcs4(&f, 1);
    }
    for (char c = 'A'; c <= 'Z'; ++c) {
        from += QLatin1Char(c);
        to += QLatin1Char(char(c + 32));
    }
    return {
        QStringLiteral("CREATE FUNCTION trovex.trovex_fold_wide(t text) RETURNS text LANGUAGE plpgsql "
                       "IMMUTABLE STRICT PARALLEL SAFE AS $fold$BEGIN RETURN translate(t, %1, %2); END$fold$")
            .arg(literal(from), literal(to)),
        QStringLiteral("CREATE FUNCTION trovex.trovex_fold(t text) RETURNS text LANGUAGE sql IMMUTABLE PARALLEL SAFE "
                       "RETURN (CASE WHEN octet_length(t) = char_length(t) THEN lower(t COLLATE \"C\") "
                       "ELSE trovex.trovex_fold_wide(t) END) COLLATE \"C\"")};
}

// trovex_pairs: the characters of a text and its pairs of adjacent
// characters, which its index of characters and pairs holds. A loop of its
// own costs the load about a microsecond and a half for a text of five
// characters; a query over generate_series, twice that.
QString pairsFunctionSql() {
    return QStringLiteral(
        "CREATE FUNCTION trovex.trovex_pairs(t text) RETURNS text[] LANGUAGE plpgsql IMMUTABLE STRICT PARALLEL SAFE "
        "AS $pairs$DECLARE r text[] := string_to_array(t, NULL); n integer := cardinality(r); "
        "BEGIN FOR i IN 1 .. n - 1 LOOP r[n + i] := r[i] || r[i + 1]; END LOOP; RETURN r; END$pairs$");
}

// trovex_repeats: a token for each stretch of a text that repeats one
// character or alternates two (every character equals the one two before
// it) over four characters or more: its first two characters and each
// length from 4 up to its own (at most RepeatTokenLength), and the same from
// its second character, so that a shorter stretch of either phase inside it
// finds its token. Trigrams cannot tell 111 from 11111: a rare 11111 has only
// the one trigram "111", which thousands of texts hold.
QString repeatsFunctionSql() {
    return QStringLiteral(
               "CREATE FUNCTION trovex.trovex_repeats(t text) RETURNS text[] LANGUAGE plpgsql IMMUTABLE STRICT "
               "PARALLEL SAFE AS $repeats$DECLARE c text[] := string_to_array(t, NULL); n integer := cardinality(c); "
               "r text[] := '{}'; a integer := 1; l integer; "
               "BEGIN WHILE a + 3 <= n LOOP l := 2; "
               "WHILE a + l <= n AND c[a + l] = c[a + l - 2] LOOP l := l + 1; END LOOP; "
               "IF l < 4 THEN a := a + 1; CONTINUE; END IF; "
               "FOR k IN 4 .. least(l, %1) LOOP r := r || (c[a] || c[a + 1] || k); "
               "IF l > k AND c[a] <> c[a + 1] THEN r := r || (c[a + 1] || c[a + 2] || k); END IF; END LOOP; "
               "a := a + l - 2; END LOOP; RETURN r; END$repeats$")
        .arg(RepeatTokenLength);
}

// An array's literal: each element quoted, its quotes and backslashes escaped.
QByteArray arrayValue(QStringList elements) {
    for (QString& element : elements) {
        element.replace(u'\\', QLatin1String("\\\\")).replace(u'"', QLatin1String("\\\""));
        element = u'"' + element + u'"';
    }
    return (u'{' + elements.join(u',') + u'}').toUtf8();
}

}  // namespace

QStringList createCompanySql(const QString& companyName) {
    QStringList sql;
    sql << QStringLiteral("CREATE TABLE %1 (name text NOT NULL, format integer NOT NULL)").arg(MarkerTable)
        << QStringLiteral("INSERT INTO %1 VALUES (%2, %3)").arg(MarkerTable, literal(companyName)).arg(ServerFormat)
        << foldFunctionSql() << pairsFunctionSql() << repeatsFunctionSql();
    for (const catalogue::ViewDef& view : catalogue::catalogue()) {
        QStringList columns;
        for (const FieldDef& f : view.fields)
            columns << quoteName(f.name) + (f.type == FieldType::String ? QStringLiteral(" text COLLATE \"C\" NOT NULL")
                                                                        : QStringLiteral(" bigint NOT NULL"));
        // Each searched text's folded form, which searches compare, is kept
        // beside it, made once as the record is written rather than by
        // every search for every record it reads.
        for (const QString& name : searchedFields(view))
            columns << QStringLiteral("%1 text COLLATE \"C\" GENERATED ALWAYS AS (trovex.trovex_fold(%2)) STORED")
                           .arg(quoteName(foldedColumn(name)), quoteName(name));
        // No primary key: the first key's unique index, made with the
        // others once the records are in, holds the same and is the one
        // every walk reads.
        sql << QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteName(view.id), columns.join(QStringLiteral(", ")));
    }
    return sql;
}

QStringList searchedFields(const catalogue::ViewDef& view) {
    QStringList names;
    for (const FieldDef& f : view.fields)
        if (f.type == FieldType::String && f.size >= ShortestSearchedText) names << f.name;
    return names;
}

namespace {

// The names of a field's search indexes: "starts with" and "contains".
QString startsIndex(const catalogue::ViewDef& view, const QString& field) {
    return view.id + QStringLiteral("_starts_") + field;
}
QString containsIndex(const catalogue::ViewDef& view, const QString& field) {
    return view.id + QStringLiteral("_contains_") + field;
}
QString pairsIndex(const catalogue::ViewDef& view, const QString& field) {
    return view.id + QStringLiteral("_pairs_") + field;
}

QString repeatsIndex(const catalogue::ViewDef& view, const QString& field) {
    return view.id + QStringLiteral("_repeats_") + field;
}

QString orderedIndex(const catalogue::ViewDef& view, const QString& field) {
    return view.id + QStringLiteral("_ordered_") + field;
}

QString pairsSql(const QString& folded) { return QStringLiteral("trovex.trovex_pairs(%1)").arg(folded); }
QString repeatsSql(const QString& folded) { return QStringLiteral("trovex.trovex_repeats(%1)").arg(folded); }

// The characters of a folded run, one string each.
QStringList characters(const QByteArray& run) {
    QStringList chars;
    for (const uint c : QString::fromUtf8(run).toUcs4())
        chars << QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
    return chars;
}

}  // namespace

QStringList createIndexSql(const catalogue::ViewDef& view) {
    // The key indexes are the catalogue's, whose statements are plain SQL
    // every database reads alike.
    QStringList sql = catalogue::createIndexSql(view);
    // A prefix's B-tree holds the view's key beside each folded text, so the
    // matches of a prefix are sorted by key without reading their records.
    QStringList key;
    for (const QString& segment : view.keys.front().segments) key << quoteName(segment);
    for (const QString& name : searchedFields(view)) {
        const QString folded = quoteName(foldedColumn(name));
        sql << QStringLiteral("CREATE INDEX %1 ON %2 (%3) INCLUDE (%4)")
                   .arg(quoteName(startsIndex(view, name)), quoteName(view.id), folded, key.join(QStringLiteral(", ")))
            << QStringLiteral("CREATE INDEX %1 ON %2 USING gin (%3 gin_trgm_ops)")
                   .arg(quoteName(containsIndex(view, name)), quoteName(view.id), folded)
            << QStringLiteral("CREATE INDEX %1 ON %2 USING gin ((%3))")
                   .arg(quoteName(pairsIndex(view, name)), quoteName(view.id), pairsSql(folded))
            << QStringLiteral("CREATE INDEX %1 ON %2 USING gin ((%3))")
                   .arg(quoteName(repeatsIndex(view, name)), quoteName(view.id), repeatsSql(folded));
        if (hasOrderedIndex(view, name))
            sql << QStringLiteral("CREATE INDEX %1 ON %2 (%3, %4) INCLUDE (%5)")
                       .arg(quoteName(orderedIndex(view, name)), quoteName(view.id), orderedPrefixSql(folded),
                            key.join(QStringLiteral(", ")), folded);
    }
    return sql;
}

bool hasOrderedIndex(const catalogue::ViewDef& view, const QString& field) {
    return field != view.keys.front().segments.front() && searchedFields(view).contains(field);
}

QString orderedPrefixSql(const QString& folded) {
    return QStringLiteral("left(%1, %2)").arg(folded).arg(OrderedPrefixLength);
}

QByteArray orderedPrefixValue(const QByteArray& prefix) {
    return characters(prefix).first(OrderedPrefixLength).join(QString()).toUtf8();
}

QString foldedColumn(const QString& field) { return QStringLiteral("folded_") + field; }

QString foldedSql(const catalogue::ViewDef& view, const QString& field) {
    if (searchedFields(view).contains(field)) return quoteName(foldedColumn(field));
    return QStringLiteral("trovex.trovex_fold(%1)").arg(quoteName(field));
}

QString likeSql(const QString& folded, const QString& pattern) {
    return QStringLiteral("%1 LIKE %2").arg(folded, pattern);
}

namespace {
// The condition that the array `held` holds every element of the array
// placeholder `wanted`, which a GIN index on `held` answers.
QString holdsAllSql(const QString& held, const QString& wanted) {
    return QStringLiteral("%1 @> %2::text[]").arg(held, wanted);
}
}  // namespace

QString holdsPiecesSql(const QString& folded, const QString& pieces) { return holdsAllSql(pairsSql(folded), pieces); }

QByteArray piecesValue(const std::vector<QByteArray>& runs) {
    QStringList pieces;
    for (const QByteArray& run : runs) {
        const QStringList chars = characters(run);
        if (chars.size() == 1) pieces << chars;
        for (qsizetype i = 0; i + 1 < chars.size(); ++i) pieces << chars[i] + chars[i + 1];
    }
    return arrayValue(pieces);
}

bool isRepeat(const QByteArray& run) {
    const QStringList chars = characters(run);
    if (chars.size() < 4) return false;
    for (qsizetype i = 2; i < chars.size(); ++i)
        if (chars[i] != chars[i - 2]) return false;
    return true;
}

QString holdsRepeatsSql(const QString& folded, const QString& tokens) {
    return holdsAllSql(repeatsSql(folded), tokens);
}

QByteArray repeatsValue(const std::vector<QByteArray>& runs) {
    QStringList tokens;
    for (const QByteArray& run : runs) {
        const QStringList chars = characters(run);
        tokens << chars[0] + chars[1] + QString::number(std::min<qsizetype>(chars.size(), RepeatTokenLength));
    }
    return arrayValue(tokens);
}

QString mayChangeDataSql() {
    // Asked of each table by name, which a new connection answers from a few
    // catalogue lookups; a scan of the catalogue for the schema's tables cost
    // it several milliseconds. A missing table is not one the role may
    // change: reading the marker then says whether the database is a company.
    QStringList tables{MarkerTable};
    for (const catalogue::ViewDef& view : catalogue::catalogue()) tables << catalogue::tableName(view);
    QStringList any;
    for (const QString& table : tables)
        any << QStringLiteral("has_table_privilege(to_regclass(%1), 'INSERT, UPDATE, DELETE, TRUNCATE')")
                   .arg(literal(QStringLiteral("%1.%2").arg(QLatin1String(CompanySchema), table)));
    return QStringLiteral("coalesce(%1, false)").arg(any.join(QStringLiteral(" OR ")));
}

QString readMarkerSql() { return QStringLiteral("SELECT name, format FROM %1").arg(MarkerTable); }

}  // namespace accpac::postgres
