// The tax lookups: an authority's tax classes (FindAP_TaxClass) and the tax
// groups (FindAP_TaxGroups).
#include "accpac/Blanks.h"
#include "lookup/Preset.h"

namespace lookup {

namespace {

constexpr PresetColumn TaxClassColumns[] = {
    {"CLASS", 1100, AlignRight},
    {"DESC", 2100, AlignLeft},
    {"EXEMPT", 1500, AlignLeft},
};

constexpr PresetColumn TaxGroupColumns[] = {
    {"GROUPID", 1500, AlignLeft},    {"DESC", 2100, AlignLeft},       {"SRCCURN", 1500, AlignLeft},
    {"AUTHORITY1", 1500, AlignLeft}, {"AUTHORITY2", 1500, AlignLeft}, {"AUTHORITY3", 1500, AlignLeft},
    {"AUTHORITY4", 1500, AlignLeft}, {"AUTHORITY5", 1500, AlignLeft},
};

// Shown only when the host looks up groups for document-level tax.
constexpr PresetColumn TaxGroupDocumentColumns[] = {
    {"CALCMETHOD", 1900, AlignLeft},
    {"LASTMAINT", 1300, AlignLeft},
};

}  // namespace

PresetPlan presets::taxClass(const QString& pAuthority, std::int16_t pDocTax) {
    // Customer (document-level) classes lie on the first axis, item classes on the second.
    const bool customer = pDocTax != 0;
    const QString suffix = customer ? QStringLiteral(" - Sage Accpac Customer Tax Classes for ")
                                    : QStringLiteral(" - Sage Accpac Item Tax Classes for ");
    PresetPlan plan = basePlan("clsZQ_TVX.FindAP_TaxClass", "TX0001", "TX", CaptionForm::TitleFirst,
                               suffix + accpac::trimBlanks(pAuthority), TaxClassColumns);
    // The authority goes into the filter as given: no quotes, no trimming.
    plan.fixedFilter = QStringLiteral("AUTHORITY = ") + pAuthority + QStringLiteral(" AND CLASSTYPE = 1") +
                       (customer ? QStringLiteral(" AND CLASSAXIS = 1") : QStringLiteral(" AND CLASSAXIS = 2"));
    return plan;
}

PresetPlan presets::taxGroups(std::int16_t pDocTax) {
    PresetPlan plan = basePlan("clsZQ_TVX.FindAP_TaxGroups", "TX0003", "TX", CaptionForm::TitleFirst,
                               QStringLiteral(" - Sage Accpac Tax Groups"), TaxGroupColumns);
    if (pDocTax != 0) appendColumns(plan, TaxGroupDocumentColumns);
    plan.fixedFilter = QStringLiteral("TTYPE=1");
    return plan;
}

}  // namespace lookup
