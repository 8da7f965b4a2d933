// The views a company holds: for each view ID its program, its fields and
// its keys. The catalogue is fixed; a company, in any backend, has one table
// per view, with a column per field, and one index per key.
//
// Every key is unique: where the column a lookup leads with can repeat, the
// key carries further segments that break the tie, so a browse from a put
// key lands on one record. A view may also name the fields its lookups'
// standing filters fix (a customer's unpaid documents, active employees);
// every key then has a second index that leads with those fields, so a
// filtered browse is one index seek in every order.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "accpac/AccpacField.h"

namespace accpac::catalogue {

struct KeyDef {
    std::int16_t number = 0;  // the key number a caller gives setOrder
    QStringList segments;     // field names, most significant first
};

struct ViewDef {
    QString id;                    // "AR0036"
    QString title;                 // what the view holds, in a few words
    std::vector<FieldDef> fields;  // in column order
    std::vector<KeyDef> keys;      // key 0 first; numbers need not be consecutive
    QStringList filterPrefix;      // fields the standing filters fix; may be empty

    QString programId() const { return id.left(2); }
    // The field of that exact name, or nullptr.
    const FieldDef* field(const QString& name) const;
    // The field whose name matches without regard to letter case, or nullptr
    // (filters may write names in any case).
    const FieldDef* fieldAnyCase(const QString& name) const;
    // Column position of a field, or -1.
    int fieldIndex(const QString& name) const;
    // The key of that number, or nullptr.
    const KeyDef* key(std::int16_t number) const;
};

// Every view of the catalogue, sorted by view ID.
const std::vector<ViewDef>& catalogue();
// The view of that exact ID, or nullptr.
const ViewDef* findView(const QString& viewId);

}  // namespace accpac::catalogue
