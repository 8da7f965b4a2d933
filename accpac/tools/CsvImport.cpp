// Replacing a view's records with those of a CSV file, all or nothing.
#include <QFile>
#include <QSet>

#include "accpac/AccpacError.h"
#include "accpac/sqlite/LikeFunction.h"
#include "accpac/sqlite/SearchChanges.h"
#include "accpac/sqlite/Storage.h"
#include "accpac/tools/CompanyTables.h"
#include "accpac/tools/CompanyWriter.h"
#include "accpac/tools/Csv.h"
#include "accpac/tools/ImportCheck.h"

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
    for (const QString& raw : header.fields) {
        const QString name = raw.trimmed();
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

// Sets one record's fields from its texts; returns why it cannot be stored, or "".
QString setRecord(sqlite::RecordWriter& writer, const ViewDef& view, const std::vector<int>& columns,
                  const CsvRecord& record) {
    if (!record.problem.isEmpty()) return record.problem;
    if (record.fields.size() != qsizetype(columns.size()))
        return QStringLiteral("%1 fields where the header names %2").arg(record.fields.size()).arg(columns.size());
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const FieldDef& def = view.fields[std::size_t(columns[c])];
        const QString& text = record.fields[qsizetype(c)];
        if (def.type == FieldType::String && text.size() > def.size)
            return QStringLiteral("%1 holds at most %2 characters, not %3")
                .arg(def.name)
                .arg(def.size)
                .arg(text.size());
        try {
            const Variant value = convertText(def, text);
            if (QString problem = sqlite::codeProblem(def, value); !problem.isEmpty()) return problem;
            writer.set(columns[c], sqlite::toStored(def, value));
        } catch (const AccpacError& e) {
            return e.description();
        }
    }
    return {};
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
    const QByteArray bytes = file.readAll();
    ImportResult result;
    if (const std::optional<QString> problem = sqlite::findInvalidUtf8(bytes)) {
        result.problems << *problem;
        return result;
    }
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);

    sqlite::CsvReader reader(text);
    const std::optional<CsvRecord> header = reader.next();
    if (!header) {
        result.problems << QStringLiteral("line 1: the file has no header row");
        return result;
    }
    const std::vector<int> columns = readHeader(*view, *header, result.problems);
    if (!result.problems.isEmpty()) return result;

    sqlite::Database db(path, sqlite::Database::Mode::ReadWrite);
    sqlite::readCompanyName(db);
    // An open lookup must not keep the import waiting, nor the import the lookup.
    db.exec("PRAGMA journal_mode = WAL");
    db.exec(sqlite::LoadingCacheSize);
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
        qsizetype problems = 0;
        while (const std::optional<CsvRecord> record = reader.next()) {
            // A blank line (a lone empty field) holds no record.
            if (record->fields.size() == 1 && record->fields.front().isEmpty() && record->problem.isEmpty()) continue;
            QString problem = setRecord(writer, *view, columns, *record);
            if (problem.isEmpty())
                problem = writer.insert();
            else
                writer.clear();
            if (problem.isEmpty()) {
                if (++result.rows % 65536 == 0 && progress) {
                    const double read = reader.fractionRead();
                    progress({QStringLiteral("records"), result.rows,
                              read > 0 ? std::int64_t(double(result.rows) / read) : 0});
                }
                continue;
            }
            if (++problems <= MaxProblemsListed)
                result.problems << QStringLiteral("line %1: %2").arg(record->line).arg(problem);
        }
        if (problems > MaxProblemsListed)
            result.problems << QStringLiteral("and %1 more bad records").arg(problems - MaxProblemsListed);
        // The search index follows the records in the same transaction, so
        // it never names records the view no longer has.
        if (result.problems.isEmpty()) {
            if (progress) progress({QStringLiteral("records"), result.rows, result.rows});
            if (progress) progress({QStringLiteral("records in key order")});
            sqlite::writeInKeyOrder(db, *view);
            sqlite::makeIndexes(db, QStringLiteral("indexes"), indexes, result.rows, progress);
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
