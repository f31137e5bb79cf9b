#include "platform/LargeMemory.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <sys/mman.h>
#include <utility>

namespace platform {

namespace {

constexpr size_t kPiece = size_t{2} << 20;
// Blocks larger than this have a mapping of their own.
constexpr size_t kLargest = kPiece / 4;

struct Piece {
    size_t live; // blocks in use
    size_t used; // bytes handed out, this header included
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

struct Pieces {
    std::mutex lock;
    Piece* current = nullptr; // where small blocks are cut from
};

// Never destroyed: trees freed while the program ends still come back here.
Pieces& pieces() {
    static Pieces* all = new Pieces;
    return *all;
}

} // namespace

void* LargeAllocate(size_t size) {
    const size_t need = roundUp(size, 16) + sizeof(BlockHeader);
    if (size > kLargest) {
        const size_t mapped = roundUp(need, kPiece);
        void* memory = mapAligned(mapped);
        if (!memory)
            return nullptr;
        auto* header = static_cast<BlockHeader*>(memory);
        *header = BlockHeader{nullptr, mapped};
        return header + 1;
    }
    Pieces& all = pieces();
    std::lock_guard<std::mutex> guard(all.lock);
    if (!all.current || all.current->used + need > kPiece) {
        void* memory = mapAligned(kPiece);
        if (!memory)
            return nullptr;
        // The piece given up stays until its last block is freed.
        Piece* old = all.current;
        all.current = static_cast<Piece*>(memory);
        *all.current = Piece{0, kPieceHeader};
        if (old && old->live == 0)
            ::munmap(old, kPiece);
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
    if (!header->piece) {
        ::munmap(header, header->mapped);
        return;
    }
    Pieces& all = pieces();
    std::lock_guard<std::mutex> guard(all.lock);
    Piece* piece = header->piece;
    if (--piece->live > 0)
        return;
    if (piece == all.current)
        piece->used = kPieceHeader;
    else
        ::munmap(piece, kPiece);
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
