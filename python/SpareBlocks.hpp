#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

namespace korvane {

// The size of a large page, and so of the unit the blocks are made of.
inline constexpr std::size_t kLargePage = std::size_t{2} << 20;

// Blocks of large pages that columns have let go of, kept for the next columns of their sizes: a
// program that converts chunk after chunk of one size then writes into pages it already has,
// rather than the system zeroing new ones on every call, a tenth of a call's time. At most
// kMostKept bytes are kept, the newest blocks first; and the system may take a kept block's pages
// back whenever it runs short of memory, giving zeroed ones again when the block is next written.
class SpareBlocks {
  public:
    static constexpr std::size_t kMostKept = std::size_t{256} << 20;

    // The one store of the module's blocks.
    static SpareBlocks& Store();

    // A kept block of exactly that many bytes, no longer kept; or null.
    void* Take(std::size_t bytes);
    // Keeps the block, or frees it where it cannot be kept; frees the oldest to make room.
    void Keep(void* block, std::size_t bytes);

    // Allocates and frees the blocks themselves, whole large pages on large page boundaries,
    // asked of the system directly: a block freed goes back to it at once, rather than staying
    // with the C library's allocator.
    static void* Allocate(std::size_t bytes);
    static void Free(void* block, std::size_t bytes);

  private:
    SpareBlocks();

    struct Block {
        void* data;
        std::size_t bytes;
    };

    std::mutex mutex_;
    std::vector<Block> blocks_; // oldest first, never more than it was made room for
    std::size_t keptBytes_ = 0;
};

} // namespace korvane
