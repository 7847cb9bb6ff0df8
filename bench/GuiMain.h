// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the benchmarks that draw or load pictures: Google Benchmark under an offscreen Qt
// application.
#pragma once

#include <QGuiApplication>
#include <benchmark/benchmark.h>

inline int runGuiBenchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
