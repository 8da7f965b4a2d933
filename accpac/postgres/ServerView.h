// A view over one table of a company on the server.
//
// Browse plans the walk in key order as the embedded backend does (see
// accpac/catalogue/WalkPlan.h): one part for the whole key order, or, for a
// search on the key's leading text, one part per spelling of its fixed
// start, each a narrow range of the key. Each part is read with a LIMIT. A
// search the indexes on the folded texts can serve walks a few records of
// the key order in the same statement and, when they hold too few matches,
// reads the part through those indexes instead (ServerView.cpp): a common
// term is found along the key, a rare one without walking the whole table.
// Fetch hands the rows out one by one; past the last row read
// it reads the next, larger set of the same part, starting strictly after
// the key of the last row read (keys are unique), and past a part's end the
// next part. No cursor stays open on the server between fetches, so a
// window left open holds no transaction, and a lost connection costs only
// the read in progress. A read the user abandons (accpac/ReadPause.h) stops
// on the server and ends the browse.
#pragma once

#include <memory>
#include <optional>

#include "accpac/catalogue/Catalogue.h"
#include "accpac/catalogue/CatalogueView.h"
#include "accpac/filter/Filter.h"
#include "accpac/postgres/ServerSession.h"
#include "accpac/postgres/ServerWalk.h"

namespace accpac::postgres {

class ServerView : public catalogue::CatalogueView {
public:
    ServerView(std::shared_ptr<ServerContext> context, const catalogue::ViewDef& def);

    void ResetBrowse(bool reserved) override;
    void Browse(const QString& filter, bool ascending) override;
    bool Fetch() override;

private:
    // Reads the next set of rows; false when the browse has none left.
    bool readMore();
    // A read of the server's own: its SQL and values.
    struct Read {
        QString sql;
        std::vector<QByteArray> params;
    };
    // The read of `limit` rows of `plan`'s part from its start (`after`
    // nullptr) or strictly after `after`: along the walk, or, `indexed`,
    // through the search indexes.
    Read readSql(const ServerWalk& plan, std::size_t part, const std::vector<catalogue::Stored>* after, int limit,
                 bool indexed) const;
    // Has the connection plan the first reads of the page moves likely to
    // follow a browse of `filter` (PageMoves.h).
    void planPageMoves(const QString& filter);

    std::shared_ptr<ServerContext> context_;

    // The running browse.
    bool browsing_ = false;
    std::unique_ptr<filter::Node> filter_;
    std::optional<ServerWalk> plan_;
    std::size_t part_ = 0;             // the part of the plan's walk being read
    bool indexed_ = false;             // the part is read through the search indexes (ServerView.cpp)
    std::optional<Result> rows_;       // the rows read last
    int next_ = 0;                     // the next of rows_ to hand out
    int limit_ = 0;                    // how many rows_ were asked for
    bool preparedNew_ = false;         // the last read prepared its statement on the connection
    std::vector<QByteArray> lastKey_;  // key segments of the last row handed out, as the server wrote them
};

}  // namespace accpac::postgres
