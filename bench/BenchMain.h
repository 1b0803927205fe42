// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QApplication>
#include <benchmark/benchmark.h>

// main() for benchmarks that need the application object (fonts, pixmaps, widgets), on
// the offscreen platform unless another one is asked for.
#define TRAKMIL_BENCHMARK_MAIN()                                                                             \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");         \
        QApplication app(argc, argv);                                                                        \
        benchmark::Initialize(&argc, argv);                                                                  \
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;                                    \
        benchmark::RunSpecifiedBenchmarks();                                                                 \
        benchmark::Shutdown();                                                                               \
        return 0;                                                                                            \
    }
