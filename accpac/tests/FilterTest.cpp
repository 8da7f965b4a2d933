// The filter language. Every filter the lookups build reads into the
// expected condition (shown through toSql's text and bound values), AND binds
// tighter than OR, and filters that cannot be read are refused with a message
// that quotes the filter and the offending text. Random text and damaged good
// filters never crash the reader and never put anything but column names,
// operators and numbered placeholders into SQL. Random filters, written in
// every way the language allows, select on a real SQLite table exactly the
// rows a plain evaluation of the same conditions selects, and the LIKE
// function folds letter case beyond ASCII and takes the user's % and _ as
// wildcards.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "Fixtures.h"
#include "accpac/sqlite/Database.h"
#include "accpac/sqlite/LikeFunction.h"

using namespace accpac;
using namespace accpac::filter;

namespace {

SqlWhere compiled(const QString& filter) { return toSql(parse(filter, fixtures::filterLookup()).get()); }

// Each filter with the condition it reads into: toSql's text and the bound
// values as "Type:text|Type:text", in placeholder order.
// clang-format off
const struct Readable { const char* filter; const char* sql; const char* params; } Readables[] = {
    // The lookups' fixed and seed filters, written as they write them.
    {"STATUS=1", R"("STATUS" = ?1)", "Integer:1"},
    {"IDCUST=1200 AND SWPAID=0", R"(("IDCUST" = ?1 AND "SWPAID" = ?2))", "String:1200|Boolean:False"},
    {"IDCUST= AND SWPAID=0", R"(("IDCUST" = ?1 AND "SWPAID" = ?2))", "String:|Boolean:False"},
    {"AUTHORITY = GST AND CLASSTYPE = 1 AND CLASSAXIS = 1",
     R"(("AUTHORITY" = ?1 AND "CLASSTYPE" = ?2 AND "CLASSAXIS" = ?3))", "String:GST|Integer:1|Integer:1"},
    {"AUTHORITY = US CA  AND CLASSTYPE = 1", R"(("AUTHORITY" = ?1 AND "CLASSTYPE" = ?2))", "String:US CA|Integer:1"},
    {R"(IDSEG = "000001")", R"("IDSEG" = ?1)", "String:000001"},
    {"EMPLOYEE LIKE  JO%", R"(trovex_like("EMPLOYEE", ?1))", "String:JO%"},
    {"EMPLOYEE LIKE MARY ANN%", R"(trovex_like("EMPLOYEE", ?1))", "String:MARY ANN%"},
    {"STATUS=1 AND EMPLOYEE LIKE JO%", R"(("STATUS" = ?1 AND trovex_like("EMPLOYEE", ?2)))", "Integer:1|String:JO%"},
    // The engine's key conditions, alone and before the fixed filter.
    {R"(STATUS=1 AND IDCUST > "1200")", R"(("STATUS" = ?1 AND "IDCUST" > ?2))", "Integer:1|String:1200"},
    {R"( IDCUST >= "AB" AND (STATUS=1))", R"(("IDCUST" >= ?1 AND "STATUS" = ?2))", "String:AB|Integer:1"},
    {R"(IDINVC < "IN0005" AND (IDCUST=1200 AND SWPAID=0))",
     R"(("IDINVC" < ?1 AND "IDCUST" = ?2 AND "SWPAID" = ?3))", "String:IN0005|String:1200|Boolean:False"},
    {R"(IDCUST <= " A B ")", R"("IDCUST" <= ?1)", "String: A B "},
    {R"(IDCUST = "X AND Y")", R"("IDCUST" = ?1)", "String:X AND Y"},
    {R"~(IDCUST = "(A)")~", R"("IDCUST" = ?1)", "String:(A)"},
    {R"(DATEDUE > "2026-12-05")", R"("DATEDUE" > ?1)", "Date:2026-12-05"},
    {R"(AMTPYMRMTC <= "1234.5")", R"("AMTPYMRMTC" <= ?1)", "Decimal:1234.5"},
    {R"(DATEDUE > "")", R"("DATEDUE" > ?1)", "Empty:"},
    {R"(AMTPYMRMTC >= "")", R"("AMTPYMRMTC" >= ?1)", "Decimal:0"},
    // Searches: the user's own % and _ and quote characters are pattern data.
    {R"(ACCTDESC LIKE "rent%")", R"(trovex_like("ACCTDESC", ?1))", "String:rent%"},
    {R"(ACCTDESC LIKE "%rent%")", R"(trovex_like("ACCTDESC", ?1))", "String:%rent%"},
    {R"(ACCTDESC LIKE "r_nt%50%%")", R"(trovex_like("ACCTDESC", ?1))", "String:r_nt%50%%"},
    {R"(ACCTDESC LIKE "it's; DROP TABLE x --%")", R"(trovex_like("ACCTDESC", ?1))", "String:it's; DROP TABLE x --%"},
    {R"(IDCUST=1200 AND SWPAID=0 AND IDINVC LIKE "IN%" AND IDINVC > "IN0007")",
     R"(("IDCUST" = ?1 AND "SWPAID" = ?2 AND trovex_like("IDINVC", ?3) AND "IDINVC" > ?4))",
     "String:1200|Boolean:False|String:IN%|String:IN0007"},
    // The language around them (precedence, brackets, every operator and the
    // blanks around it are checked on SQLite by the random filters below).
    {R"(status>=1 and idcust like "a%" Or Cntpaym>2)",
     R"((("STATUS" >= ?1 AND trovex_like("IDCUST", ?2)) OR "CNTPAYM" > ?3))", "Integer:1|String:a%|Long:2"},
    {"STATUS=1 AND(SWPAID=0)", R"(("STATUS" = ?1 AND "SWPAID" = ?2))", "Integer:1|Boolean:False"},
    {"IDCUST = ANDERSON AND STATUS=1", R"(("IDCUST" = ?1 AND "STATUS" = ?2))", "String:ANDERSON|Integer:1"},
    {"IDCUST = A=B<C", R"("IDCUST" = ?1)", "String:A=B<C"}, {"    ", "", ""}, {"", "", ""}};
// clang-format on

TEST(FilterReads, ToTheExpectedCondition) {
    for (const Readable& c : Readables) {
        const SqlWhere where = compiled(QString::fromUtf8(c.filter));
        EXPECT_EQ(where.sql.toStdString(), c.sql) << c.filter;
        QStringList shown;
        for (const auto& p : where.params) shown << p.value.typeName() + u':' + p.value.toText();
        EXPECT_EQ(shown.join(u'|').toStdString(), c.params) << c.filter;
    }
}

// A refusal's whole message: number AccpacFailure, "Cannot read the filter "<filter>": <reason>."
QString refusal(const QString& filter) {
    try {
        compiled(filter);
    } catch (const FilterError& e) {
        EXPECT_EQ(e.number(), errnum::AccpacFailure);
        return e.description();
    }
    ADD_FAILURE() << "read without error: " << filter.toStdString();
    return {};
}

TEST(FilterRefused, WithAMessageQuotingTheFilterAndTheFault) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"IDCUSTOMER=1", R"(the view has no field "IDCUSTOMER".)"}, {"STATUS=1 AND COLOUR=RED", R"(no field "COLOUR")"},
        {"STATUS=active", R"(the value "active" does not convert (Type mismatch: the field STATUS takes a whole)"},
        {"STATUS=99999", R"(the value "99999" does not convert (Overflow: )"},
        {R"(DATEDUE > "12/05/2026")", "the field DATEDUE takes a date written yyyy-MM-dd"},
        {R"(AMTPYMRMTC <= "1.2345")", "the field AMTPYMRMTC takes an amount with at most 3 digits after the point"},
        {"SWPAID=perhaps", R"(the value "perhaps" does not convert)"},
        {"STATUS LIKE 1%", "LIKE compares text, and the field STATUS does not hold text."},
        {R"(IDCUST > "1200)", R"(the double quote before "1200" is not closed.)"},
        {R"(IDCUST = 12"00)", R"(a double quote stands inside the value "12"00"; quote the whole value.)"},
        {R"(IDCUST = "A"B")", R"(AND, OR or the end was expected after the value "A" at "B"".)"},
        {"(STATUS=1 AND SWPAID=0", R"~(the bracket opened at "(STATUS=1 AND SWPAID=0" is not closed.)~"},
        {"STATUS=1)", R"~(a closing bracket has no opening one at ")".)~"},
        {"STATUS 1", R"(an operator (=, <>, !=, <, <=, >, >= or LIKE) was expected after STATUS at "1".)"},
        {"STATUS =< 1", R"(the value "< 1" does not convert)"}, {"EMPLOYEE LIKEJO%", R"(after EMPLOYEE at "LIKEJO%")"},
        {"STATUS", "was expected after STATUS at the end."}, {"STATUS=1 AND", "a condition was expected at the end."},
        {"AND STATUS=1", R"(no field "AND")"},
        {"=1", R"(a field name was expected at "=1")"}, {"STATUS\t=1", "was expected after STATUS at \"\t=1\""}};
    // clang-format on
    for (const auto& [text, reason] : cases) {
        const QString filter = QString::fromUtf8(text), message = refusal(filter);
        EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot read the filter \"%1\": ").arg(filter)) &&
                    message.contains(QString::fromUtf8(reason)) && message.endsWith(u'.'))
            << message.toStdString();
    }
}

TEST(FilterLimits, NestingAndConditionsAreBounded) {
    const auto nested = [](int depth) { return QString(depth, u'(') + "STATUS=1" + QString(depth, u')'); };
    EXPECT_EQ(compiled(nested(MaxNesting)).sql, R"("STATUS" = ?1)");
    EXPECT_TRUE(refusal(nested(MaxNesting + 1)).contains("brackets are nested deeper than 64 levels"));
    EXPECT_THROW(compiled(QString(1 << 20, u'(')), FilterError);  // refused at the limit, not read to the end
    QStringList conditions;
    for (int i = 0; i < MaxConditions; ++i) conditions << QStringLiteral("STATUS=%1").arg(i);
    EXPECT_EQ(compiled(conditions.join(" OR ")).params.size(), std::size_t(MaxConditions));
    const QString tooMany = refusal(conditions.join(" OR ") + " OR STATUS=0");
    EXPECT_TRUE(tooMany.contains("more than 256 conditions")) << tooMany.toStdString();
    EXPECT_LT(tooMany.size(), 400);  // a long filter is cut in the message
}

// Reads one filter; a refusal must be a FilterError that quotes the filter.
void readOrRefuse(const QString& text) {
    SCOPED_TRACE(text.toStdString());
    std::unique_ptr<Node> tree;
    try {
        tree = parse(text, fixtures::filterLookup());
    } catch (const FilterError& e) {
        EXPECT_TRUE(e.description().startsWith("Cannot read the filter \"")) << e.description().toStdString();
        return;
    }
    const SqlWhere where = toSql(tree.get());
    static const QRegularExpression allowed(
        QStringLiteral(R"("[A-Z0-9_]+"|\?\d+|trovex_like|\bAND\b|\bOR\b|<>|<=|>=|=|<|>|[(), ])"));
    EXPECT_EQ(QString(where.sql).remove(allowed), QString()) << where.sql.toStdString();
    // Placeholders are numbered 1, 2, 3... in the order their values are listed.
    std::size_t n = 0;
    for (auto it = QRegularExpression(QStringLiteral(R"(\?(\d+))")).globalMatch(where.sql); it.hasNext();)
        EXPECT_EQ(it.next().captured(1).toUInt(), ++n);
    EXPECT_EQ(n, where.params.size());
}

TEST(FilterFuzz, RandomTextAndDamagedFiltersReadOrAreRefused) {
    // The language's own tokens, so that random text gets deep into the reader.
    const QStringList pieces =
        QStringLiteral(
            "STATUS|IDCUST|DATEDUE|AMTPYMRMTC|ACCTDESC|SWPAID|NOSUCH| AND | OR |AND| LIKE |=|<>|!=|<|<=|>|>=|(|)|\"| |"
            "  |1|-1.5|2026-12-05|%|_|'|;|\t|é|\U0001F600|?1|\\|ZZZZZZZZZZZZ|")
            .split(u'|');
    std::mt19937 random(20261205);
    const auto below = [&](qsizetype n) { return std::uniform_int_distribution<qsizetype>(0, n - 1)(random); };
    for (int round = 0; round < 20000; ++round) {
        QString text;
        for (auto i = below(25); i > 0; --i) text += pieces[below(pieces.size())];
        readOrRefuse(text);
    }
    // The filters above, damaged.
    for (const Readable& good : Readables) {
        for (int round = 0; round < 1000; ++round) {
            QString text = QString::fromUtf8(good.filter);
            for (auto damage = 1 + below(3); damage > 0; --damage) {
                const qsizetype at = below(text.size() + 1);
                const auto how = below(4);
                if (how == 0)
                    text.remove(at, 1);
                else if (how == 1)
                    text.insert(at, pieces[below(pieces.size())]);
                else if (how == 2)
                    text.insert(at, text.mid(below(text.size() + 1), 6));
                else
                    text.truncate(at);
            }
            readOrRefuse(text);
        }
    }
}

// A value as the reference compares it and the table stores it: whole numbers
// (dates as yyyymmdd, 0 for no date; amounts in thousandths) or UTF-8 text.
using Key = sqlite::Stored;
enum Column { IdCust, Status, SwPaid, DateDue, Amount, AcctDesc, ColumnCount };
const char* const kNames[ColumnCount] = {"IDCUST", "STATUS", "SWPAID", "DATEDUE", "AMTPYMRMTC", "ACCTDESC"};
// The values written in filters and stored in rows, per column.
// clang-format off
const char* const kSamples[ColumnCount] = {"1200|1300|AB|ab||A B|Z", "-1|0|1|2|3.0", "0|1|True|false",
                                           "|2026-01-31|2026-12-05|2025-12-31", "0|12.5|12.500|-3.25|1234.567|",
                                           "Rent Expense|rental income|École fees|école|Parent|RENT|Ecole"};
// clang-format on
const char* const kOps[] = {"=", "<>", "!=", "<", "<=", ">", ">=", "LIKE"};
const char* const kPatterns = "rent%|%RENT%|%É%|_ent%|%|école|%e_||ren%t%";

Key keyOf(int column, const QString& text) {
    if (column == IdCust || column == AcctDesc) return text.toUtf8();
    if (column == SwPaid) return std::int64_t(text == "1" || text.compare("true", Qt::CaseInsensitive) == 0);
    if (column == DateDue) return QString(text).remove(u'-').toLongLong();
    return std::llround(text.toDouble() * (column == Amount ? 1000 : 1));
}

// The naive reference for LIKE: recursive, on whole QStrings.
bool referenceLike(QStringView text, QStringView pattern) {
    if (pattern.isEmpty()) return text.isEmpty();
    if (pattern[0] == u'%')
        return referenceLike(text, pattern.mid(1)) || (!text.isEmpty() && referenceLike(text.mid(1), pattern));
    if (text.isEmpty()) return false;
    if (pattern[0] != u'_' && pattern[0].toCaseFolded() != text[0].toCaseFolded()) return false;
    return referenceLike(text.mid(1), pattern.mid(1));
}

using Row = std::array<Key, ColumnCount>;

// A generated condition: the text that writes it and the truth it has on a row.
struct Generated {
    QString text;
    std::function<bool(const Row&)> holds;
    bool isOr = false;
};

struct Generator {
    std::mt19937 random_{42};

    Generated condition(int depth) {
        if (depth == 0 || chance(2)) return comparison();
        const bool isAnd = chance(2);
        const Generated left = condition(depth - 1), right = condition(depth - 1);
        // An OR under an AND needs its brackets; any other may have them or not.
        const auto bracket = [&](const Generated& g) {
            return (isAnd && g.isOr) || chance(4) ? '(' + g.text + ')' : g.text;
        };
        const QString text = bracket(left) + pick(isAnd ? " AND | and |  AND  " : " OR | Or |   OR ") + bracket(right);
        if (isAnd) return {text, [=](const Row& r) { return left.holds(r) && right.holds(r); }};
        return {text, [=](const Row& r) { return left.holds(r) || right.holds(r); }, true};
    }

    Row row() {
        Row r;
        for (int column = 0; column < ColumnCount; ++column) r[column] = keyOf(column, pick(kSamples[column]));
        return r;
    }

    bool chance(int oneIn) { return std::uniform_int_distribution<int>(1, oneIn)(random_) == 1; }
    QString pick(const char* options) {
        const QStringList all = QString::fromUtf8(options).split(u'|');
        return all[std::uniform_int_distribution<qsizetype>(0, all.size() - 1)(random_)];
    }

    Generated comparison() {
        const int column = std::uniform_int_distribution<int>(0, ColumnCount - 1)(random_);
        const bool textColumn = column == IdCust || column == AcctDesc;
        const int op = std::uniform_int_distribution<int>(0, textColumn ? 7 : 6)(random_);  // 7 is LIKE
        const QString value = pick(op == 7 ? kPatterns : kSamples[column]);
        // Values are quoted as the engine writes them, or bare as fixed filters
        // do; a bare text value with blanks around it would lose them.
        const bool quoted = chance(2) || (textColumn && value != value.trimmed()) || value.contains(u'%');
        const QString name = QString::fromUtf8(kNames[column]);
        // LIKE is a word and needs blanks around it; symbols may go without.
        const auto around = [&] { return pick(op == 7 ? " |  " : " ||  "); };
        const QString text = (chance(3) ? name.toLower() : name) + around() + QString::fromUtf8(kOps[op]) + around() +
                             (quoted ? '"' + value + '"' : value);
        return {text, [column, op, value, key = keyOf(column, value)](const Row& row) {
                    if (op == 7) return referenceLike(QString::fromUtf8(std::get<QByteArray>(row[column])), value);
                    const int c = row[column] < key ? -1 : key < row[column] ? 1 : 0;
                    const bool truth[] = {c == 0, c != 0, c != 0, c == -1, c != 1, c == 1, c != -1};
                    return truth[op];
                }};
    }
};

TEST(FilterOnSqlite, RandomFiltersSelectWhatTheReferenceSelects) {
    sqlite::Database db(":memory:", sqlite::Database::Mode::Create);
    sqlite::registerSqlFunctions(db.handle());
    db.exec("CREATE TABLE t (IDCUST, STATUS, SWPAID, DATEDUE, AMTPYMRMTC, ACCTDESC)");
    Generator generate;
    std::vector<Row> rows;
    sqlite::Statement insert(db, "INSERT INTO t VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    for (int i = 0; i < 300; ++i) {
        rows.push_back(generate.row());
        for (int column = 0; column < ColumnCount; ++column) insert.bind(column + 1, rows.back()[column]);
        insert.step();
        insert.reset();
    }
    int selective = 0;  // filters that select some rows but not all
    for (int round = 0; round < 600; ++round) {
        const Generated condition = generate.condition(3);
        std::vector<std::int64_t> expected, got;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (condition.holds(rows[i])) expected.push_back(std::int64_t(i) + 1);
        // The filter runs through toSql and its bound values, stored as the reference compares them.
        const SqlWhere where = toSql(parse(condition.text, fixtures::filterLookup()).get());
        sqlite::Statement select(
            db, "SELECT rowid FROM t" + (where.sql.isEmpty() ? "" : " WHERE " + where.sql) + " ORDER BY rowid");
        for (std::size_t i = 0; i < where.params.size(); ++i) {
            const auto column = std::find(std::begin(kNames), std::end(kNames), where.params[i].field->name);
            select.bind(int(i) + 1, keyOf(int(column - std::begin(kNames)), where.params[i].value.toText()));
        }
        while (select.step()) got.push_back(select.columnInt(0));
        EXPECT_EQ(got, expected) << condition.text.toStdString();
        selective += !expected.empty() && expected.size() < rows.size();
    }
    // The comparison means something only when most filters split the rows.
    EXPECT_GT(selective, 300);
}

TEST(LikeMatch, AgreesWithTheLanguage) {
    // clang-format off
    const struct { const char* text; const char* pattern; bool matches; } cases[] = {
        {"Rent rental", "%rental", true}, {"ÉCOLE FEES", "école%", true}, {"ΑΘΗΝΑ", "αθηνα", true},
        {"Ecole", "école", false}, {"a\xF0\x9F\x98\x80z", "a_z", true}, {"", "", true}, {"a", "", false},
        {"", "%", true}, {"Rnt", "r_nt", false}, {"a\xFF" "b", "a_b", true}, {"a\xFF", "a\xFF", false},
        {"a\xC3", "a%", true}, {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "%a%a%a%a%a%a%a%c", false}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(likeMatches(c.text, c.pattern), c.matches) << c.text << " LIKE " << c.pattern;
    // In SQL, NULL on either side gives NULL.
    sqlite::Database db(":memory:", sqlite::Database::Mode::Create);
    sqlite::registerSqlFunctions(db.handle());
    sqlite::Statement nulls(db, "SELECT trovex_like(NULL, 'a') IS NULL AND trovex_like('a', NULL) IS NULL");
    ASSERT_TRUE(nulls.step());
    EXPECT_EQ(nulls.columnInt(0), 1);
}

}  // namespace
