// A part's key range apart from its filter.
#include "accpac/postgres/ServerWalk.h"

namespace accpac::postgres {

QString ServerWalk::keyRangeSql(std::size_t part, const std::vector<catalogue::Stored>* after) const {
    // A writer that numbers the filter's values first, as walkPart does.
    catalogue::QueryWriter w(where_);
    const QStringList limits = keyLimits(part, after, w);
    return limits.isEmpty() ? QStringLiteral("TRUE") : limits.join(QStringLiteral(" AND "));
}

}  // namespace accpac::postgres
