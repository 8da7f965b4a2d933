// The sqlite3 shell as a second program writing to a company.
#include "tests/support/CompanyWriter.h"

#include <QDeadlineTimer>
#include <stdexcept>

namespace testsupport {

CompanyWriter::CompanyWriter(const QString& companyPath, int busyTimeoutMs) {
    shell_.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), companyPath});
    if (!shell_.waitForStarted(10000)) throw std::runtime_error("the sqlite3 shell does not start");
    send(QStringLiteral(".timeout %1").arg(busyTimeoutMs));
}

CompanyWriter::~CompanyWriter() {
    shell_.closeWriteChannel();
    if (!shell_.waitForFinished(10000)) {
        shell_.kill();
        shell_.waitForFinished(5000);
    }
}

void CompanyWriter::send(const QString& sql) {
    shell_.write(sql.toUtf8() + '\n');
    shell_.waitForBytesWritten(10000);
}

bool CompanyWriter::run(const QString& sql, QString* output) {
    const QByteArray mark = "done-" + QByteArray::number(++marks_) + '\n';
    send(sql);
    send(QStringLiteral("SELECT '%1';").arg(QString::fromLatin1(mark.chopped(1))));
    const QDeadlineTimer deadline(30000);
    qsizetype at;
    while ((at = output_.indexOf(mark)) < 0) {
        if (deadline.hasExpired() || shell_.state() != QProcess::Running) return false;
        shell_.waitForReadyRead(100);
        output_ += shell_.readAllStandardOutput();
    }
    if (output) *output = QString::fromUtf8(output_.left(at));
    output_.remove(0, at + mark.size());
    return true;
}

QString CompanyWriter::errors() { return QString::fromUtf8(shell_.readAllStandardError()); }

}  // namespace testsupport
