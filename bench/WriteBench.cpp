// What the search index's change table (accpac/sqlite/SearchChanges.h)
// costs the programs that write a company: 10 thousand documents inserted,
// and 10 thousand documents whose customer PO is rewritten, in one
// transaction through a plain SQLite connection (as the accounting programs
// write), with the triggers that note the changes and without them. The
// company holds 10 thousand documents to begin with; each run is rolled
// back, so every run writes into the same company.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <cstdio>

#include "accpac/catalogue/Catalogue.h"
#include "accpac/sqlite/Database.h"
#include "accpac/sqlite/SearchChanges.h"
#include "accpac/sqlite/Storage.h"
#include "accpac/tools/CompanyWriter.h"

namespace {

constexpr int Documents = 10'000;

const QString& companyPath() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("company.trovex"));
        accpac::createCompany(p, {QStringLiteral("Writes"), Documents});
        return p;
    }();
    return path;
}

void exec(sqlite3* db, const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(sql), error);
        sqlite3_free(error);
        std::abort();
    }
}

// Runs `sql` once per document with ?1 the document's number (1...).
void writeEach(sqlite3* db, const QString& sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK) std::abort();
    for (int i = 1; i <= Documents; ++i) {
        sqlite3_bind_int(s, 1, i);
        if (sqlite3_step(s) != SQLITE_DONE) std::abort();
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
}

// A new document: a copy of the first one under another document number.
QString insertSql() {
    const accpac::sqlite::ViewDef& view = *accpac::sqlite::findView(QStringLiteral("AR0036"));
    QStringList columns, values;
    for (const auto& f : view.fields) {
        columns << accpac::sqlite::quoteIdentifier(f.name);
        values << (f.name == QLatin1String("IDINVC") ? QStringLiteral("'NEW' || ?1") : columns.back());
    }
    return QStringLiteral("INSERT INTO AR0036 (%1) SELECT %2 FROM AR0036 WHERE trovex_rowid = 1")
        .arg(columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
}

void measure(benchmark::State& state, const QString& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(companyPath().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const bool noted = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        exec(db, QStringLiteral("BEGIN"));
        if (!noted)
            for (const QString& drop :
                 accpac::sqlite::dropSearchChangeTriggersSql(*accpac::sqlite::findView(QStringLiteral("AR0036"))))
                exec(db, drop);
        state.ResumeTiming();
        writeEach(db, sql);
        state.PauseTiming();
        exec(db, QStringLiteral("ROLLBACK"));
        state.ResumeTiming();
    }
    sqlite3_close_v2(db);
    state.SetItemsProcessed(state.iterations() * Documents);
}

void BM_InsertDocuments(benchmark::State& state) { measure(state, insertSql()); }

void BM_RewriteCustomerPo(benchmark::State& state) {
    measure(state, QStringLiteral("UPDATE AR0036 SET IDCUSTPO = 'PO' || ?1 WHERE trovex_rowid = ?1"));
}

}  // namespace

BENCHMARK(BM_InsertDocuments)->ArgName("noted")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteCustomerPo)->ArgName("noted")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
