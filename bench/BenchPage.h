// One page as the lookups read it, for every benchmark program: reset, put
// the start key, browse, fetch up to a screenful of records.
#pragma once

#include <QString>

#include "accpac/AccpacView.h"

namespace bench {

constexpr int PageRows = 12;

struct Start {
    QString field;  // "" for none
    QString value;
    bool top = false;  // the top of the field's range instead of a value
};

// The top of `field`'s range, as a lookup puts it before paging back from the end.
inline Start topOf(const QString& field) { return {field, QString(), true}; }

inline int page(accpac::AccpacView& view, const QString& filter, bool ascending, const Start& start = {}) {
    view.ClearRecord();
    view.ResetBrowse(false);
    if (start.top)
        view.Fields().Item(start.field).setMaxKey();
    else if (!start.field.isEmpty())
        view.Fields().Item(start.field).setValue(accpac::Variant::string(start.value));
    view.Browse(filter, ascending);
    int n = 0;
    while (n < PageRows && view.Fetch()) ++n;
    return n;
}

}  // namespace bench
