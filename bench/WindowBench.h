// What the benchmarks that drive a real lookup window share: the process's
// peak memory, and a main that runs them without a display or a person.
#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <cstdio>

#include "lookup/Application.h"
#include "lookup/MessageRouting.h"

namespace bench {

// Peak resident memory of the process so far (VmHWM), in kB; 0 when unknown.
inline double peakMemoryKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toDouble();
    return 0;
}

// Runs the registered benchmarks. Boxes would wait for a person, so they are
// written to stderr instead; the window needs no display either.
inline int runWindowBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    lookup::ensureApplication();
    lookup::setBoxesShown(false);
    lookup::setBoxObserver(
        [](const errors::MessageBoxRequest& box) { std::fprintf(stderr, "%s\n", qPrintable(lookup::boxLine(box))); });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench
