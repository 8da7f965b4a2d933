// Inventory views an item lookup composes: items, their prices and their
// locations.
#include "accpac/catalogue/CatalogueFields.h"

namespace accpac::catalogue {

using namespace declare;

void addIcViews(std::vector<ViewDef>& views) {
    views.push_back({"IC0310",
                     "Items",
                     {text("ITEMNO", 24, "Item Number"), text("FMTITEMNO", 24, "Formatted Item Number"),
                      text("DESC", 60, "Description"), text("CATEGORY", 6, "Category"),
                      text("STOCKUNIT", 10, "Stocking Unit"), flag("INACTIVE", "Status", "Active", "Inactive")},
                     {key(0, {"ITEMNO"}), key(1, {"FMTITEMNO", "ITEMNO"})},
                     {}});

    views.push_back({"IC0330",
                     "Item Locations",
                     {text("ITEMNO", 24, "Item Number"), text("LOCATION", 6, "Location"),
                      amount("QTYONHAND", "Quantity on Hand", 4), amount("QTYONORDER", "Quantity on Order", 4),
                      flag("ACTIVE", "Status", "Inactive", "Active")},
                     {key(0, {"ITEMNO", "LOCATION"})},
                     {}});

    views.push_back({"IC0750",
                     "Item Prices",
                     {text("ITEMNO", 24, "Item Number"), text("PRICELIST", 6, "Price List"),
                      text("CURRENCY", 3, "Currency"), text("DESC", 60, "Price List Description"),
                      amount("UNITPRICE", "Unit Price", 6), text("PRICEUNIT", 10, "Pricing Unit")},
                     {key(0, {"ITEMNO", "PRICELIST", "CURRENCY"})},
                     {}});
}

}  // namespace accpac::catalogue
