// A view over one table of a company file.
//
// Browse turns the chosen key, the key values put since ClearRecord and the
// filter into a plan of prepared queries (see BrowseQuery.h), read in short
// runs that leave the company free between calls (see BrowseCursor.h);
// Fetch loads the next record into the fields. Under a LIKE condition the
// search index can answer, along the first key of a view numbered in its
// order, Browse merges the index's hits in record-number order; otherwise it counts the index's candidates (capped) and
// goes through the index, walks the key order, or walks with a small budget
// of work; when that runs out, the browse carries on through the search
// index after the last record read. While it steps, a run calls the
// process's read pause (ReadPause.h). Prepared queries are kept per query
// text, so paging back and forth re-binds values and prepares nothing.
#pragma once

#include <QHash>
#include <memory>

#include "accpac/catalogue/CatalogueView.h"
#include "accpac/sqlite/BrowseCursor.h"
#include "accpac/sqlite/SqliteSession.h"
#include "accpac/sqlite/Storage.h"

namespace accpac::sqlite {

class Statement;

class SqliteView : public catalogue::CatalogueView {
public:
    SqliteView(std::shared_ptr<CompanyContext> context, const ViewDef& def);
    ~SqliteView() override;

    void ResetBrowse(bool reserved) override;
    void Browse(const QString& filter, bool ascending) override;
    bool Fetch() override;
    void Close() override;

private:
    std::shared_ptr<Statement> prepared(const QString& sql);
    // How the browse under `plan` along `key` starts: merging the index's
    // hits in record-number order, through the index, walking with a
    // budget, or walking without one (SearchPlanning::Cheapest).
    BrowseCursor::Way chooseWay(const BrowsePlan& plan, const KeyDef& key);
    // True when the file marks the view's records as numbered in the order
    // of its first key (KeyOrder.h).
    bool keyOrdered();

    std::shared_ptr<CompanyContext> context_;
    QHash<QString, std::shared_ptr<Statement>> statements_;  // prepared queries by text
    std::unique_ptr<BrowseCursor> cursor_;                   // the running browse, or nullptr
    QHash<QString, std::int64_t> candidateCounts_;  // capped, by index query; they only steer the choice of way
};

}  // namespace accpac::sqlite
