#pragma once

#include <cstddef>

namespace platform {

// Memory for a data file's bytes and its tree. It is taken from the system in
// pieces of 2 MB, aligned so the kernel may back each with one large page:
// loading a file of megabytes into fresh memory, as every start does, then
// costs a handful of page faults instead of thousands. A piece none of whose
// blocks is in use is kept for the next load, up to 64 MB in all, so loading
// again costs none; the rest goes back to the system. Blocks are aligned to 16
// bytes. Safe from any thread. Null when the system has no memory to give.
void* LargeAllocate(size_t size);
void LargeFree(void* block);

// Bytes in that memory, always followed by a zero.
class LargeBytes {
public:
    LargeBytes() = default;
    LargeBytes(const LargeBytes&) = delete;
    LargeBytes& operator=(const LargeBytes&) = delete;
    LargeBytes(LargeBytes&& other) noexcept;
    LargeBytes& operator=(LargeBytes&& other) noexcept;
    ~LargeBytes();

    // Keeps the first bytes; false, with nothing changed, when memory ran out.
    bool resize(size_t size);
    char* data() { return m_data; }
    const char* data() const { return m_data; }
    size_t size() const { return m_size; }

private:
    char* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

} // namespace platform
