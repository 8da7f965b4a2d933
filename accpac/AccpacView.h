// A view of the accounting system: one kind of record (customers' documents,
// employees, GL accounts...) browsed in the order of one of its keys.
//
// Browsing: choose a key with setOrder, ClearRecord then ResetBrowse(false),
// put key values into the order key's fields where the browse should start,
// then Browse(filter, ascending) and Fetch() record after record. Key
// segments not put do not limit the start: an ascending browse after
// ClearRecord starts at the view's first record, a descending one after
// setMaxKey on a key field starts at its last. Each Fetch makes
// the next record current in Fields() and returns false when none is left.
// Views never change the accounting data.
//
// This is the interface every backend implements; the engine sees nothing else.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "accpac/AccpacFields.h"
#include "accpac/Export.h"

namespace accpac {

class TROVEX_API AccpacView {
public:
    virtual ~AccpacView() = default;

    virtual QString ViewID() const = 0;
    virtual std::int16_t Order() const = 0;
    // Key number for the next browse; a key the view does not have throws
    // AccpacFailure (with a message in the session's Errors).
    virtual void setOrder(std::int16_t key) = 0;
    // Links the view with companion views (entries may be null).
    virtual void Compose(const std::vector<std::shared_ptr<AccpacView>>& views) = 0;
    virtual void ClearRecord() = 0;
    virtual void ResetBrowse(bool reserved) = 0;
    // Starts a browse. A filter that cannot be read, or names a field the
    // view does not have, throws AccpacFailure and puts a message naming the
    // offending text into the session's Errors.
    virtual void Browse(const QString& filter, bool ascending) = 0;
    virtual bool Fetch() = 0;
    virtual AccpacFields& Fields() = 0;
    virtual void Close() = 0;
};

}  // namespace accpac
