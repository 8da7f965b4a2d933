// Tax views: classes, rates and groups.
#include "accpac/catalogue/CatalogueFields.h"

namespace accpac::catalogue {

using namespace declare;

namespace {

FieldDef transactionType(const char* name) { return coded(name, "Transaction Type", {{1, "Sales"}, {2, "Purchases"}}); }

}  // namespace

void addTxViews(std::vector<ViewDef>& views) {
    views.push_back({"TX0001",
                     "Tax Classes",
                     {text("AUTHORITY", 12, "Tax Authority"), transactionType("CLASSTYPE"),
                      coded("CLASSAXIS", "Class Type", {{1, "Customers/Vendors"}, {2, "Items"}}),
                      int16("CLASS", "Class"), text("DESC", 60, "Description"), yesNo("EXEMPT", "Exempt")},
                     {key(0, {"CLASS", "AUTHORITY", "CLASSTYPE", "CLASSAXIS"})},
                     {"AUTHORITY", "CLASSTYPE", "CLASSAXIS"}});

    views.push_back({"TX0002",
                     "Tax Rates",
                     {text("AUTHORITY", 12, "Tax Authority"), transactionType("TTYPE"),
                      int16("BUYERCLASS", "Customer/Vendor Class"), amount("ITEMRATE1", "Item Class 1 Rate", 5),
                      amount("ITEMRATE2", "Item Class 2 Rate", 5), amount("ITEMRATE3", "Item Class 3 Rate", 5),
                      date("LASTMAINT", "Last Maintained")},
                     {key(0, {"AUTHORITY", "TTYPE", "BUYERCLASS"})},
                     {}});

    views.push_back(
        {"TX0003",
         "Tax Groups",
         {text("GROUPID", 12, "Tax Group"), transactionType("TTYPE"), text("DESC", 60, "Description"),
          text("SRCCURN", 3, "Tax Currency"), text("AUTHORITY1", 12, "Authority 1"),
          text("AUTHORITY2", 12, "Authority 2"), text("AUTHORITY3", 12, "Authority 3"),
          text("AUTHORITY4", 12, "Authority 4"), text("AUTHORITY5", 12, "Authority 5"),
          coded("CALCMETHOD", "Calculation Method", {{1, "Calculate Tax by Summary"}, {2, "Calculate Tax by Detail"}}),
          date("LASTMAINT", "Last Maintained")},
         {key(0, {"GROUPID", "TTYPE"})},
         {"TTYPE"}});
}

}  // namespace accpac::catalogue
