#include "SpareBlocks.hpp"

#include <algorithm>
#include <cstdint>
#include <new>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace korvane {

SpareBlocks& SpareBlocks::Store() {
    // Never destroyed: arrays on kept blocks may be let go of while the interpreter finalises,
    // after the module's statics would be gone.
    static SpareBlocks* const store = new SpareBlocks;
    return *store;
}

// Every block is at least a large page, so keeping one never needs more room than this.
SpareBlocks::SpareBlocks() {
    blocks_.reserve(kMostKept / kLargePage);
}

void* SpareBlocks::Take(std::size_t bytes) {
    const std::lock_guard lock(mutex_);
    const auto found = std::find_if(blocks_.rbegin(), blocks_.rend(),
                                    [&](const Block& block) { return block.bytes == bytes; });
    if (found == blocks_.rend()) {
        return nullptr;
    }
    void* const data = found->data;
    keptBytes_ -= bytes;
    blocks_.erase(std::next(found).base());
    return data;
}

void SpareBlocks::Keep(void* block, std::size_t bytes) {
    if (bytes > kMostKept) {
        Free(block, bytes);
        return;
    }
#ifdef MADV_FREE
    // Its contents are of no more use: the system may take the pages while it is kept.
    madvise(block, bytes, MADV_FREE);
#endif
    const std::lock_guard lock(mutex_);
    while (keptBytes_ + bytes > kMostKept) {
        Free(blocks_.front().data, blocks_.front().bytes);
        keptBytes_ -= blocks_.front().bytes;
        blocks_.erase(blocks_.begin());
    }
    blocks_.push_back({block, bytes}); // within the room reserved
    keptBytes_ += bytes;
}

#if __has_include(<sys/mman.h>)

void* SpareBlocks::Allocate(std::size_t bytes) {
    // A large page more than asked for, and the parts before the first boundary and after the
    // block given back.
    void* const mapped = mmap(nullptr, bytes + kLargePage, PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
    if (aligned != start) {
        munmap(mapped, aligned - start);
    }
    munmap(reinterpret_cast<void*>(aligned + bytes), start + kLargePage - aligned);
    void* const block = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
    // Advice only: where the system has no large pages to give, small ones serve.
    madvise(block, bytes, MADV_HUGEPAGE);
#endif
    return block;
}

void SpareBlocks::Free(void* block, std::size_t bytes) {
    munmap(block, bytes);
}

#else

void* SpareBlocks::Allocate(std::size_t bytes) {
    return ::operator new (bytes, std::align_val_t{kLargePage});
}

void SpareBlocks::Free(void* block, std::size_t) {
    ::operator delete (block, std::align_val_t{kLargePage});
}

#endif

} // namespace korvane
