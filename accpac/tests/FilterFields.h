// The fields the filter tests browse: a few of each type, named as the
// lookups name them, and the lookup the parser is given.
#pragma once

#include <vector>

#include "accpac/filter/Filter.h"

namespace accpac::fixtures {

// A field definition with only what the filter needs.
inline FieldDef fieldDef(const char* name, FieldType type, int decimals = 0) {
    FieldDef def;
    def.name = QString::fromUtf8(name);
    def.type = type;
    def.decimals = decimals;
    return def;
}

inline const std::vector<FieldDef>& filterFields() {
    static const std::vector<FieldDef> defs = {
        fieldDef("IDCUST", FieldType::String),         fieldDef("IDINVC", FieldType::String),
        fieldDef("ACCTDESC", FieldType::String),       fieldDef("EMPLOYEE", FieldType::String),
        fieldDef("AUTHORITY", FieldType::String),      fieldDef("IDSEG", FieldType::String),
        fieldDef("STATUS", FieldType::Int16),          fieldDef("INACTIVE", FieldType::Int16),
        fieldDef("TTYPE", FieldType::Int16),           fieldDef("CLASSTYPE", FieldType::Int16),
        fieldDef("CLASSAXIS", FieldType::Int16),       fieldDef("CNTPAYM", FieldType::Int32),
        fieldDef("SWPAID", FieldType::Boolean),        fieldDef("DATEDUE", FieldType::Date),
        fieldDef("AMTPYMRMTC", FieldType::Decimal, 3),
    };
    return defs;
}

inline filter::FieldLookup filterLookup() {
    return [](const QString& name) -> const FieldDef* {
        for (const FieldDef& def : filterFields())
            if (def.name == name) return &def;
        return nullptr;
    };
}

}  // namespace accpac::fixtures
