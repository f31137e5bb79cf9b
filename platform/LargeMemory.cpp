#include "platform/LargeMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <sys/mman.h>
#include <utility>
#include <vector>

namespace platform {

namespace {

constexpr size_t kPiece = size_t{2} << 20;
// Blocks larger than this have a mapping of their own.
constexpr size_t kLargest = kPiece / 4;

struct Piece {
    size_t live;   // blocks in use
    size_t used;   // bytes handed out, this header included
    size_t mapped; // the length of its mapping, which a kept one may make longer
};
constexpr size_t kPieceHeader = 64;

// Before every block: its piece, or null for a block mapped on its own, and
// then that mapping's length.
struct alignas(16) BlockHeader {
    Piece* piece;
    size_t mapped;
};

constexpr size_t roundUp(size_t n, size_t to) {
    return (n + to - 1) / to * to;
}

// length bytes at an address the large-page size divides; null on failure.
void* mapAligned(size_t length) {
    void* raw = ::mmap(nullptr, length + kPiece, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = roundUp(start, kPiece);
    if (aligned > start)
        ::munmap(raw, aligned - start);
    ::munmap(reinterpret_cast<void*>(aligned + length), start + length + kPiece - (aligned + length));
    void* memory = reinterpret_cast<void*>(aligned);
    // Where the kernel keeps large pages only for those who ask; it may not.
#ifdef MADV_HUGEPAGE
    ::madvise(memory, length, MADV_HUGEPAGE);
#endif
    return memory;
}

// Memory given back is kept for the next load, up to this much: loading
// again into memory already touched costs no page faults at all.
constexpr size_t kKept = size_t{64} << 20;

struct Pieces {
    std::mutex lock;
    Piece* current = nullptr;                    // where small blocks are cut from
    std::vector<std::pair<void*, size_t>> spare; // empty pieces and mappings, with their lengths
    size_t spareBytes = 0;

    // A kept mapping of at least length bytes and not much more, or a new one;
    // *taken is its whole length.
    void* take(size_t length, size_t* taken) {
        *taken = length;
        auto best = spare.end();
        for (auto it = spare.begin(); it != spare.end(); ++it)
            if (it->second >= length && it->second <= 2 * length && (best == spare.end() || it->second < best->second))
                best = it;
        if (best == spare.end())
            return mapAligned(length);
        void* memory = best->first;
        *taken = best->second;
        spareBytes -= best->second;
        spare.erase(best);
        return memory;
    }

    void giveBack(void* memory, size_t length) {
        if (spareBytes + length > kKept) {
            ::munmap(memory, length);
            return;
        }
        spare.emplace_back(memory, length);
        spareBytes += length;
    }
};

// Never destroyed: trees freed while the program ends still come back here.
Pieces& pieces() {
    static Pieces* all = new Pieces;
    return *all;
}

} // namespace

void* LargeAllocate(size_t size) {
    if (size > (size_t{1} << 48))
        return nullptr;
    const size_t need = roundUp(size, 16) + sizeof(BlockHeader);
    Pieces& all = pieces();
    std::lock_guard<std::mutex> guard(all.lock);
    if (size > kLargest) {
        size_t mapped = 0;
        void* memory = all.take(roundUp(need, kPiece), &mapped);
        if (!memory)
            return nullptr;
        auto* header = static_cast<BlockHeader*>(memory);
        *header = BlockHeader{nullptr, mapped};
        return header + 1;
    }
    if (!all.current || all.current->used + need > kPiece) {
        size_t mapped = 0;
        void* memory = all.take(kPiece, &mapped);
        if (!memory)
            return nullptr;
        // The piece given up stays until its last block is freed.
        Piece* old = all.current;
        all.current = static_cast<Piece*>(memory);
        *all.current = Piece{0, kPieceHeader, mapped};
        if (old && old->live == 0)
            all.giveBack(old, old->mapped);
    }
    Piece* piece = all.current;
    auto* header = reinterpret_cast<BlockHeader*>(reinterpret_cast<char*>(piece) + piece->used);
    piece->used += need;
    ++piece->live;
    *header = BlockHeader{piece, 0};
    return header + 1;
}

void LargeFree(void* block) {
    if (!block)
        return;
    BlockHeader* header = static_cast<BlockHeader*>(block) - 1;
    Pieces& all = pieces();
    std::lock_guard<std::mutex> guard(all.lock);
    if (!header->piece) {
        all.giveBack(header, header->mapped);
        return;
    }
    Piece* piece = header->piece;
    if (--piece->live > 0)
        return;
    if (piece == all.current)
        piece->used = kPieceHeader;
    else
        all.giveBack(piece, piece->mapped);
}

LargeBytes::LargeBytes(LargeBytes&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)) {}

LargeBytes& LargeBytes::operator=(LargeBytes&& other) noexcept {
    if (this != &other) {
        LargeFree(m_data);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
    }
    return *this;
}

LargeBytes::~LargeBytes() {
    LargeFree(m_data);
}

bool LargeBytes::resize(size_t size) {
    if (size > m_capacity || !m_data) {
        auto* grown = static_cast<char*>(LargeAllocate(size + 1));
        if (!grown)
            return false;
        if (m_data)
            std::memcpy(grown, m_data, m_size);
        LargeFree(m_data);
        m_data = grown;
        m_capacity = size;
    }
    m_size = size;
    m_data[size] = 0;
    return true;
}

} // namespace platform
