#pragma once

#include "platform/FontSubstitutes.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace quirel::bench {

// Runs the benchmarks of a program that draws or opens windows: under a Qt application on the
// offscreen platform (unless QT_QPA_PLATFORM names another), with the program's font substitutes.
inline int RunWithQt(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quirel::bench
