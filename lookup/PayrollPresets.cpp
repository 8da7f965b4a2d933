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

// The seed is tested without its blanks but used as given, so a leading
// blank the host passes on is part of the starting text.
void startAt(PresetPlan& plan, const char* keyField, const QString& pSeed) {
    plan.seedField = QString::fromLatin1(keyField);
    plan.seed = pSeed;
}

}  // namespace

PresetPlan presets::employee(const QString& pSeed) {
    PresetPlan plan = basePlan("clsNV_TVX.FindAP_Employee", "CP0014", "CP", CaptionForm::CompanyFirst,
                               QStringLiteral(" - Sage Accpac Employees"), EmployeeColumns);
    plan.fixedFilter = QStringLiteral("STATUS=1");
    startAt(plan, "EMPLOYEE", pSeed);
    return plan;
}

PresetPlan presets::earningDeduction(const QString& pSeed) {
    PresetPlan plan = basePlan("clsNV_TVX.FindAP_EarningDeduction", "CP0007", "CP", CaptionForm::CompanyFirst,
                               QStringLiteral(" - Sage Accpac Earning/Deduction Codes"), EarningDeductionColumns);
    plan.fixedFilter = QStringLiteral("INACTIVE=0");
    startAt(plan, "EARNDED", pSeed);
    return plan;
}

}  // namespace lookup
