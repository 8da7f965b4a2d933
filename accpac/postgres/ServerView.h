// A view over one table of a company on the server.
//
// Browse builds the walk along the key that every backend shares (see
// accpac/catalogue/BrowseSql.h) and reads its first rows with a LIMIT, so the
// planner picks a plan that delivers the first rows soonest: a walk along
// the key's index, or for a rare search term its search index. Fetch hands
// the rows out one by one; past the last row read it reads the next,
// larger set, starting strictly after the key of the last row read (keys
// are unique). No cursor stays open on the server between fetches, so a
// window left open holds no transaction, and a lost connection costs only
// the read in progress.
#pragma once

#include <memory>
#include <optional>

#include "accpac/catalogue/BrowseSql.h"
#include "accpac/catalogue/Catalogue.h"
#include "accpac/catalogue/CatalogueView.h"
#include "accpac/filter/Filter.h"
#include "accpac/postgres/ServerSession.h"

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

    std::shared_ptr<ServerContext> context_;

    // The running browse.
    bool browsing_ = false;
    bool ascending_ = true;
    std::unique_ptr<filter::Node> filter_;
    catalogue::BrowseQuery query_;     // the first read
    std::optional<Result> rows_;       // the rows read last
    int next_ = 0;                     // the next of rows_ to hand out
    int limit_ = 0;                    // how many rows_ were asked for
    std::vector<QByteArray> lastKey_;  // key segments of the last row handed out, as the server wrote them
    std::optional<std::pair<QByteArray, QByteArray>> keyRange_;  // the leading segment's stretch a search covers
};

}  // namespace accpac::postgres
