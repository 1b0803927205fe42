// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QThread>
#include <QtGlobal>
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

// A class is graded on every core, and its output is the same whatever their number.

// How many threads: one for each core, or TRAKMIL_THREADS where it is set (to measure, and
// to hold the output the same whatever the number).
inline int workThreads()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("TRAKMIL_THREADS", &ok);
    if (ok && n > 0) return std::min(n, 64);
    return std::max(1, QThread::idealThreadCount());
}

// Runs work(i) for every i below count on every thread and hands the results to
// take(i, result) in order, on the calling thread, a batch at a time: only a batch of
// results is held at once. work must touch nothing take does.
template <typename Result, typename Work, typename Take>
void inOrder(qsizetype count, const Work &work, const Take &take)
{
    const int threads = workThreads();
    const qsizetype batch = qsizetype(threads) * 8;
    std::vector<Result> results;
    for (qsizetype first = 0; first < count; first += batch) {
        const qsizetype n = std::min(batch, count - first);
        results.assign(size_t(n), Result {});
        std::atomic<qsizetype> next {0};
        const auto run = [&] {
            for (qsizetype i = next++; i < n; i = next++) results[size_t(i)] = work(first + i);
        };
        std::vector<std::thread> helpers;
        for (qsizetype t = 1; t < std::min(qsizetype(threads), n); ++t) helpers.emplace_back(run);
        run();
        for (std::thread &helper : helpers) helper.join();
        for (qsizetype i = 0; i < n; ++i) take(first + i, std::move(results[size_t(i)]));
    }
}
