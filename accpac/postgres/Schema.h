// What makes a database on the server a company: the schema "trovex" with
// the marker table (the company's name and the layout's format), one table
// per view of the catalogue, its key indexes, and the search functions and
// indexes.
//
// Texts are stored with the "C" collation, so keys order byte for byte in
// UTF-8, exactly as the embedded backend orders them; every other type is
// stored as the same whole number the embedded backend keeps (dates as
// yyyymmdd, amounts in units of their decimals).
//
// LIKE conditions ignore letter case with the component's own folding: the
// function trovex_fold maps each character to its simple case folding (a
// table written from the component's Unicode data when the company is
// loaded, its result in the "C" collation). Each searchable text column has
// a stored column of its folded text beside it, which the server fills from
// the text as the record is written, and on that column: a B-tree for
// "starts with", holding the view's first key beside the text; the ordered
// prefix index (hasOrderedIndex) for "starts with" that thousands of records
// hold; a trigram index for "contains"; an index of the characters and pairs
// of adjacent characters of the folded text (trovex_pairs), which finds the
// texts holding runs of one or two fixed characters, too short for
// trigrams; and an index of the stretches that repeat one character or
// alternate two (trovex_repeats), which finds runs such as "11111" whose
// few trigrams nearly every text holds. A LIKE condition compares the
// folded column with the pattern, folded by the component the same way
// before it is sent, its backslashes doubled, so % and _ are the only
// special characters; a search that reads many records then tests stored
// text instead of folding every record's text again.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "accpac/catalogue/Catalogue.h"

namespace accpac::postgres {

inline constexpr const char* CompanySchema = "trovex";
constexpr int ServerFormat = 5;  // bumped when tables, functions or indexes change shape

// The statements that make the marker table, the functions and every view's
// table in the schema (which must exist and lead the search path).
QStringList createCompanySql(const QString& companyName);
// The statements that make a view's indexes, keys and searches.
QStringList createIndexSql(const catalogue::ViewDef& view);
// The text fields that have search indexes (on their folded texts), and the
// shortest run of fixed characters the trigram index finds; the index of
// characters and pairs finds shorter ones.
QStringList searchedFields(const catalogue::ViewDef& view);
inline constexpr int ShortestSearchedRun = 3;
// The fields of `view` with an ordered prefix index: the searched ones but
// the first key's leading segment, whose starts are ranges of the key itself.
// The index holds the first OrderedPrefixLength characters of the folded text
// (orderedPrefixSql), then the first key, and the folded text beside them:
// the records whose texts start with a prefix of that length or more are
// in key order among those of its first characters, a fraction of the
// table, and are tested from the index alone.
bool hasOrderedIndex(const catalogue::ViewDef& view, const QString& field);
inline constexpr int OrderedPrefixLength = 3;
QString orderedPrefixSql(const QString& folded);
// The value orderedPrefixSql gives for texts that start with `prefix` (folded,
// UTF-8, at least OrderedPrefixLength characters): its first characters.
QByteArray orderedPrefixValue(const QByteArray& prefix);
// The condition that the folded text `folded` holds every character and
// pair of `pieces` (a placeholder bound to piecesValue), which the index of
// characters and pairs answers.
QString holdsPiecesSql(const QString& folded, const QString& pieces);
// The array of the characters and pairs a folded text holds when it holds
// each of `runs` (runs of fixed characters, folded, UTF-8): a run of one
// character itself, a longer one its pairs of adjacent characters.
QByteArray piecesValue(const std::vector<QByteArray>& runs);
// True when a folded run of fixed characters is four or more that repeat
// one character or alternate two ("11111", "90909"), which the index of
// repeats finds far better than its one or two trigrams.
bool isRepeat(const QByteArray& run);
// The condition that the folded text `folded` holds a stretch of each
// repeat of `tokens` (a placeholder bound to repeatsValue), which the index
// of repeats answers.
QString holdsRepeatsSql(const QString& folded, const QString& tokens);
// The tokens of the repeats `runs` (runs isRepeat accepts): a text holding
// such a run holds its token.
QByteArray repeatsValue(const std::vector<QByteArray>& runs);
// The longest stretch of a repeat the index of repeats tells apart.
inline constexpr int RepeatTokenLength = 8;
// The column that keeps a searched field's folded text, which the server
// makes from the field as the record is written.
QString foldedColumn(const QString& field);
// The folded text of a field of `view` in SQL: its column, or, for a text
// too short to be searched, the fold function on the field.
QString foldedSql(const catalogue::ViewDef& view, const QString& field);
// The condition that the folded text `folded` matches the LIKE `pattern` (a
// placeholder whose value is folded already, as filter::foldedText folds,
// and has its backslashes doubled: the server's LIKE escapes with them).
QString likeSql(const QString& folded, const QString& pattern);
// True when the session's role may change a table of the company.
QString mayChangeDataSql();
// The select list of the marker: name, format.
QString readMarkerSql();

}  // namespace accpac::postgres
