// What the engine's tests share: one company with known records, and a
// Finder bound to one of its views through a recording session, driving its
// real (never shown) window.
//
// The company holds:
// - CP0014 employees "01".."30": STATUS 2 for every fifth ("05", "10"...),
//   PARTTIME true for odd numbers, PAYFREQ cycling 1..6 except "07" (code 9,
//   in no list), HIREDATE 2020-01-<number>;
// - GL0001 accounts "1000" (description "  Cash<TAB>at bank  ", type B),
//   "2000" (inactive, type I) and "3000" (type R).
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

// Texts in failure messages as text, not as bytes.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

#include "engine/Finder.h"
#include "tests/support/CallLog.h"
#include "tests/support/MessageCapture.h"
#include "tests/support/TestCompany.h"
#include "window/frmTrovex.h"

namespace enginetest {

using testsupport::ViewOp;
using F = engine::Finder;
using Move = void (F::*)();
// Names the cases of a table after their `name`.
inline constexpr auto ByName = [](const auto& info) { return std::string(info.param.name); };

struct Column {
    const char* field;
    int width;
    int alignment = 1;
};
using Columns = std::vector<Column>;
// The employee columns as the employee lookup declares them.
inline const Columns EmployeeColumns{{"EMPLOYEE", 1500}, {"FULLNAME", 2000}, {"STATUS", 1000},
                                     {"PARTTIME", 1000}, {"PAYFREQ", 1000},  {"HIREDATE", 1000}};

// A session on the company, which is made once for the whole test program.
std::shared_ptr<accpac::AccpacSession> openCompany();
// The employee keys from `first` to `last`: keys(3, 5) is "03", "04", "05".
inline QStringList keys(int first, int last) { return testsupport::numberedKeys(last).mid(first - 1); }
using testsupport::errorReport;

struct FinderRig {
    // Binds a fresh Finder to `viewId` (key number `order`, columns declared
    // from `columns`) on a recording session over the company, or over
    // `over`, and sizes its grid for `batchRows` rows. The session becomes
    // the one error reports read while the rig lives.
    explicit FinderRig(const QString& viewId = QStringLiteral("CP0014"), const Columns& columns = EmployeeColumns,
                       int batchRows = 12, std::shared_ptr<accpac::AccpacSession> over = nullptr, int order = 0);
    ~FinderRig();

    // The window's layout: PrepareFinder with the search box's `start` text.
    void prepare(QString start = QString(), std::int16_t keyColumn = 0) { finder.PrepareFinder(start, keyColumn); }
    // FindNow; returns the field name it hands back.
    QString find(QString field, std::int16_t condition, const QString& text) {
        finder.FindNow(field, condition, text);
        return field;
    }
    void lines(int count) {  // NEXTLINE `count` times
        for (int i = 0; i < count; ++i) finder.NEXTLINE();
    }
    window::FlexGrid& grid() { return finder.form().FinderGrid; }
    int row() { return grid().Row(); }
    QStringList keys(int column = 0) {  // the texts of a column's data rows, in grid order
        QStringList list;
        for (int r = 1; r < grid().Rows(); ++r) list << grid().TextMatrix(r, column);
        return list;
    }

    std::shared_ptr<testsupport::CallLog> log = std::make_shared<testsupport::CallLog>();
    std::shared_ptr<accpac::AccpacSession> session;
    std::shared_ptr<accpac::AccpacView> view;
    engine::Finder finder;
};
using Act = std::function<void(FinderRig&)>;

}  // namespace enginetest
