// The messages the accounting system collected for the session.
//
// An operation that fails for a reason the system can tell (a view that does
// not exist, a filter it cannot read) adds an item here before it throws, so
// that the caller's report can show the system's own words.
#pragma once

#include <QString>
#include <vector>

#include "accpac/Export.h"
#include "accpac/Variant.h"

namespace accpac {

enum class ErrorPriority { Message = 0, Warning = 1, Error = 2, SevereError = 3 };

class TROVEX_API AccpacErrorItem {
public:
    AccpacErrorItem(ErrorPriority p, QString description) : priority_(p), description_(std::move(description)) {}

    ErrorPriority Priority() const { return priority_; }
    const QString& Description() const { return description_; }
    // A property read by name: "Priority" (its text: "Message", "Warning",
    // "Error" or "Severe Error") or "Description". Other names throw 438.
    Variant property(const QString& name) const;

private:
    ErrorPriority priority_;
    QString description_;
};

class TROVEX_API AccpacErrors {
public:
    int Count() const { return int(items_.size()); }
    void Clear() { items_.clear(); }
    // Collection order is the order the messages were added.
    std::vector<AccpacErrorItem>::const_iterator begin() const { return items_.begin(); }
    std::vector<AccpacErrorItem>::const_iterator end() const { return items_.end(); }
    const AccpacErrorItem& Item(int index) const;  // 0..Count()-1, else throws 9
    void Put(ErrorPriority p, const QString& description) { items_.emplace_back(p, description); }

private:
    std::vector<AccpacErrorItem> items_;
};

}  // namespace accpac
