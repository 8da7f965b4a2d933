// General-ledger views: accounts and segment codes.
#include "accpac/catalogue/CatalogueFields.h"

namespace accpac::catalogue {

using namespace declare;

void addGlViews(std::vector<ViewDef>& views) {
    views.push_back({"GL0001",
                     "GL Accounts",
                     {text("ACCTFMTTD", 45, "Account Number"), text("ACCTID", 45, "Unformatted Account"),
                      text("ACCTDESC", 60, "Description"), flag("ACTIVESW", "Status", "Inactive", "Active"),
                      letterCoded("ACCTTYPE", "Account Type",
                                  {{'B', "Balance Sheet"}, {'I', "Income Statement"}, {'R', "Retained Earnings"}}),
                      text("ABRKID", 6, "Structure Code"), yesNo("ALLOCSW", "Allocations Allowed"),
                      yesNo("QTYSW", "Quantities Allowed"), text("UOM", 6, "Unit of Measure")},
                     {key(0, {"ACCTFMTTD", "ACCTID"})},
                     {}});

    views.push_back({"GL0021",
                     "GL Segment Codes",
                     {text("IDSEG", 6, "Segment Number"), text("SEGVAL", 15, "Segment Code"),
                      text("SEGVALDESC", 60, "Description"), text("ACCTRETERN", 45, "Retained Earnings Account")},
                     {key(0, {"SEGVAL", "IDSEG"})},
                     {"IDSEG"}});
}

}  // namespace accpac::catalogue
