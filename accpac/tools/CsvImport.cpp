// Replacing a view's records with those of a CSV file, all or nothing.
#include <QFile>
#include <QSet>

#include "accpac/AccpacError.h"
#include "accpac/Blanks.h"
#include "accpac/sqlite/LikeFunction.h"
#include "accpac/sqlite/SearchChanges.h"
#include "accpac/sqlite/Storage.h"
#include "accpac/tools/CompanyTables.h"
#include "accpac/tools/CompanyWriter.h"
#include "accpac/tools/Csv.h"
#include "accpac/tools/CsvBatches.h"
#include "accpac/tools/ImportCheck.h"
#include "accpac/tools/KeyOrderWatch.h"
#include "accpac/tools/SearchSideFill.h"

namespace accpac {

namespace {

constexpr qsizetype MaxProblemsListed = 100;  // a wholly wrong file still gives a readable report

using sqlite::CsvRecord;
using sqlite::ViewDef;

// The field positions the header names, or problems with it.
std::vector<int> readHeader(const ViewDef& view, const CsvRecord& header, QStringList& problems) {
    std::vector<int> columns;
    QSet<QString> seen;
    if (!header.problem.isEmpty()) problems << QStringLiteral("line %1: %2").arg(header.line).arg(header.problem);
    for (const std::string_view raw : header.fields) {
        const QString name = trimBlanks(QString::fromUtf8(raw.data(), qsizetype(raw.size())));
        const int i = view.fieldIndex(name);
        if (i < 0)
            problems << QStringLiteral("line %1: view %2 has no field \"%3\"").arg(header.line).arg(view.id, name);
        else if (seen.contains(name))
            problems << QStringLiteral("line %1: the field %2 is named twice").arg(header.line).arg(name);
        seen.insert(name);
        columns.push_back(i);
    }
    return columns;
}

// Writes the records of the batches, noting their first keys in `order`;
// returns how many, and lists the problems of the others in `problems`.
std::int64_t writeRecords(sqlite::RecordWriter& writer, const std::vector<int>& columns, sqlite::CsvBatches& batches,
                          sqlite::KeyOrderWatch& order, QStringList& problems, const ProgressReport& progress) {
    std::int64_t rows = 0;
    qsizetype refused = 0;
    while (const sqlite::CsvBatch* batch = batches.next()) {
        for (const sqlite::CsvBatch::Record& record : batch->records) {
            QString problem = record.problem;
            if (problem.isEmpty()) {
                for (std::size_t c = 0; c < columns.size(); ++c) {
                    const sqlite::CsvBatch::Value& v = batch->values[record.firstValue + c];
                    if (v.size < 0)
                        writer.setInt(columns[c], v.number);
                    else
                        writer.setTextInPlace(columns[c], batch->text(v));
                }
                // The fields the file does not name keep their empty value
                // from the start; the others are set for every record.
                problem = writer.insertAndKeep();
            }
            if (problem.isEmpty()) {
                order.add(*batch, record);
                if (++rows % 65536 == 0 && progress)
                    progress({QStringLiteral("records"), rows,
                              batch->fractionRead > 0 ? std::int64_t(double(rows) / batch->fractionRead) : 0});
                continue;
            }
            if (++refused <= MaxProblemsListed) problems << QStringLiteral("line %1: %2").arg(record.line).arg(problem);
        }
        // The texts set from this batch go with it.
        writer.clear();
    }
    if (refused > MaxProblemsListed)
        problems << QStringLiteral("and %1 more bad records").arg(refused - MaxProblemsListed);
    return rows;
}

}  // namespace

ImportResult importCsv(const QString& path, const QString& viewId, const QString& csvFile,
                       const ProgressReport& progress) {
    const ViewDef* view = sqlite::findView(viewId);
    if (!view) throw AccpacError(errnum::AccpacFailure, QStringLiteral("There is no view %1.").arg(viewId));
    sqlite::expectCompanyFile(path);
    QFile file(csvFile);
    if (!file.open(QIODevice::ReadOnly))
        throw AccpacError(errnum::AccpacFailure,
                          QStringLiteral("The file \"%1\" cannot be read: %2.").arg(csvFile, file.errorString()));
    // The file is read where the system maps it, not copied: a file of ten
    // million records holds gigabytes.
    std::string_view text;
    if (file.size() > 0) {
        const uchar* mapped = file.map(0, file.size());
        if (!mapped)
            throw AccpacError(errnum::AccpacFailure,
                              QStringLiteral("The file \"%1\" cannot be read: %2.").arg(csvFile, file.errorString()));
        text = std::string_view(reinterpret_cast<const char*>(mapped), std::size_t(file.size()));
    }
    ImportResult result;
    if (const std::optional<QString> problem = sqlite::findInvalidUtf8(text)) {
        result.problems << *problem;
        return result;
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    sqlite::CsvReader reader(text);
    CsvRecord header;
    if (!reader.next(header)) {
        result.problems << QStringLiteral("line 1: the file has no header row");
        return result;
    }
    const std::vector<int> columns = readHeader(*view, header, result.problems);
    if (!result.problems.isEmpty()) return result;

    // The search index is filled beside the import from the start; the
    // connection that copies it in closes before the fill's file goes.
    sqlite::SearchSideFill search(path + QStringLiteral(".building-%1-search").arg(view->id), *view, reader, columns);
    sqlite::Database db(path, sqlite::Database::Mode::ReadWrite);
    sqlite::readCompanyName(db);
    // An open lookup must not keep the import waiting, nor the import the lookup.
    db.exec("PRAGMA journal_mode = WAL");
    db.exec(sqlite::LoadingCacheSize);
    // The old records' pages are freed without first being overwritten
    // with zeros (SQLite's secure delete, on in some builds): the new
    // records take them over at once, and the zeros doubled what the
    // emptying wrote, into the log and again into the file.
    db.exec("PRAGMA secure_delete = OFF");
    sqlite::registerSqlFunctions(db.handle());
    db.exec("BEGIN IMMEDIATE");
    try {
        // The records written here are all indexed below; the triggers that
        // note later writers' changes come back with the index.
        // Freeing the old records is part of loading the new ones.
        if (progress) progress({QStringLiteral("records")});
        for (const QString& sql : sqlite::dropSearchChangeTriggersSql(*view)) db.exec(sql.toUtf8().constData());
        db.exec(QStringLiteral("DELETE FROM %1").arg(sqlite::tableName(*view)).toUtf8().constData());
        // Sorting the loaded records once per index is many times faster
        // than keeping every index up to date record by record. The indexes
        // go and come back inside the transaction, so a failed import leaves
        // them as they were.
        const QStringList indexes = sqlite::dropIndexes(db, *view);
        sqlite::RecordWriter writer(db, *view);
        sqlite::CsvBatches batches(std::move(reader), *view, columns);
        sqlite::KeyOrderWatch order(*view, columns);
        result.rows = writeRecords(writer, columns, batches, order, result.problems, progress);
        // The search index follows the records in the same transaction, so
        // it never names records the view no longer has.
        if (result.problems.isEmpty()) {
            if (progress) progress({QStringLiteral("records"), result.rows, result.rows});
            if (progress) progress({QStringLiteral("records in key order")});
            // The emptied table numbered the records from 1 as they came.
            const bool numberedAsLoaded = sqlite::writeInKeyOrder(db, *view, order.inOrder());
            sqlite::makeIndexes(db, QStringLiteral("indexes"), indexes, result.rows, progress);
            // The index filled beside names the records by their place in
            // the file, which they keep unless they had to be sorted.
            if (numberedAsLoaded && search.copyInto(db, result.rows))
                sqlite::fillSearchIndex(
                    db, *view, result.rows, progress,
                    QStringList{sqlite::searchGatherSql(*view, false)} + sqlite::searchChangesSql(*view));
            else
                sqlite::fillSearchIndex(db, *view, result.rows, progress);
            sqlite::analyzeView(db, *view);
        }
    } catch (...) {
        db.exec("ROLLBACK");
        throw;
    }
    if (!result.problems.isEmpty()) {
        db.exec("ROLLBACK");
        result.rows = 0;
        return result;
    }
    db.exec("COMMIT");
    return result;
}

}  // namespace accpac
