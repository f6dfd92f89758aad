#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

namespace quirel::bench {

// Runs the benchmarks of a program that draws or opens windows: under a Qt application on the
// offscreen platform (unless QT_QPA_PLATFORM names another).
inline int RunWithQt(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quirel::bench
