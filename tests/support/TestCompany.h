// A company made for one test, in a temporary folder that goes with it.
//
//   testsupport::TestCompany company;                       // the small demo company
//   company.load("GL0001", {"ACCTID", "ACCTDESC"},          // replaces that view's records
//                {{"1000", "Cash"}, {"2000", "Payables"}});
//   auto session = company.open();                          // read-only, as hosts open it
//
// Values are written as the grid shows them (codes for coded fields, dates as
// yyyy-MM-dd); fields left out of the header get their empty value. Load
// every view before opening sessions on the company.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "accpac/AccpacSession.h"

namespace testsupport {

class TestCompany {
public:
    // Creates the company file; throws AccpacError when the backend cannot.
    explicit TestCompany(const QString& name = QStringLiteral("Test Company"));

    // Replaces the records of `viewId` with `rows` (each as long as `header`).
    // Throws std::runtime_error listing the backend's problems when a row is
    // refused, so a test never runs on data it did not ask for.
    void load(const QString& viewId, const QStringList& header, const QList<QStringList>& rows);

    // Runs SQL on the company file as another program that writes to it
    // would, past the import's checks (a code outside its field's list...).
    // Throws AccpacError when SQLite refuses it.
    void execute(const QString& sql);

    std::shared_ptr<accpac::AccpacSession> open() const;
    const QString& path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
    int files_ = 0;
};

// The two-digit texts "01", "02", ... up to `count`, wider when count > 99:
// keys whose text order is their number order.
QStringList numberedKeys(int count);

}  // namespace testsupport
