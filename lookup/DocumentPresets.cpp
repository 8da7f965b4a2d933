// The document lookups: a customer's unpaid documents (FindAP_Documents) and
// scheduled payments (FindAP_DocNum, and FindAP_OrderByInfo in six orders).
//
// All three restrict the view with the same standing filter on the customer
// number, which goes in exactly as the host passed it: the host owns the
// customer number's form, the lookup does not second-guess it.
#include <array>

#include "lookup/Preset.h"

namespace lookup {

namespace {

// The customer's records that are not paid.
QString unpaidOf(const QString& pCustID) {
    return QStringLiteral("IDCUST=") + pCustID + QStringLiteral(" AND SWPAID=0");
}

// --- FindAP_Documents ------------------------------------------------------

// The four identifiers of a document; each keeps its width wherever it stands.
constexpr PresetColumn DocInvoice{"IDINVC", 2200, AlignLeft};
constexpr PresetColumn DocRemit{"IDRMIT", 1500, AlignLeft};
constexpr PresetColumn DocOrder{"IDORDERNBR", 1700, AlignLeft};
constexpr PresetColumn DocCustomerPo{"IDCUSTPO", 1500, AlignLeft};

// Which identifier leads: document number, customer PO number, order number.
constexpr std::array<std::array<PresetColumn, 4>, 3> DocumentIdentifiers{{
    {DocInvoice, DocRemit, DocOrder, DocCustomerPo},
    {DocCustomerPo, DocInvoice, DocRemit, DocOrder},
    {DocOrder, DocInvoice, DocRemit, DocCustomerPo},
}};

constexpr PresetColumn DocumentDetails[] = {
    {"DATEDUE", 1100, AlignLeft},    {"TRXTYPEID", 2300, AlignLeft}, {"TRXTYPETXT", 1400, AlignLeft},
    {"DATEINVC", 1500, AlignLeft},   {"DATEDISC", 1500, AlignLeft},  {"AMTDUETC", 2200, AlignRight},
    {"AMTDISCTC", 2400, AlignRight}, {"SWPAID", 900, AlignLeft},     {"IDPREPAID", 1600, AlignLeft},
};

// --- FindAP_DocNum -----------------------------------------------------------

// The amounts are left-aligned here, unlike in the other document lookups.
constexpr PresetColumn ScheduledPayments[] = {
    {"IDINVC", 2200, AlignLeft},     {"CNTPAYM", 2000, AlignLeft},    {"DATEDUE", 1500, AlignLeft},
    {"DATEDISC", 1500, AlignLeft},   {"AMTDUETC", 1500, AlignLeft},   {"AMTDSCRMTC", 1500, AlignLeft},
    {"AMTPYMRMTC", 1500, AlignLeft}, {"TXTTRXTYPE", 1500, AlignLeft}, {"DATEINVC", 1500, AlignLeft},
};

// --- FindAP_OrderByInfo --------------------------------------------------------

struct PaymentOrder {
    const char* captionSuffix;
    std::int16_t key;  // the view's key for this order
    std::span<const PresetColumn> columns;
};

// The scheduled-payment view names the order number IDORDRNBR (the document
// view says IDORDERNBR).
constexpr PresetColumn ByDocument[] = {
    {"IDINVC", 2500, AlignLeft}, {"CNTPAYM", 1500, AlignLeft}, {"IDRMIT", 1500, AlignLeft}};
constexpr PresetColumn ByPoNumber[] = {
    {"IDCUSTPO", 1500, AlignLeft}, {"IDINVC", 2500, AlignLeft}, {"CNTPAYM", 1500, AlignRight}};
constexpr PresetColumn ByDueDate[] = {
    {"DATEDUE", 1500, AlignLeft}, {"IDINVC", 2500, AlignLeft}, {"CNTPAYM", 1500, AlignLeft}};
constexpr PresetColumn ByOrderNumber[] = {
    {"IDORDRNBR", 1900, AlignLeft}, {"IDINVC", 2500, AlignLeft}, {"CNTPAYM", 1500, AlignLeft}};
constexpr PresetColumn ByDocumentDate[] = {
    {"DATEINVC", 1500, AlignLeft}, {"IDINVC", 2500, AlignLeft}, {"CNTPAYM", 1500, AlignLeft}};
constexpr PresetColumn ByBalance[] = {{"AMTPYMRMTC", 1500, AlignRight},
                                      {"AMTDUETC", 1500, AlignRight},
                                      {"DATEDUE", 1500, AlignLeft},
                                      {"IDINVC", 2500, AlignLeft},
                                      {"CNTPAYM", 1500, AlignLeft}};

constexpr std::array<PaymentOrder, 6> PaymentOrders{{
    {" - Sage Accpac Document Sched. Payment (Document Number)", 1, ByDocument},
    {" - Sage Accpac Document Sched. Payment (PO Number)", 3, ByPoNumber},
    {" - Sage Accpac Document Sched. Payment (Due Date)", 4, ByDueDate},
    {" - Sage Accpac Document Sched. Payment (Order Number)", 2, ByOrderNumber},
    {" - Sage Accpac Document Sched. Payment (Document Date)", 8, ByDocumentDate},
    {" - Sage Accpac Document Sched. Payment (Current Balance)", 6, ByBalance},
}};

}  // namespace

PresetPlan presets::documents(const QString& pCustID, std::int16_t pIndex) {
    // Only 1 and 2 choose another leading identifier; every other value reads as 0.
    const auto& identifiers = DocumentIdentifiers[(pIndex == 1 || pIndex == 2) ? pIndex : 0];
    PresetPlan plan = basePlan("clsZQ_TVX.FindAP_Documents", "AR0036", "AR", CaptionForm::TitleFirst,
                               QStringLiteral(" - Sage Accpac Documents"), identifiers);
    appendColumns(plan, DocumentDetails);
    plan.fixedFilter = unpaidOf(pCustID);
    return plan;
}

PresetPlan presets::docNum(const QString& pCustID) {
    PresetPlan plan = basePlan("clsZQ_TVX.FindAP_DocNum", "AR0037", "AR", CaptionForm::TitleFirst,
                               QStringLiteral(" - Sage Accpac Document Sched. Payments"), ScheduledPayments);
    plan.fixedFilter = unpaidOf(pCustID);
    plan.resultsHandedBack = 1;  // the window reads two columns; only the document number goes back
    return plan;
}

PresetPlan presets::orderByInfo(std::int16_t pIndex, const QString& pCustID) {
    // The location label keeps the name this lookup had before it learned its six orders.
    PresetPlan plan =
        basePlan("clsZQ_TVX.FindAP_DocumentPayments", "AR0037", "AR", CaptionForm::TitleFirst, QString(), {});
    if (pIndex < 0 || pIndex >= std::int16_t(PaymentOrders.size())) {
        plan.shows = false;
        return plan;
    }
    const PaymentOrder& order = PaymentOrders[pIndex];
    plan.captionSuffix = QString::fromLatin1(order.captionSuffix);
    plan.viewOrder = order.key;
    appendColumns(plan, order.columns);
    plan.fixedFilter = unpaidOf(pCustID);
    return plan;
}

}  // namespace lookup
