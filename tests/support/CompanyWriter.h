// Another program writing to a company while a test reads it: the sqlite3
// shell in a process of its own, fed SQL on its standard input.
//
//   testsupport::CompanyWriter writer(company.path());
//   writer.run("BEGIN IMMEDIATE; INSERT ...;");   // returns once the shell has done it
//   writer.send("COMMIT;");                       // returns at once
//
// The writer waits up to `busyTimeoutMs` for locks that readers hold, as a
// posting program does; a statement that still fails is written to its
// error output, which errors() returns. The process ends with the object.
#pragma once

#include <QProcess>
#include <QString>

namespace testsupport {

class CompanyWriter {
public:
    explicit CompanyWriter(const QString& companyPath, int busyTimeoutMs = 5000);
    ~CompanyWriter();
    CompanyWriter(const CompanyWriter&) = delete;
    CompanyWriter& operator=(const CompanyWriter&) = delete;

    // Hands `sql` to the shell without waiting for it.
    void send(const QString& sql);
    // Hands `sql` to the shell and waits until it has run (at most 30 s);
    // what it printed goes to `output`. Returns false when the shell did not
    // get there.
    bool run(const QString& sql, QString* output = nullptr);
    // What the shell reported on its error output so far ("" when nothing failed).
    QString errors();

private:
    QProcess shell_;
    int marks_ = 0;
    QByteArray output_;
};

}  // namespace testsupport
