// The browse filters' LIKE and case folding as SQL functions of every company
// connection: SQLite's own LIKE folds ASCII letters only, and the search
// indexes hold texts folded the way that LIKE compares them.
#include "accpac/sqlite/LikeFunction.h"

#include <sqlite3.h>

#include "accpac/AccpacError.h"
#include "accpac/filter/Filter.h"

namespace accpac::sqlite {

namespace {

using filter::foldedText;
using filter::FoldFunctionName;
using filter::LikeFunctionName;
using filter::likeMatches;

// trovex_like(text, pattern) for SQLite: 1 or 0, NULL when either is NULL.
void likeFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    // Text first, then its length: reading the length first could see a blob's size.
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int textBytes = sqlite3_value_bytes(argv[0]);
    const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const int patternBytes = sqlite3_value_bytes(argv[1]);
    if (!text || !pattern) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    sqlite3_result_int(ctx, likeMatches(std::string_view(text, std::size_t(textBytes)),
                                        std::string_view(pattern, std::size_t(patternBytes)))
                                ? 1
                                : 0);
}

// trovex_fold(text) for SQLite: the folded text, NULL for NULL.
void foldFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int bytes = sqlite3_value_bytes(argv[0]);
    if (!text) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    const std::string folded = foldedText(std::string_view(text, std::size_t(bytes)));
    sqlite3_result_text(ctx, folded.data(), int(folded.size()), SQLITE_TRANSIENT);
}

// Adds one deterministic UTF-8 function; throws AccpacFailure when SQLite refuses.
void addFunction(sqlite3* db, const char* name, int arguments,
                 void (*function)(sqlite3_context*, int, sqlite3_value**)) {
    const int rc =
        sqlite3_create_function_v2(db, name, arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                   function, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw AccpacError(errnum::AccpacFailure,
                          QStringLiteral("The search function %1 cannot be added to the company's database: %2")
                              .arg(QLatin1String(name), QString::fromUtf8(sqlite3_errstr(rc))));
}

}  // namespace

void registerSqlFunctions(sqlite3* db) {
    addFunction(db, LikeFunctionName, 2, likeFunction);
    addFunction(db, FoldFunctionName, 1, foldFunction);
}

}  // namespace accpac::sqlite
