// What the value and filter tests share: fields named as the lookups name
// them, and a check for errors.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "accpac/AccpacError.h"
#include "accpac/filter/Filter.h"

namespace accpac::fixtures {

inline FieldDef fieldDef(const char* name, FieldType type, int decimals = 0) {
    FieldDef def;
    def.name = QString::fromUtf8(name);
    def.type = type;
    def.decimals = decimals;
    return def;
}

// The fields the filters name, a few of each type, and the lookup the parser is given.
inline filter::FieldLookup filterLookup() {
    using T = FieldType;
    static const std::vector<FieldDef> defs = {
        fieldDef("IDCUST", T::String),        fieldDef("IDINVC", T::String),    fieldDef("ACCTDESC", T::String),
        fieldDef("EMPLOYEE", T::String),      fieldDef("AUTHORITY", T::String), fieldDef("IDSEG", T::String),
        fieldDef("STATUS", T::Int16),         fieldDef("CLASSTYPE", T::Int16),  fieldDef("CLASSAXIS", T::Int16),
        fieldDef("CNTPAYM", T::Int32),        fieldDef("SWPAID", T::Boolean),   fieldDef("DATEDUE", T::Date),
        fieldDef("AMTPYMRMTC", T::Decimal, 3)};
    return [](const QString& name) -> const FieldDef* {
        for (const FieldDef& def : defs)
            if (def.name == name) return &def;
        return nullptr;
    };
}

// Runs `operation`, which must throw AccpacError with `number`; gives the description.
template <typename Operation>
QString expectError(long number, Operation&& operation) {
    try {
        operation();
    } catch (const AccpacError& e) {
        EXPECT_EQ(e.number(), number) << e.description().toStdString();
        return e.description();
    }
    ADD_FAILURE() << "no error " << number;
    return {};
}

}  // namespace accpac::fixtures
