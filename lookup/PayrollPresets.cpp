// The payroll lookups: active employees (FindAP_Employee) and active
// earning/deduction codes (FindAP_EarningDeduction).
//
// Both can start at a text the host already has (pSeed): the first load then
// shows only keys that begin with it, and the search box holds it, so the
// user continues from what was typed in the host's own field.
#include "lookup/Preset.h"

namespace lookup {

namespace {

constexpr PresetColumn EmployeeColumns[] = {
    {"EMPLOYEE", 1500, AlignLeft},  {"FULLNAME", 2000, AlignLeft}, {"LASTNAME", 1500, AlignLeft},
    {"FIRSTNAME", 1500, AlignLeft}, {"ADDRESS1", 2500, AlignLeft}, {"CITY", 1500, AlignLeft},
    {"POSITION", 1000, AlignLeft},  {"HIREDATE", 1000, AlignLeft}, {"PARTTIME", 1000, AlignLeft},
    {"PAYFREQ", 1000, AlignLeft},
};

constexpr PresetColumn EarningDeductionColumns[] = {
    {"EARNDED", 1500, AlignLeft},
    {"LONGDESC", 2000, AlignLeft},
    {"CATEGORY", 1000, AlignLeft},
    {"EARDEDTYPE", 1500, AlignLeft},
};

// What the two seeded lookups differ in.
struct SeededPreset {
    const char* label;
    const char* viewId;
    const char* captionSuffix;
    std::span<const PresetColumn> columns;
    const char* fixedFilter;
    const char* keyField;  // the field the starting text applies to
};

constexpr SeededPreset Employees{
    "clsNV_TVX.FindAP_Employee", "CP0014", " - Sage Accpac Employees", EmployeeColumns, "STATUS=1", "EMPLOYEE"};
constexpr SeededPreset EarningDeductions{"clsNV_TVX.FindAP_EarningDeduction",
                                         "CP0007",
                                         " - Sage Accpac Earning/Deduction Codes",
                                         EarningDeductionColumns,
                                         "INACTIVE=0",
                                         "EARNDED"};

// The seed is kept as the host passed it: the shared sequence tests it
// without its blanks but uses it with them, so a leading blank the host
// passes on is part of the starting text.
PresetPlan seededPlan(const SeededPreset& preset, const QString& pSeed) {
    PresetPlan plan = basePlan(preset.label, preset.viewId, "CP", CaptionForm::CompanyFirst,
                               QString::fromLatin1(preset.captionSuffix), preset.columns);
    plan.fixedFilter = QString::fromLatin1(preset.fixedFilter);
    plan.seedField = QString::fromLatin1(preset.keyField);
    plan.seed = pSeed;
    return plan;
}

}  // namespace

PresetPlan presets::employee(const QString& pSeed) { return seededPlan(Employees, pSeed); }

PresetPlan presets::earningDeduction(const QString& pSeed) { return seededPlan(EarningDeductions, pSeed); }

}  // namespace lookup
