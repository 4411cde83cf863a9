#pragma once

#include "base/UsableCores.hpp"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <pybind11/pybind11.h>
#include <system_error>
#include <thread>
#include <vector>

namespace korvane {

// The threads that convert one call's array: one per core; a single one for an array that its
// own thread converts sooner than others could be started (some thousands of points).
inline std::size_t ConvertingThreads(std::size_t count) {
    constexpr std::size_t kPointsWorthAThread = 16384;
    const std::size_t cores = UsableCores();
    return std::clamp<std::size_t>(count / kPointsWorthAThread, 1, cores);
}

// Runs work(thread, begin, end) over [0, count) in runs of consecutive indexes that `threads`
// threads take in turn as they finish the last, so that a slower core takes fewer, all without
// the interpreter's lock; `thread` numbers the thread, from 0. The first failure of any thread
// is raised here once all have stopped.
//
// The call's own thread converts only where it is the one thread, or no other can be started:
// otherwise it waits. Converting beside the others, it slowed them and itself to about half
// speed in some processes and not in others, most likely by where its stack lay: the stack
// holds what every point is converted with (the arrays, columns and terms that work refers to),
// and its own writes next to them would move those cache lines from core to core.
template <typename Work> void ConvertOnThreads(std::size_t count, std::size_t threads, Work work) {
    constexpr std::size_t kRun = 8192;
    std::atomic<std::size_t> next{0};
    std::vector<std::exception_ptr> failures(threads);
    const auto take = [&](std::size_t thread) {
        try {
            for (std::size_t begin = next.fetch_add(kRun); begin < count;
                 begin = next.fetch_add(kRun)) {
                work(thread, begin, std::min(count, begin + kRun));
            }
        } catch (...) {
            failures[thread] = std::current_exception();
            next = count; // the others stop after their run
        }
    };
    {
        pybind11::gil_scoped_release unlocked;
        std::vector<std::jthread> converting;
        if (threads > 1) {
            converting.reserve(threads);
            for (std::size_t thread = 0; thread < threads; ++thread) {
                try {
                    converting.emplace_back(take, thread);
                } catch (const std::system_error&) {
                    break; // out of threads: those there are take the runs
                }
            }
        }
        if (converting.empty()) {
            take(0);
        }
    } // the threads joined
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}

} // namespace korvane
