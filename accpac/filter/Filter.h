// The browse-filter language, parsed into a tree.
//
//   filter     := or
//   or         := and { "OR" and }
//   and        := primary { "AND" primary }
//   primary    := "(" or ")" | comparison
//   comparison := FIELD op value
//   op         := "=" | "<>" | "!=" | "<" | "<=" | ">" | ">=" | "LIKE"
//   value      := '"' any characters but '"' '"'
//              |  bare text up to the next blank-framed AND/OR, ")" or the end (may be empty)
//
// Keywords and field names are matched without regard to letter case; blanks
// around operators are optional ("STATUS=1", "STATUS = 1"). A bare value
// loses the blanks around it but keeps those inside ("MARY ANN%"); a quoted
// value is taken exactly, and a double quote inside a bare value is refused.
// Each value is converted to its field's type (convertText), so a date or
// amount written as the grid shows it compares as a date or amount; an empty
// date is Empty, which stands for "no date" and orders before every date.
// LIKE takes % and _ as wildcards, applies to text fields and ignores letter
// case, for letters beyond ASCII too. A filter of blanks only is no condition
// at all. Brackets nest at most MaxNesting deep and a filter holds at most
// MaxConditions comparisons, so no filter can exhaust the stack or a
// database's expression depth.
//
// Values are never put into SQL text: toSql gives placeholders and the values
// to bind.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "accpac/AccpacError.h"
#include "accpac/AccpacField.h"
#include "accpac/Variant.h"

namespace accpac::filter {

constexpr int MaxNesting = 64;      // brackets inside brackets
constexpr int MaxConditions = 256;  // comparisons in one filter

enum class Op { Eq, Ne, Lt, Le, Gt, Ge, Like };

struct Node {
    enum class Kind { Compare, And, Or };
    Kind kind = Kind::Compare;
    // Compare
    const FieldDef* field = nullptr;  // the field compared (owned by the catalogue)
    Op op = Op::Eq;
    Variant value;  // converted to the field's type; LIKE: the pattern as a String
    // And / Or
    std::unique_ptr<Node> left, right;
};

// The field of a name in the view being browsed, or nullptr when it has none.
using FieldLookup = std::function<const FieldDef*(const QString& name)>;

// A filter that cannot be read: number AccpacFailure, and a description that
// quotes the offending text and the whole filter.
class FilterError : public AccpacError {
public:
    explicit FilterError(const QString& description) : AccpacError(errnum::AccpacFailure, description) {}
};

// Parses a filter; blanks only give nullptr. Throws FilterError for a filter
// that cannot be read (unclosed quote or bracket, missing operator or
// condition, too deep or too long), an unknown field, a value that does not
// convert to its field's type (naming the field and the text), or LIKE on a
// field that is not text. A field is looked up by its name as written, then
// in capitals.
std::unique_ptr<Node> parse(const QString& text, const FieldLookup& fields);

struct SqlWhere {
    QString sql;  // e.g. ("IDCUST" = ?1 AND "SWPAID" = ?2); "" for no condition
    struct Param {
        const FieldDef* field;
        Variant value;
    };
    std::vector<Param> params;  // bound in order to ?1, ?2, ...
};

// The condition as SQL over columns named like the fields (double-quoted),
// with numbered placeholders starting at `firstParam`: comparisons as
// "COL" op ?N, AND/OR chains in brackets. Each parameter's value has its
// field's type; the backend binds it as it stores that type (an Empty date as
// its "no date"). LIKE compiles to LikeFunctionName("COL", ?N), bound to the
// pattern text. nullptr gives an empty condition.
SqlWhere toSql(const Node* root, int firstParam = 1);

// The SQL function LIKE conditions call; each backend gives its connections
// one that matches as likeMatches does.
inline constexpr const char* LikeFunctionName = "trovex_like";

// True when the text matches the LIKE pattern: % any run of characters, _
// exactly one, every other character equal after Unicode simple case folding
// (so "rent%" finds "Rent Expense" and "élan%" finds "Élan"). Both are UTF-8;
// a malformed byte counts as one character that only _ and % match.
bool likeMatches(std::string_view text, std::string_view pattern);

// The text with every character replaced by its simple case folding, the
// form in which likeMatches compares characters: text A matches a pattern
// without wildcards B exactly when their folded forms are equal. Malformed
// bytes stay as they are.
std::string foldedText(std::string_view utf8);

// Every character whose folding equals that of `c`, `c` included, in
// ascending order ("k": "K", "k" and the Kelvin sign).
std::vector<char32_t> caseVariants(char32_t c);

// The SQL function that gives foldedText of a text (NULL for NULL), for
// search indexes that hold texts as LIKE compares them.
inline constexpr const char* FoldFunctionName = "trovex_fold";

}  // namespace accpac::filter
