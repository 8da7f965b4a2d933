// What makes one preset different from another: the data that fills in the
// sequence every FindAP_* method shares (Trovex::run).
//
// The per-group files (DocumentPresets.cpp, PayrollPresets.cpp,
// LedgerPresets.cpp, TaxPresets.cpp) keep their column tables as constant
// data and turn a call's arguments into a PresetPlan; Trovex.cpp only hands
// the plan to the shared sequence.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "window/controls/FlexGrid.h"

namespace lookup {

// The grid's alignment codes, under the short names the column tables use.
constexpr std::int16_t AlignLeft = window::FlexGrid::AlignLeftCenter;    // left, vertically centred
constexpr std::int16_t AlignRight = window::FlexGrid::AlignRightCenter;  // right (amounts, some codes)

// One grid column as a preset declares it.
struct PresetColumn {
    const char* field;       // the view's field name, exactly as the accounting system spells it
    std::int32_t width;      // twips
    std::int16_t alignment;  // AlignLeft or AlignRight
};

// The caption either leads with the company (form A, the payroll and segment
// lookups) or with the application title (form B, all others).
enum class CaptionForm { CompanyFirst, TitleFirst };

inline const QString ApplicationTitle = QStringLiteral("ZQ Sage Accpac Finder");

struct PresetPlan {
    QString label;      // error-trap location, "clsZQ_TVX.FindAP_Documents"
    QString viewId;     // "AR0036"
    QString programId;  // "AR"
    // False only for FindAP_OrderByInfo with an order it does not have: the
    // view is opened and the engine created, then nothing else happens.
    bool shows = true;

    CaptionForm captionForm = CaptionForm::TitleFirst;
    QString captionSuffix;              // " - Sage Accpac Documents"; follows the company name
    std::int16_t viewOrder = 0;         // key number the view is browsed by
    std::vector<PresetColumn> columns;  // grid columns 0, 1, ... in this order

    std::optional<QString> fixedFilter;  // FinderPrepare; nullopt leaves the engine's default
    // Starting text (FindAP_Employee, FindAP_EarningDeduction): the key field
    // the seed filter is built on; "" for presets without a starting text.
    QString seedField;
    QString seed;  // pSeed exactly as the host passed it

    std::optional<QString> resultField3;  // "" no third result, "3" grid column 3; nullopt leaves it unset
    int resultsHandedBack = 2;            // Result1 only (1), Result1..2 (2) or Result1..3 (3)
    bool closeView = false;               // Close() the view before releasing it
};

// A plan with the parts every preset has: where it reports, what it opens,
// how its caption reads and its column table (more columns may follow).
inline PresetPlan basePlan(const char* label, const char* viewId, const char* programId, CaptionForm form,
                           const QString& captionSuffix, std::span<const PresetColumn> columns) {
    PresetPlan plan;
    plan.label = QString::fromLatin1(label);
    plan.viewId = QString::fromLatin1(viewId);
    plan.programId = QString::fromLatin1(programId);
    plan.captionForm = form;
    plan.captionSuffix = captionSuffix;
    plan.columns.assign(columns.begin(), columns.end());
    return plan;
}

// Appends a table of columns to a plan's columns.
inline void appendColumns(PresetPlan& plan, std::span<const PresetColumn> table) {
    plan.columns.insert(plan.columns.end(), table.begin(), table.end());
}

// The plan of each preset for one call's arguments (defined per group of presets).
namespace presets {
PresetPlan employee(const QString& pSeed);
PresetPlan glSegmentCode(const QString& pSeg);
PresetPlan earningDeduction(const QString& pSeed);
PresetPlan bankDeposits();
PresetPlan orderByInfo(std::int16_t pIndex, const QString& pCustID);
PresetPlan taxClass(const QString& pAuthority, std::int16_t pDocTax);
PresetPlan taxGroups(std::int16_t pDocTax);
PresetPlan documents(const QString& pCustID, std::int16_t pIndex);
PresetPlan docNum(const QString& pCustID);
PresetPlan accounts();
PresetPlan distributionCodes();
}  // namespace presets

}  // namespace lookup
