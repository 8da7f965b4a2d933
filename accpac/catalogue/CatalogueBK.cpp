// Bank views: deposits.
#include "accpac/catalogue/CatalogueFields.h"

namespace accpac::catalogue {

using namespace declare;

void addBkViews(std::vector<ViewDef>& views) {
    views.push_back(
        {"BK0420",
         "Bank Deposits",
         {text("BANK", 8, "Bank Code"), int32("DEPOSIT", "Deposit Number"), text("REFERENCE", 60, "Reference"),
          text("COMMENT", 250, "Comment"), date("DEPDATE", "Deposit Date"), text("FSCYEAR", 4, "Fiscal Year"),
          text("FSCPERIOD", 2, "Fiscal Period"), yesNo("PRINTED", "Slip Printed"),
          amount("TOTDEPOSIT", "Deposit Total"), amount("TOTTRANSIT", "In Transit"),
          amount("TOTCLEARED", "Cleared Total"),
          coded("STATUS", "Status", {{1, "Open"}, {2, "Cleared"}, {3, "Reversed"}})},
         {key(0, {"BANK", "DEPOSIT"})},
         {"STATUS"}});
}

}  // namespace accpac::catalogue
