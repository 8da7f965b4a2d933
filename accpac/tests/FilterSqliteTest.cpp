// Filters run on a real SQLite table: random filters, written in every way
// the language allows, select exactly the rows a plain evaluation of the
// same conditions selects; the LIKE function folds letter case beyond ASCII;
// text a user typed stays data.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QStringList>
#include <random>
#include <variant>

#include "FilterFields.h"

using namespace accpac;
using namespace accpac::filter;

namespace {

constexpr int kAmountScale = 3;  // AMTPYMRMTC's decimals in FilterFields.h

// A value as the reference compares it: whole numbers (dates as yyyymmdd,
// 0 for no date; amounts in units) or text.
using Key = std::variant<std::int64_t, QString>;

struct Sample {
    const char* text;  // as written in a filter
    Key key;
};

enum Column { IdCust, Status, SwPaid, DateDue, Amount, AcctDesc, ColumnCount };
const char* const kNames[ColumnCount] = {"IDCUST", "STATUS", "SWPAID", "DATEDUE", "AMTPYMRMTC", "ACCTDESC"};

const std::vector<Sample>& samples(int column) {
    static const std::vector<Sample> all[ColumnCount] = {
        {{"1200", QString("1200")},
         {"1300", QString("1300")},
         {"AB", QString("AB")},
         {"ab", QString("ab")},
         {"", QString()},
         {"A B", QString("A B")},
         {"Z", QString("Z")}},
        {{"-1", 0 - std::int64_t(1)},
         {"0", std::int64_t(0)},
         {"1", std::int64_t(1)},
         {"2", std::int64_t(2)},
         {"3.0", std::int64_t(3)}},
        {{"0", std::int64_t(0)}, {"1", std::int64_t(1)}, {"True", std::int64_t(1)}, {"false", std::int64_t(0)}},
        {{"", std::int64_t(0)},
         {"2026-01-31", std::int64_t(20260131)},
         {"2026-12-05", std::int64_t(20261205)},
         {"2025-12-31", std::int64_t(20251231)}},
        {{"0", std::int64_t(0)},
         {"12.5", std::int64_t(12500)},
         {"12.500", std::int64_t(12500)},
         {"-3.25", std::int64_t(-3250)},
         {"1234.567", std::int64_t(1234567)},
         {"", std::int64_t(0)}},
        {{"Rent Expense", QString("Rent Expense")},
         {"rental income", QString("rental income")},
         {"École fees", QStringLiteral("École fees")},
         {"école", QStringLiteral("école")},
         {"Parent", QString("Parent")},
         {"RENT", QString("RENT")},
         {"Ecole", QString("Ecole")}},
    };
    return all[column];
}

const char* const kPatterns[] = {"rent%", "%RENT%", "%É%", "_ent%", "%", "école", "%e_", "", "ren%t%"};

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

// A generated condition, with the text that writes it and the truth it has on a row.
struct Condition {
    enum Kind { Compare, And, Or } kind = Compare;
    int column = 0;
    int op = 0;  // index into kOps; 7 is LIKE
    Key key;
    QString pattern;
    std::unique_ptr<Condition> left, right;

    bool holds(const Row& row) const {
        if (kind == And) return left->holds(row) && right->holds(row);
        if (kind == Or) return left->holds(row) || right->holds(row);
        if (op == 7) return referenceLike(std::get<QString>(row[column]), pattern);
        const Key& value = row[column];
        switch (op) {
            case 0:
                return value == key;
            case 1:
            case 2:
                return value != key;
            case 3:
                return value < key;
            case 4:
                return value <= key;
            case 5:
                return value > key;
            default:
                return value >= key;
        }
    }
};

const char* const kOps[] = {"=", "<>", "!=", "<", "<=", ">", ">=", "LIKE"};

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    // A condition and its text; `depth` bounds the nesting.
    std::unique_ptr<Condition> condition(int depth, QString& text) {
        auto c = std::make_unique<Condition>();
        if (depth == 0 || chance(2)) {
            writeComparison(*c, text);
            return c;
        }
        c->kind = chance(2) ? Condition::And : Condition::Or;
        QString left, right;
        c->left = condition(depth - 1, left);
        c->right = condition(depth - 1, right);
        // An OR under an AND needs its brackets; any other may have them or not.
        const auto bracket = [&](const Condition& child, const QString& t) {
            return (c->kind == Condition::And && child.kind == Condition::Or) || chance(4) ? u'(' + t + u')' : t;
        };
        text = bracket(*c->left, left) +
               (c->kind == Condition::And ? pick({" AND ", " and ", "  AND  "}) : pick({" OR ", " Or ", "   OR "})) +
               bracket(*c->right, right);
        return c;
    }

    Row row() {
        Row r;
        for (int column = 0; column < ColumnCount; ++column) {
            const auto& pool = samples(column);
            r[column] = pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random_)].key;
        }
        return r;
    }

private:
    std::mt19937 random_;

    bool chance(int oneIn) { return std::uniform_int_distribution<int>(1, oneIn)(random_) == 1; }
    QString pick(std::initializer_list<const char*> options) {
        const auto i = std::uniform_int_distribution<std::size_t>(0, options.size() - 1)(random_);
        return QString::fromUtf8(options.begin()[i]);
    }

    void writeComparison(Condition& c, QString& text) {
        c.column = std::uniform_int_distribution<int>(0, ColumnCount - 1)(random_);
        const bool textColumn = c.column == IdCust || c.column == AcctDesc;
        c.op = std::uniform_int_distribution<int>(0, textColumn ? 7 : 6)(random_);
        QString value;
        if (c.op == 7) {
            c.pattern = QString::fromUtf8(
                kPatterns[std::uniform_int_distribution<std::size_t>(0, std::size(kPatterns) - 1)(random_)]);
            value = c.pattern;
        } else {
            const auto& pool = samples(c.column);
            const Sample& s = pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random_)];
            c.key = s.key;
            value = QString::fromUtf8(s.text);
        }
        // Values are quoted as the engine writes them, or bare as fixed filters
        // do; a bare text value with blanks around it would lose them.
        const bool quoted = chance(2) || (textColumn && value != value.trimmed()) || value.contains(u'%');
        const QString written = quoted ? u'"' + value + u'"' : value;
        const QString name =
            chance(3) ? QString::fromUtf8(kNames[c.column]).toLower() : QString::fromUtf8(kNames[c.column]);
        // LIKE is a word and needs blanks around it; symbols may go without.
        const auto around = [&] { return c.op == 7 ? pick({" ", "  "}) : pick({" ", "", "  "}); };
        text = name + around() + QString::fromUtf8(kOps[c.op]) + around() + written;
    }
};

// An in-memory table with the test fields as columns, stored as the reference compares them.
class SqliteTable {
public:
    SqliteTable() {
        EXPECT_EQ(sqlite3_open(":memory:", &db_), SQLITE_OK);
        registerSqlFunctions(db_);
        exec(
            "CREATE TABLE t (IDCUST TEXT, STATUS INTEGER, SWPAID INTEGER, DATEDUE INTEGER, AMTPYMRMTC INTEGER, "
            "ACCTDESC TEXT)");
    }
    ~SqliteTable() { sqlite3_close(db_); }

    void exec(const char* sql) {
        ASSERT_EQ(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db_);
    }

    void insert(const Row& row) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db_, "INSERT INTO t VALUES (?1, ?2, ?3, ?4, ?5, ?6)", -1, &st, nullptr);
        for (int column = 0; column < ColumnCount; ++column) {
            if (const auto* s = std::get_if<QString>(&row[column]))
                sqlite3_bind_text(st, column + 1, s->toUtf8().constData(), -1, SQLITE_TRANSIENT);
            else
                sqlite3_bind_int64(st, column + 1, std::get<std::int64_t>(row[column]));
        }
        EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
        sqlite3_finalize(st);
    }

    // Row numbers (from 1) that the filter selects, through toSql and bound values.
    std::vector<std::int64_t> select(const QString& filter) {
        const auto tree = parse(filter, fixtures::filterLookup());
        const SqlWhere where = toSql(tree.get());
        const QString sql =
            "SELECT rowid FROM t" + (where.sql.isEmpty() ? QString() : " WHERE " + where.sql) + " ORDER BY rowid";
        sqlite3_stmt* st = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db_);
        for (std::size_t i = 0; i < where.params.size(); ++i) bind(st, int(i) + 1, where.params[i]);
        std::vector<std::int64_t> rows;
        while (sqlite3_step(st) == SQLITE_ROW) rows.push_back(sqlite3_column_int64(st, 0));
        sqlite3_finalize(st);
        return rows;
    }

    sqlite3* db() const { return db_; }

private:
    sqlite3* db_ = nullptr;

    static void bind(sqlite3_stmt* st, int i, const SqlWhere::Param& p) {
        const Variant& v = p.value;
        switch (p.field->type) {
            case FieldType::String:
                sqlite3_bind_text(st, i, v.asString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
                break;
            case FieldType::Int16:
            case FieldType::Int32:
                sqlite3_bind_int64(st, i, v.asInt());
                break;
            case FieldType::Boolean:
                sqlite3_bind_int64(st, i, v.asBool() ? 1 : 0);
                break;
            case FieldType::Date: {
                const QDate d = v.isEmpty() ? QDate() : v.asDate();
                sqlite3_bind_int64(st, i, d.isValid() ? d.year() * 10000 + d.month() * 100 + d.day() : 0);
                break;
            }
            case FieldType::Decimal:
                sqlite3_bind_int64(st, i, *v.asDecimal().unitsAt(kAmountScale));
                break;
        }
    }
};

TEST(FilterOnSqlite, RandomFiltersSelectWhatTheReferenceSelects) {
    Generator generate(42);
    SqliteTable table;
    std::vector<Row> rows;
    for (int i = 0; i < 300; ++i) {
        rows.push_back(generate.row());
        table.insert(rows.back());
    }
    int selective = 0;  // filters that select some rows but not all
    for (int round = 0; round < 600; ++round) {
        QString text;
        const auto condition = generate.condition(3, text);
        std::vector<std::int64_t> expected;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (condition->holds(rows[i])) expected.push_back(std::int64_t(i) + 1);
        EXPECT_EQ(table.select(text), expected) << text.toStdString();
        if (!expected.empty() && expected.size() < rows.size()) ++selective;
    }
    // The comparison means something only when most filters split the rows.
    EXPECT_GT(selective, 300);
}

TEST(FilterOnSqlite, TypedTextStaysData) {
    SqliteTable table;
    table.insert({QString("1200"), std::int64_t(1), std::int64_t(0), std::int64_t(0), std::int64_t(0),
                  QString("it's 100% \"rent\"")});
    EXPECT_EQ(table.select(R"(ACCTDESC LIKE "it's; DROP TABLE t; --%")").size(), 0u);
    EXPECT_EQ(table.select(R"(ACCTDESC LIKE "%'S 100%")").size(), 1u);
    EXPECT_EQ(table.select(R"(IDCUST = "1200' OR '1'='1")").size(), 0u);
    EXPECT_EQ(table.select("IDCUST=1200").size(), 1u);  // the table is still there
}

struct LikeCase {
    const char* name;
    const char* text;
    const char* pattern;
    bool matches;
    friend void PrintTo(const LikeCase& c, std::ostream* os) { *os << c.name; }
};

class LikeMatch : public ::testing::TestWithParam<LikeCase> {};

TEST_P(LikeMatch, AgreesWithTheLanguage) {
    const LikeCase& c = GetParam();
    EXPECT_EQ(likeMatches(c.text, c.pattern), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, LikeMatch,
    ::testing::Values(
        LikeCase{"StartsWithAnyCase", "Rent Expense", "rent%", true},
        LikeCase{"ContainsAnyCase", "Office rental", "%RENT%", true},
        LikeCase{"NotContained", "Office", "%rent%", false}, LikeCase{"Exact", "AB", "ab", true},
        LikeCase{"ExactIsWhole", "ABC", "ab", false}, LikeCase{"UnderscoreIsOneCharacter", "Rent", "r_nt", true},
        LikeCase{"UnderscoreNeedsOne", "Rnt", "r_nt", false},
        LikeCase{"UnderscoreTakesAccented", "École", "_cole", true},
        LikeCase{"AccentedFolds", "ÉCOLE FEES", "école%", true}, LikeCase{"GreekFolds", "ΑΘΗΝΑ", "αθηνα", true},
        LikeCase{"AccentIsNotDropped", "Ecole", "école", false},
        LikeCase{"FourByteCharacter", "a\xF0\x9F\x98\x80z", "a_z", true},
        LikeCase{"EmptyPatternEmptyText", "", "", true}, LikeCase{"EmptyPatternText", "a", "", false},
        LikeCase{"PercentAlone", "", "%", true},
        LikeCase{"ManyPercents", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "%a%a%a%a%a%a%a%c", false},
        LikeCase{"BacktrackFindsLaterMatch", "rent rental", "%rental", true},
        LikeCase{"MalformedByteMatchesUnderscore",
                 "a\xFF"
                 "b",
                 "a_b", true},
        LikeCase{"MalformedBytesDiffer", "a\xFF", "a\xFF", false}, LikeCase{"TruncatedSequence", "a\xC3", "a%", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LikeMatch, NullGivesNullInSql) {
    SqliteTable table;
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(table.db(), "SELECT trovex_like(NULL, 'a'), trovex_like('a', NULL)", -1, &st, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_type(st, 0), SQLITE_NULL);
    EXPECT_EQ(sqlite3_column_type(st, 1), SQLITE_NULL);
    sqlite3_finalize(st);
}

}  // namespace
