// The general-ledger and banking lookups: segment codes
// (FindAP_GLSegmentCode), accounts (FindAP_Accounts), distribution codes
// (FindAP_DistributionCodes) and open bank deposits (FindAP_BankDeposits).
#include "accpac/Blanks.h"
#include "lookup/Preset.h"

namespace lookup {

namespace {

constexpr PresetColumn SegmentCodeColumns[] = {
    {"SEGVAL", 1500, AlignLeft},
    {"SEGVALDESC", 3000, AlignLeft},
    {"ACCTRETERN", 1500, AlignLeft},
};

constexpr PresetColumn AccountColumns[] = {
    {"ACCTFMTTD", 1500, AlignLeft}, {"ACCTDESC", 2700, AlignLeft}, {"ACTIVESW", 900, AlignLeft},
    {"ACCTTYPE", 1300, AlignLeft},  {"ABRKID", 1400, AlignLeft},   {"ALLOCSW", 1900, AlignLeft},
    {"QTYSW", 1500, AlignLeft},     {"UOM", 1500, AlignLeft},
};

constexpr PresetColumn DistributionCodeColumns[] = {
    {"IDDIST", 1500, AlignLeft},    {"TEXTDESC", 2700, AlignLeft},  {"SWACTV", 900, AlignLeft},
    {"IDACCTREV", 1300, AlignLeft}, {"IDACCTINV", 1400, AlignLeft}, {"IDACCTCOGS", 1900, AlignLeft},
};

constexpr PresetColumn BankDepositColumns[] = {
    {"BANK", 1200, AlignLeft},        {"DEPOSIT", 1700, AlignRight},    {"REFERENCE", 2500, AlignLeft},
    {"COMMENT", 2500, AlignLeft},     {"DEPDATE", 1500, AlignLeft},     {"FSCYEAR", 1200, AlignLeft},
    {"FSCPERIOD", 1200, AlignLeft},   {"PRINTED", 1200, AlignLeft},     {"TOTDEPOSIT", 1900, AlignRight},
    {"TOTTRANSIT", 1900, AlignRight}, {"TOTCLEARED", 1900, AlignRight}, {"STATUS", 1200, AlignLeft},
};

}  // namespace

PresetPlan presets::glSegmentCode(const QString& pSeg) {
    PresetPlan plan = basePlan("clsNV_TVX.FindAP_GLSegmentCode", "GL0021", "GL", CaptionForm::CompanyFirst,
                               QStringLiteral(" - Sage Accpac GL Segment Codes"), SegmentCodeColumns);
    // A blank segment lists the codes of every segment; the filter is then
    // set explicitly empty rather than left alone.
    const QString segment = accpac::trimBlanks(pSeg);
    plan.fixedFilter = segment.isEmpty() ? QString() : QStringLiteral("IDSEG = \"") + segment + QLatin1Char('"');
    plan.closeView = true;
    return plan;
}

PresetPlan presets::accounts() {
    PresetPlan plan = basePlan("clsZQ_TVX.FindAP_Accounts", "GL0001", "GL", CaptionForm::TitleFirst,
                               QStringLiteral(" - Sage Accpac General Ledger Accounts"), AccountColumns);
    plan.resultField3 = QString();  // no third value, said explicitly
    return plan;
}

PresetPlan presets::distributionCodes() {
    PresetPlan plan = basePlan("clsZQ_TVX.FindAP_DistributionCodes", "AR0015", "AR", CaptionForm::TitleFirst,
                               QStringLiteral(" - Sage Accpac Distribution Codes"), DistributionCodeColumns);
    plan.resultField3 = QStringLiteral("3");  // the revenue account comes back as the third value
    plan.resultsHandedBack = 3;
    return plan;
}

PresetPlan presets::bankDeposits() {
    PresetPlan plan = basePlan("clsZQ_TVX.FindAP_BankDeposits", "BK0420", "BK", CaptionForm::TitleFirst,
                               QStringLiteral(" - Sage Accpac Bank Deposits"), BankDepositColumns);
    plan.fixedFilter = QStringLiteral("STATUS = 1");
    return plan;
}

}  // namespace lookup
