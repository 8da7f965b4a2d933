// Robustness of the filter reader: random text and random damage to good
// filters never crash it; each either reads or is refused with FilterError,
// and whatever reads compiles to SQL made only of column names, operators
// and placeholders, whatever the text held.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>
#include <random>

#include "FilterFields.h"

using namespace accpac;
using namespace accpac::filter;

namespace {

// Filters the lookups build, to be damaged.
const char* const kGoodFilters[] = {
    "STATUS=1",
    "STATUS = 1",
    "IDCUST= AND SWPAID=0",
    "AUTHORITY = GST AND CLASSTYPE = 1 AND CLASSAXIS = 1",
    R"(IDSEG = "000001")",
    "EMPLOYEE LIKE  MARY ANN%",
    R"( IDCUST >= "AB" AND (STATUS=1))",
    R"(IDINVC < "IN0005" AND (IDCUST=1200 AND SWPAID=0))",
    R"(DATEDUE > "2026-12-05" OR AMTPYMRMTC <= "1234.5")",
    R"(IDCUST=1200 AND SWPAID=0 AND IDINVC LIKE "%IN_%")",
};

// Pieces random filters are made of: the language's own tokens, so that the
// text gets deep into the reader instead of failing at the first character.
const char* const kPieces[] = {"STATUS",
                               "IDCUST",
                               "DATEDUE",
                               "AMTPYMRMTC",
                               "ACCTDESC",
                               "SWPAID",
                               "NOSUCH",
                               " AND ",
                               " OR ",
                               "AND",
                               " LIKE ",
                               "=",
                               "<>",
                               "!=",
                               "<",
                               "<=",
                               ">",
                               ">=",
                               "(",
                               ")",
                               "\"",
                               " ",
                               "  ",
                               "1",
                               "-1.5",
                               "2026-12-05",
                               "%",
                               "_",
                               "'",
                               ";",
                               "\t",
                               "é",
                               "\xF0\x9F\x98\x80",
                               "?1",
                               "\\",
                               "ZZZZZZZZZZZZ",
                               ""};

// The SQL toSql made, with every allowed token taken out; anything left came from elsewhere.
QString foreignSql(const SqlWhere& where) {
    static const QRegularExpression allowed(
        QStringLiteral(R"("[A-Z0-9_]+"|\?\d+|trovex_like|\bAND\b|\bOR\b|<>|<=|>=|=|<|>|[(), ])"));
    return QString(where.sql).remove(allowed);
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
    EXPECT_EQ(foreignSql(where), QString()) << where.sql.toStdString();
    // Placeholders are numbered 1, 2, 3... in the order their values are listed.
    const auto marks = QRegularExpression(QStringLiteral(R"(\?(\d+))")).globalMatch(where.sql);
    std::size_t n = 0;
    for (auto it = marks; it.hasNext();) EXPECT_EQ(it.next().captured(1).toUInt(), ++n);
    EXPECT_EQ(n, where.params.size());
}

TEST(FilterFuzz, RandomTextReadsOrIsRefused) {
    std::mt19937 random(20261205);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        for (int i = length(random); i > 0; --i) text += QString::fromUtf8(kPieces[piece(random)]);
        readOrRefuse(text);
    }
}

TEST(FilterFuzz, RandomBytesReadOrAreRefused) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> byte(1, 255);
    std::uniform_int_distribution<int> length(0, 64);
    for (int round = 0; round < 5000; ++round) {
        QByteArray bytes;
        for (int i = length(random); i > 0; --i) bytes += char(byte(random));
        readOrRefuse(QString::fromLatin1(bytes));
        readOrRefuse(QString::fromUtf8(bytes));
    }
}

TEST(FilterFuzz, DamagedGoodFiltersReadOrAreRefused) {
    std::mt19937 random(1200);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    for (const char* good : kGoodFilters) {
        readOrRefuse(QString::fromUtf8(good));  // undamaged, it must read
        EXPECT_NO_THROW(parse(QString::fromUtf8(good), fixtures::filterLookup())) << good;
        for (int round = 0; round < 3000; ++round) {
            QString text = QString::fromUtf8(good);
            for (int damage = std::uniform_int_distribution<int>(1, 3)(random); damage > 0; --damage) {
                const qsizetype at = std::uniform_int_distribution<qsizetype>(0, text.size())(random);
                switch (std::uniform_int_distribution<int>(0, 3)(random)) {
                    case 0:
                        text.remove(at, 1);
                        break;
                    case 1:
                        text.insert(at, QString::fromUtf8(kPieces[piece(random)]));
                        break;
                    case 2:
                        text.insert(at, text.mid(std::uniform_int_distribution<qsizetype>(0, text.size())(random), 6));
                        break;
                    default:
                        text.truncate(at);
                        break;
                }
            }
            readOrRefuse(text);
        }
    }
}

}  // namespace
