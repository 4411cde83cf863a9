#include "SpareBlocks.hpp"

#include <algorithm>
#include <new>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace korvane {

namespace {

constexpr std::align_val_t kLargePageAlignment{std::size_t{2} << 20};

} // namespace

SpareBlocks& SpareBlocks::Store() {
    // Never destroyed: arrays on kept blocks may be let go of while the interpreter finalises,
    // after the module's statics would be gone.
    static SpareBlocks* const store = new SpareBlocks;
    return *store;
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
        Free(block);
        return;
    }
#ifdef MADV_FREE
    // Its contents are of no more use: the system may take the pages while it is kept.
    madvise(block, bytes, MADV_FREE);
#endif
    std::vector<Block> dropped;
    {
        const std::lock_guard lock(mutex_);
        while (keptBytes_ + bytes > kMostKept) {
            dropped.push_back(blocks_.front());
            keptBytes_ -= blocks_.front().bytes;
            blocks_.erase(blocks_.begin());
        }
        try {
            blocks_.push_back({block, bytes});
            keptBytes_ += bytes;
        } catch (const std::bad_alloc&) {
            dropped.push_back({block, bytes}); // no room to note it: freed with the others
        }
    }
    for (const Block& old : dropped) {
        Free(old.data);
    }
}

void* SpareBlocks::Allocate(std::size_t bytes) {
    void* const block = ::operator new(bytes, kLargePageAlignment);
#ifdef MADV_HUGEPAGE
    // Advice only: where the system has no large pages to give, small ones serve.
    madvise(block, bytes, MADV_HUGEPAGE);
#endif
    return block;
}

void SpareBlocks::Free(void* block) {
    ::operator delete(block, kLargePageAlignment);
}

} // namespace korvane
