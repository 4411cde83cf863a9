#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#ifdef __linux__
#include <sched.h>
#endif

namespace korvane {

// The cores this process may run on, at least one: fewer than the machine's where it is pinned
// or limited (taskset, a container's CPU set). The front ends convert on one thread for each.
inline std::size_t UsableCores() {
#ifdef __linux__
    cpu_set_t usable;
    if (sched_getaffinity(0, sizeof usable, &usable) == 0) {
        return static_cast<std::size_t>(std::max(1, CPU_COUNT(&usable)));
    }
#endif
    return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace korvane
