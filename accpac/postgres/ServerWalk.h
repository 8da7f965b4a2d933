// The walk of a browse (accpac/catalogue/WalkPlan.h) with the pieces of a
// part's query apart, for a statement of the server's own shape: the
// filter's condition and the part's key range, their placeholders numbered
// as in walkPart, so one parameter list serves both.
#pragma once

#include "accpac/catalogue/WalkPlan.h"

namespace accpac::postgres {

class ServerWalk : public catalogue::WalkPlan {
public:
    using WalkPlan::WalkPlan;

    // The filter's condition, with the placeholders of walkPart.
    const QString& filterSql() const { return where_.sql; }
    // The conditions that bound walkPart(part, after) along the key, as one;
    // TRUE for the whole key order.
    QString keyRangeSql(std::size_t part, const std::vector<catalogue::Stored>* after) const;
};

}  // namespace accpac::postgres
