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
// around operators are optional ("STATUS=1", "STATUS = 1"). Each value is
// converted to its field's type (convertText), so a date or amount written as
// the grid shows it compares as a date or amount. LIKE takes % and _ as
// wildcards, applies to text fields and ignores letter case. A filter of
// blanks only is no condition at all.
//
// Values are never put into SQL text: toSql gives placeholders and the values
// to bind.
#pragma once

#include "accpac/AccpacError.h"
#include "accpac/AccpacField.h"
#include "accpac/Variant.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace accpac::filter {

enum class Op { Eq, Ne, Lt, Le, Gt, Ge, Like };

struct Node {
    enum class Kind { Compare, And, Or };
    Kind kind = Kind::Compare;
    // Compare
    const FieldDef* field = nullptr;  // the field compared (owned by the catalogue)
    Op op = Op::Eq;
    Variant value;                    // converted to the field's type; LIKE: the pattern as a String
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
// that cannot be read, an unknown field, a value that does not convert to its
// field's type, or LIKE on a field that is not text.
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
// with numbered placeholders starting at `firstParam`. LIKE compiles to a
// case-insensitive match. nullptr gives an empty condition.
SqlWhere toSql(const Node* root, int firstParam = 1);

}  // namespace accpac::filter
