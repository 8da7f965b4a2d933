// Receivables views: distribution codes, customers' open documents and their
// scheduled payments, and the receipt-entry views a receipt lookup composes.
#include "accpac/catalogue/CatalogueFields.h"

namespace accpac::catalogue {

using namespace declare;

namespace {

// The document types as the documents view codes them, detailed...
FieldDef documentTypeId(const char* name) {
    return coded(name, "Transaction Type",
                 {{11, "Invoice - Item"},
                  {12, "Invoice - Summary"},
                  {13, "Invoice - Recurring Charge"},
                  {21, "Debit Note - Item"},
                  {22, "Debit Note - Summary"},
                  {31, "Credit Note - Item"},
                  {32, "Credit Note - Summary"},
                  {41, "Interest Charge"},
                  {51, "Receipt"},
                  {52, "Prepayment"}});
}

// ...and in broad classes.
FieldDef documentClass(const char* name, const char* description) {
    return coded(name, description,
                 {{1, "Invoice"},
                  {2, "Debit Note"},
                  {3, "Credit Note"},
                  {4, "Interest"},
                  {5, "Unapplied Cash"},
                  {10, "Prepayment"},
                  {11, "Receipt"}});
}

ViewDef distributionCodes() {
    return {"AR0015",
            "Distribution Codes",
            {text("IDDIST", 6, "Distribution Code"), text("TEXTDESC", 60, "Description"),
             flag("SWACTV", "Status", "Inactive", "Active"), text("IDACCTREV", 45, "Revenue Account"),
             text("IDACCTINV", 45, "Inventory Account"), text("IDACCTCOGS", 45, "Cost of Goods Sold Account"),
             amount("DISCPCT", "Discount Percentage", 5), date("DATELASTMN", "Last Maintained")},
            {key(0, {"IDDIST"})},
            {}};
}

ViewDef documents() {
    return {
        "AR0036",
        "Customer Documents",
        {text("IDCUST", 12, "Customer Number"), text("IDINVC", 22, "Document Number"),
         text("IDRMIT", 24, "Check/Receipt No."), text("IDORDERNBR", 22, "Order Number"),
         text("IDCUSTPO", 22, "PO Number"), date("DATEDUE", "Due Date"), documentTypeId("TRXTYPEID"),
         documentClass("TRXTYPETXT", "Document Type"), date("DATEINVC", "Document Date"),
         date("DATEDISC", "Discount Date"), amount("AMTDUETC", "Amount Due"), amount("AMTDISCTC", "Discount Available"),
         yesNo("SWPAID", "Fully Paid"), text("IDPREPAID", 24, "Prepayment Receipt"), text("CODECURN", 3, "Currency")},
        {key(0, {"IDINVC", "IDCUST"})},
        {"IDCUST", "SWPAID"}};
}

ViewDef scheduledPayments() {
    const QStringList tie{"IDINVC", "CNTPAYM", "IDCUST"};
    return {"AR0037",
            "Scheduled Payments",
            {text("IDCUST", 12, "Customer Number"), text("IDINVC", 22, "Document Number"),
             int16("CNTPAYM", "Payment Number"), text("IDRMIT", 24, "Check/Receipt No."),
             text("IDORDRNBR", 22, "Order Number"), text("IDCUSTPO", 22, "PO Number"), date("DATEDUE", "Due Date"),
             date("DATEDISC", "Discount Date"), amount("AMTDUETC", "Amount Due"),
             amount("AMTDSCRMTC", "Discount Remaining"), amount("AMTPYMRMTC", "Current Balance"),
             documentClass("TXTTRXTYPE", "Document Type"), date("DATEINVC", "Document Date"),
             yesNo("SWPAID", "Fully Paid")},
            {key(0, tie), key(1, tie), key(2, QStringList{"IDORDRNBR"} + tie), key(3, QStringList{"IDCUSTPO"} + tie),
             key(4, QStringList{"DATEDUE"} + tie), key(6, QStringList{"AMTPYMRMTC"} + tie),
             key(8, QStringList{"DATEINVC"} + tie)},
            {"IDCUST", "SWPAID"}};
}

// Receipt entry: batches, receipts, their miscellaneous lines, the
// documents each receipt applies to, adjustments of those, and optional
// fields; a receipt lookup opens and composes all six.
const QStringList receiptKey{"CODEPYMTYP", "CNTBTCH", "CNTITEM"};

ViewDef receiptBatches() {
    return {"AR0041",
            "Receipt Batches",
            {text("CODEPYMTYP", 2, "Batch Type"), int32("CNTBTCH", "Batch Number"),
             text("BATCHDESC", 60, "Batch Description"), date("DATEBTCH", "Batch Date"),
             coded("BATCHSTAT", "Batch Status", {{1, "Open"}, {2, "Deleted"}, {3, "Posted"}, {4, "Ready to Post"}}),
             text("IDBANK", 8, "Bank Code"), amount("AMTENTR", "Batch Total")},
            {key(0, {"CODEPYMTYP", "CNTBTCH"})},
            {}};
}

ViewDef receipts() {
    return {"AR0042",
            "Receipts",
            {text("CODEPYMTYP", 2, "Batch Type"), int32("CNTBTCH", "Batch Number"), int32("CNTITEM", "Entry Number"),
             text("IDCUST", 12, "Customer Number"), text("IDRMIT", 24, "Check/Receipt No."),
             date("DATERMIT", "Receipt Date"), amount("AMTRMIT", "Receipt Amount"),
             text("TEXTRMIT", 60, "Entry Description"),
             coded("RMITTYPE", "Transaction Type",
                   {{1, "Receipt"},
                    {2, "Prepayment"},
                    {3, "Unapplied Cash"},
                    {4, "Apply Document"},
                    {5, "Miscellaneous Receipt"}})},
            {key(0, receiptKey)},
            {}};
}

ViewDef receiptMiscLines() {
    return {"AR0043",
            "Miscellaneous Receipt Lines",
            {text("CODEPYMTYP", 2, "Batch Type"), int32("CNTBTCH", "Batch Number"), int32("CNTITEM", "Entry Number"),
             int32("CNTLINE", "Line Number"), text("IDDISTCODE", 6, "Distribution Code"),
             text("IDACCT", 45, "GL Account"), amount("AMTDIST", "Amount"), text("TEXTREF", 60, "Reference")},
            {key(0, receiptKey + QStringList{"CNTLINE"})},
            {}};
}

ViewDef receiptApplications() {
    return {"AR0044",
            "Applied Receipt Documents",
            {text("CODEPYMTYP", 2, "Batch Type"), int32("CNTBTCH", "Batch Number"), int32("CNTITEM", "Entry Number"),
             int32("CNTLINE", "Line Number"), text("IDINVC", 22, "Document Number"), int16("CNTPAYM", "Payment Number"),
             amount("AMTPAYM", "Applied Amount"), amount("AMTERNDISC", "Discount Taken")},
            {key(0, receiptKey + QStringList{"CNTLINE"})},
            {}};
}

ViewDef receiptAdjustments() {
    return {"AR0045",
            "Applied Receipt Adjustments",
            {text("CODEPYMTYP", 2, "Batch Type"), int32("CNTBTCH", "Batch Number"), int32("CNTITEM", "Entry Number"),
             int32("CNTLINE", "Line Number"), int32("CNTSEQ", "Sequence"), text("IDDISTCODE", 6, "Distribution Code"),
             text("IDACCT", 45, "GL Account"), amount("AMTDIST", "Adjustment Amount")},
            {key(0, receiptKey + QStringList{"CNTLINE", "CNTSEQ"})},
            {}};
}

ViewDef receiptOptionalFields() {
    return {"AR0061",
            "Receipt Optional Fields",
            {text("CODEPYMTYP", 2, "Batch Type"), int32("CNTBTCH", "Batch Number"), int32("CNTITEM", "Entry Number"),
             text("OPTFIELD", 12, "Optional Field"), text("VALUE", 60, "Value")},
            {key(0, receiptKey + QStringList{"OPTFIELD"})},
            {}};
}

}  // namespace

void addArViews(std::vector<ViewDef>& views) {
    views.push_back(distributionCodes());
    views.push_back(documents());
    views.push_back(scheduledPayments());
    views.push_back(receiptBatches());
    views.push_back(receipts());
    views.push_back(receiptMiscLines());
    views.push_back(receiptApplications());
    views.push_back(receiptAdjustments());
    views.push_back(receiptOptionalFields());
}

}  // namespace accpac::catalogue
