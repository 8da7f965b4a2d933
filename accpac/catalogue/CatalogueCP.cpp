// Payroll views: employees and earning/deduction codes.
#include "accpac/catalogue/CatalogueFields.h"

namespace accpac::catalogue {

using namespace declare;

void addCpViews(std::vector<ViewDef>& views) {
    views.push_back(
        {"CP0007",
         "Earnings/Deductions",
         {text("EARNDED", 6, "Earning/Deduction"), text("LONGDESC", 30, "Description"),
          coded("CATEGORY", "Category",
                {{1, "Earning"}, {2, "Deduction"}, {3, "Expense Reimbursement"}, {4, "Advance"}, {5, "Benefit"}}),
          coded("EARDEDTYPE", "Calculation Type",
                {{1, "Flat Amount"},
                 {2, "Amount per Hour"},
                 {3, "Percent of Earnings"},
                 {4, "Salary"},
                 {5, "Hourly"},
                 {6, "Percent of Deductions"}}),
          flag("INACTIVE", "Status", "Active", "Inactive"), amount("AMTPERCENT", "Amount/Percent", 5)},
         {key(0, {"EARNDED"})},
         {"INACTIVE"}});

    views.push_back(
        {"CP0014",
         "Employees",
         {text("EMPLOYEE", 12, "Employee Number"), text("FULLNAME", 60, "Full Name"), text("LASTNAME", 30, "Last Name"),
          text("FIRSTNAME", 30, "First Name"), text("ADDRESS1", 60, "Address"), text("CITY", 30, "City"),
          text("POSITION", 30, "Position"), date("HIREDATE", "Hire Date"),
          flag("PARTTIME", "Employment", "Full-time", "Part-time"),
          coded("PAYFREQ", "Pay Frequency",
                {{1, "Daily"}, {2, "Weekly"}, {3, "Biweekly"}, {4, "Semimonthly"}, {5, "Monthly"}, {6, "Quarterly"}}),
          coded("STATUS", "Status", {{1, "Active"}, {2, "Inactive"}, {3, "On Leave"}})},
         {key(0, {"EMPLOYEE"})},
         {"STATUS"}});
}

}  // namespace accpac::catalogue
