// The browses a lookup's page moves are likely to make after a browse of
// a filter, so that a new connection can prepare and plan their statements
// while it reads the first batch (ServerView.cpp).
//
// The lookup window pages by browsing the lookup's filter with one more
// condition at its end: the order key's leading segment compared with the
// key at an edge of the grid, >= or > upward (the next batch or line), <=
// or < downward (the previous ones); it goes to the top or the bottom with
// the filter alone. Whichever of these a browse is, the others are its page
// moves. A prediction only: a browse of another shape is read as usual.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "accpac/filter/Filter.h"

namespace accpac::postgres {

struct PageMove {
    std::unique_ptr<filter::Node> filter;  // nullptr for none
    bool ascending;
};

// The page moves from a browse of `filter` (parsed with `fields`) whose key
// leads with `orderField`, that browse itself among them. None when the
// filter cannot be read.
std::vector<PageMove> pageMoves(const QString& filter, const filter::FieldLookup& fields, const FieldDef& orderField);

}  // namespace accpac::postgres
