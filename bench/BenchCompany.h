// The companies the benchmarks measure: made once into a cache folder
// ($TROVEX_BENCH_DIR, else bench-data in the build folder) and reused by
// every benchmark program and run, since a 10-million-document company
// takes minutes to make.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>

#include "accpac/sqlite/SqliteCompany.h"
#include "accpac/tools/CompanyWriter.h"

namespace bench {

inline QString benchDir() {
    const QByteArray env = qgetenv("TROVEX_BENCH_DIR");
    return env.isEmpty() ? QStringLiteral(TROVEX_BENCH_DEFAULT_DIR) : QString::fromLocal8Bit(env);
}

// An open session on the company with `documents` open documents (0: the
// small demo set), made on first use under a temporary name and renamed
// only when complete, so an interrupted run never leaves half a company.
inline std::shared_ptr<accpac::AccpacSession> company(std::int64_t documents) {
    static std::map<std::int64_t, std::shared_ptr<accpac::AccpacSession>> open;
    if (auto it = open.find(documents); it != open.end()) return it->second;
    QDir().mkpath(benchDir());
    const QString path = QDir(benchDir()).filePath(QStringLiteral("company-%1.trovex").arg(documents));
    if (!QFile::exists(path)) {
        std::fprintf(stderr, "making %s (once)...\n", qPrintable(path));
        accpac::createCompany(path + QStringLiteral(".part"),
                              {QStringLiteral("Benchmark %1").arg(documents), documents});
        QFile::rename(path + QStringLiteral(".part"), path);
    }
    return open[documents] = accpac::openCompany(path);
}

}  // namespace bench
