// The browse-filter reader and compiler on any text: parsing either gives a
// tree or a FilterError, never anything else, and the SQL of every tree
// prepares and runs on the view's table with its values bound.
#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>

#include "accpac/catalogue/Catalogue.h"
#include "accpac/filter/Filter.h"
#include "accpac/sqlite/Database.h"
#include "accpac/sqlite/LikeFunction.h"
#include "accpac/sqlite/Storage.h"

using namespace accpac;

namespace {

struct Table {
    Table() : db(QStringLiteral(":memory:"), sqlite::Database::Mode::Create), view(*catalogue::findView("AR0036")) {
        db.exec(sqlite::createTableSql(view).toUtf8().constData());
        sqlite::registerSqlFunctions(db.handle());
    }
    sqlite::Database db;
    const catalogue::ViewDef& view;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Table table;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    std::unique_ptr<filter::Node> tree;
    try {
        tree = filter::parse(text, [](const QString& name) { return table.view.fieldAnyCase(name); });
    } catch (const filter::FilterError&) {
        return 0;
    }
    const filter::SqlWhere where = filter::toSql(tree.get(), 1);
    if (where.sql.isEmpty()) return 0;
    sqlite::Statement query(table.db, QStringLiteral("SELECT count(*) FROM \"AR0036\" WHERE ") + where.sql);
    for (std::size_t i = 0; i < where.params.size(); ++i)
        query.bind(int(i) + 1, catalogue::toStored(*where.params[i].field, where.params[i].value));
    if (!query.step()) std::abort();  // a count always gives a row
    return 0;
}
