// The eleven lookups of Trovex and the sequence they share.
//
// Every method turns its arguments into a plan (the per-group preset files)
// and hands it to run(), so what one preset does the others do the same way:
// the process-wide values first, then the view, the engine, the caption,
// columns, filters and result columns, the modal window, the copy-back.
#include "lookup/Trovex.h"

#include "accpac/AccpacError.h"
#include "accpac/Blanks.h"
#include "engine/Finder.h"
#include "errors/ErrorTrap.h"
#include "errors/modGeneral.h"
#include "lookup/Application.h"
#include "lookup/Preset.h"

namespace lookup {

namespace {

// The caption is built anew on every call, so a renamed company shows its new name.
QString captionFor(const PresetPlan& plan, accpac::AccpacSession& session) {
    if (plan.captionForm == CaptionForm::CompanyFirst) return session.Company().Name + plan.captionSuffix;
    const QString title = ApplicationTitle;  // the title is read before the company text
    return title + QStringLiteral(": ") + session.Company().Name + plan.captionSuffix;
}

// The starting text: a non-blank seed limits the first load to keys that
// begin with it and is put into the search box; either way the engine keeps it.
void applySeed(const PresetPlan& plan, engine::Finder& finder) {
    if (!accpac::trimBlanks(plan.seed).isEmpty()) {
        finder.FinderSeedPrepare = plan.seedField + QStringLiteral(" LIKE ") + plan.seed + QLatin1Char('%');
        finder.FinderDefault = 1;
    } else {
        finder.FinderDefault = 0;
    }
    finder.FinderSeed = plan.seed;
}

}  // namespace

void Trovex::copyBack(const QString& engineResult, QString& property) {
    // Emptiness is tested before trimming: a cell of blanks gives "".
    if (!engineResult.isEmpty()) property = accpac::trimBlanks(engineResult);
}

void Trovex::run(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP, const PresetPlan& plan) {
    if (!ensureApplication()) return;
    errors::Trap(plan.label, errors::Via::ACCPAC).endOnError([&] {
        errors::gSession = pSess;
        errors::gRegistry = accpac::trimBlanks(pRegistry);
        errors::gWinXP = pWinXP;

        if (!errors::gSession) throw accpac::objectVariableNotSet();
        // Declared before the engine so that the engine is released first.
        const std::shared_ptr<accpac::AccpacView> view = errors::gSession->OpenView(plan.viewId, plan.programId);
        if (!view)
            throw accpac::AccpacError(accpac::errnum::ObjectRequired,
                                      QStringLiteral("View ") + plan.viewId + QStringLiteral(" was not opened"));
        const auto finder = std::make_unique<engine::Finder>();
        if (!plan.shows) return;

        finder->FinderCaption = captionFor(plan, *errors::gSession);
        finder->SetFinderView(errors::gSession, view, accpac::Variant(accpac::MaxKeyText), plan.viewOrder);
        std::int32_t colNum = 0;
        for (const PresetColumn& column : plan.columns)
            finder->AddFinderCol(QString::fromLatin1(column.field), colNum++, column.width, column.alignment);
        if (plan.fixedFilter) finder->FinderPrepare = *plan.fixedFilter;
        if (!plan.seedField.isEmpty()) applySeed(plan, *finder);
        finder->ResultField1 = QStringLiteral("0");
        finder->ResultField2 = QStringLiteral("1");
        if (plan.resultField3) finder->ResultField3 = *plan.resultField3;

        finder->ShowFinder();

        copyBack(finder->FinderResult1, result1_);
        if (plan.resultsHandedBack >= 2) copyBack(finder->FinderResult2, result2_);
        if (plan.resultsHandedBack >= 3) copyBack(finder->FinderResult3, result3_);
        if (plan.closeView) view->Close();
    });
}

void Trovex::FindAP_Employee(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP,
                             const QString& pSeed) {
    run(pSess, pRegistry, pWinXP, presets::employee(pSeed));
}

void Trovex::FindAP_GLSegmentCode(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP,
                                  const QString& pSeg) {
    run(pSess, pRegistry, pWinXP, presets::glSegmentCode(pSeg));
}

void Trovex::FindAP_EarningDeduction(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP,
                                     const QString& pSeed) {
    run(pSess, pRegistry, pWinXP, presets::earningDeduction(pSeed));
}

void Trovex::FindAP_BankDeposits(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP) {
    run(pSess, pRegistry, pWinXP, presets::bankDeposits());
}

void Trovex::FindAP_OrderByInfo(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP,
                                std::int16_t pIndex, const QString& pCustID) {
    run(pSess, pRegistry, pWinXP, presets::orderByInfo(pIndex, pCustID));
}

void Trovex::FindAP_TaxClass(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP,
                             const QString& pAuthority, std::int16_t pDocTax) {
    run(pSess, pRegistry, pWinXP, presets::taxClass(pAuthority, pDocTax));
}

void Trovex::FindAP_TaxGroups(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP,
                              const QString& /*pCustID: accepted, not used*/, std::int16_t pDocTax) {
    run(pSess, pRegistry, pWinXP, presets::taxGroups(pDocTax));
}

void Trovex::FindAP_Documents(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP,
                              const QString& pCustID, std::int16_t pIndex) {
    run(pSess, pRegistry, pWinXP, presets::documents(pCustID, pIndex));
}

void Trovex::FindAP_DocNum(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP,
                           const QString& pCustID) {
    run(pSess, pRegistry, pWinXP, presets::docNum(pCustID));
}

void Trovex::FindAP_Accounts(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP) {
    run(pSess, pRegistry, pWinXP, presets::accounts());
}

void Trovex::FindAP_DistributionCodes(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP) {
    run(pSess, pRegistry, pWinXP, presets::distributionCodes());
}

}  // namespace lookup
