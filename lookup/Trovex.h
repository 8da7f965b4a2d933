// The public class of the component: the host creates a Trovex, calls one
// FindAP_* method per lookup and reads the chosen texts from Result1..Result3.
//
// Each method is a preset: it opens its own view on the host's session, runs
// one modal lookup window over it and hands back up to three texts of the row
// the user selected. A result is written only with a non-empty value, so a
// cancelled lookup leaves the results as they were; a host that reuses an
// instance clears them itself when it needs to tell a cancel from an earlier
// choice. No method ever lets an error reach the host: errors are shown to the
// user (see errors/modGeneral.h) and the call returns.
//
// Booleans are 16-bit with True = -1 (any non-zero value counts as True).
// One lookup runs at a time per process: the presets share the process-wide
// values of errors/modGeneral.h.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "accpac/AccpacSession.h"
#include "accpac/Export.h"

namespace lookup {

struct PresetPlan;

class TROVEX_API Trovex {
public:
    using Session = std::shared_ptr<accpac::AccpacSession>;

    Trovex() = default;
    Trovex(const Trovex&) = delete;
    Trovex& operator=(const Trovex&) = delete;

    // --- properties: empty on a fresh instance ----------------------------
    const QString& Result1() const { return result1_; }
    void setResult1(const QString& value) { result1_ = value; }
    const QString& Result2() const { return result2_; }
    void setResult2(const QString& value) { result2_ = value; }
    const QString& Result3() const { return result3_; }  // written only by FindAP_DistributionCodes
    void setResult3(const QString& value) { result3_ = value; }

    // --- lookups, in interface order -----------------------------------------
    // pSess: the host's open session; pRegistry: the application name under
    // which the window keeps its per-user options (outer blanks ignored);
    // pWinXP: True for the modern button look.

    // Active employees; a non-blank pSeed starts the list at employees whose
    // number begins with it. Result1 employee number, Result2 full name.
    void FindAP_Employee(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP,
                         const QString& pSeed = QString());
    // Segment codes of the GL segment pSeg (blank: of every segment).
    // Result1 code, Result2 description.
    void FindAP_GLSegmentCode(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP, const QString& pSeg);
    // Active earning and deduction codes, optionally starting at pSeed.
    // Result1 code, Result2 description.
    void FindAP_EarningDeduction(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP,
                                 const QString& pSeed = QString());
    // Open bank deposits. Result1 bank, Result2 deposit number.
    void FindAP_BankDeposits(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP);
    // A customer's unpaid scheduled payments in one of six orders, pIndex
    // 0..5 (document number, PO number, due date, order number, document
    // date, current balance). Any other pIndex shows nothing and changes
    // nothing. Result1 and Result2: the texts of the order's first two columns.
    void FindAP_OrderByInfo(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP, std::int16_t pIndex,
                            const QString& pCustID);
    // Tax classes of the authority pAuthority: customer classes when pDocTax
    // is True, item classes otherwise. Result1 class, Result2 description.
    void FindAP_TaxClass(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP, const QString& pAuthority,
                         std::int16_t pDocTax = 0);
    // Sales tax groups; pDocTax True adds the calculation method and the
    // date of last maintenance. pCustID is accepted and not used.
    // Result1 group, Result2 description.
    void FindAP_TaxGroups(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP, const QString& pCustID,
                          std::int16_t pDocTax = 0);
    // A customer's unpaid documents, led by the document number (pIndex 0 and
    // any value but 1 and 2), the customer PO number (1) or the order number
    // (2). Result1 and Result2: the texts of the first two columns.
    void FindAP_Documents(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP, const QString& pCustID,
                          std::int16_t pIndex);
    // A customer's unpaid scheduled payments. Result1 document number only.
    void FindAP_DocNum(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP, const QString& pCustID);
    // GL accounts. Result1 formatted account number, Result2 description.
    void FindAP_Accounts(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP);
    // Distribution codes. Result1 code, Result2 description, Result3 revenue account.
    void FindAP_DistributionCodes(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP);

private:
    // The sequence every preset shares, filled in by the preset's plan.
    void run(const Session& pSess, const QString& pRegistry, std::int16_t pWinXP, const PresetPlan& plan);
    // Copies one engine result into a property: only a non-empty one, trimmed.
    static void copyBack(const QString& engineResult, QString& property);

    QString result1_, result2_, result3_;
};

}  // namespace lookup
