// What the engine's tests share: one company with known records, and a
// Finder bound to one of its views through a recording session, driving its
// real (never shown) window.
//
// The company holds:
// - CP0014 employees "01".."30": STATUS 2 for every fifth ("05", "10"...),
//   PARTTIME true for odd numbers, PAYFREQ cycling 1..6 except "07" (code 9,
//   in no list), HIREDATE 2020-01-<number>;
// - CP0007 earning/deduction codes "E001".."E080", INACTIVE for every third;
// - GL0021 segment codes: none;
// - GL0001 accounts "1000" (description "  Cash<TAB>at bank  ", type B),
//   "2000" (inactive, type I) and "3000" (type R).
#pragma once

#include <QStringList>
#include <memory>
#include <ostream>
#include <vector>

// Texts in failure messages as text, not as bytes.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

#include "accpac/AccpacSession.h"
#include "engine/Finder.h"
#include "tests/support/CallLog.h"
#include "tests/support/TestCompany.h"

namespace window {
class FlexGrid;
}

namespace enginetest {

constexpr int EmployeeCount = 30;
constexpr int CodeCount = 80;

// The company, made once for the whole test program.
const testsupport::TestCompany& company();

// The employee columns as the employee lookup declares them.
struct Column {
    const char* field;
    int width;
    int alignment;
};
const std::vector<Column>& employeeColumns();

// The grid height, in twips, that holds `rows` rows and a little more.
double gridHeightFor(int rows);

class FinderRig {
public:
    // Binds a fresh Finder to `viewId` (columns declared from `columns`) on a
    // recording session over the company, and sizes its grid for `batchRows`
    // rows. The session becomes the one error reports read.
    FinderRig(const QString& viewId, const std::vector<Column>& columns, int batchRows,
              std::shared_ptr<accpac::AccpacSession> session = nullptr);
    ~FinderRig();

    // The window's first layout: PrepareFinder with `startText` and key column 0.
    void prepare(const QString& startText = QString());

    window::FlexGrid& grid();
    QStringList keys();       // column 0 of every data row, in grid order
    int row();                // the grid's current row
    void selectRow(int row);  // as a click on that row would

    std::shared_ptr<testsupport::CallLog> log = std::make_shared<testsupport::CallLog>();
    std::shared_ptr<accpac::AccpacSession> session;
    std::shared_ptr<accpac::AccpacView> view;
    engine::Finder finder;
};

// Makes a session on the company the one error reports read, while it lives.
struct ReportingSession {
    ReportingSession();
    ~ReportingSession();
    std::shared_ptr<accpac::AccpacSession> session;
};

// The employee keys from `first` to `last`: employeeKeys(3, 5) is "03", "04", "05".
QStringList employeeKeys(int first, int last);

}  // namespace enginetest
