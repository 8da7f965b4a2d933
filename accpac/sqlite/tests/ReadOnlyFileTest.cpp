// The component cannot write a company even by mistake: the operating
// system holds every descriptor it opens on the company file read-only, not
// only SQLite's refusal to write on a read-only connection.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/sqlite/tests/SharedCompany.h"

namespace {

// The access modes (O_RDONLY, O_RDWR...) of this process's open descriptors
// on `path`, read from /proc.
std::vector<int> accessModes(const QString& path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    std::vector<int> modes;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFileInfo(fds.filePath(fd)).symLinkTarget() != target) continue;
        QFile info(QStringLiteral("/proc/self/fdinfo/") + fd);
        if (!info.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& line : info.readAll().split('\n'))
            if (line.startsWith("flags:")) modes.push_back(line.mid(6).trimmed().toInt(nullptr, 8) & O_ACCMODE);
    }
    return modes;
}

class ReadOnlyFile : public WithSharedCompany<> {};

TEST_F(ReadOnlyFile, EveryDescriptorOnTheCompanyFileIsReadOnly) {
    if (!QFileInfo::exists(QStringLiteral("/proc/self/fdinfo"))) GTEST_SKIP() << "no /proc to read descriptors from";
    auto session = accpac::openCompany(company_->path());
    auto view = session->OpenView(QStringLiteral("GL0001"), QStringLiteral("GL"));
    view->Browse(QString(), true);
    ASSERT_TRUE(view->Fetch());
    const std::vector<int> modes = accessModes(company_->path());
    ASSERT_FALSE(modes.empty()) << "the session holds the file open";
    for (int mode : modes) EXPECT_EQ(mode, O_RDONLY);
}

}  // namespace
