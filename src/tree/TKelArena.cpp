#include "tree/TKelArena.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define QUILLO_ARENA_POISON 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLO_ARENA_POISON 1
#endif
#endif

#ifdef QUILLO_ARENA_POISON
#include <sanitizer/asan_interface.h>
#define POISON(block, size) ASAN_POISON_MEMORY_REGION(block, size)
#define UNPOISON(block, size) ASAN_UNPOISON_MEMORY_REGION(block, size)
#else
#define POISON(block, size) ((void)(block), (void)(size))
#define UNPOISON(block, size) ((void)(block), (void)(size))
#endif

namespace quillo {

namespace {

// Chunks stay below the C library's default threshold for mapping memory of its own, so freed
// chunks are reused by the next load instead of being mapped and faulted in again.
constexpr size_t FirstChunkSize = 4 * 1024;
constexpr size_t MaxChunkSize = 64 * 1024;

thread_local TKelArena* t_current = nullptr;

char* AlignUp(char* at, size_t alignment)
{
    const auto address = reinterpret_cast<uintptr_t>(at);
    return reinterpret_cast<char*>((address + alignment - 1) & ~uintptr_t(alignment - 1));
}

} // namespace

struct alignas(std::max_align_t) TKelArena::TChunk {
    TChunk* next;
    size_t size; // of the data after this header

    char* Data() { return reinterpret_cast<char*>(this + 1); }
};

TKelArena* TKelArena::Create() { return new TKelArena(); }

TKelArena::~TKelArena()
{
    while (m_chunks) {
        TChunk* next = m_chunks->next;
        UNPOISON(m_chunks->Data(), m_chunks->size);
        std::free(m_chunks);
        m_chunks = next;
    }
}

void TKelArena::Release()
{
    if (--m_references == 0)
        delete this;
}

void* TKelArena::Allocate(size_t size, size_t alignment)
{
    char* block = AlignUp(m_cursor, alignment);
    if (!m_cursor || block > m_end || size > size_t(m_end - block))
        return AllocateChunk(size, alignment);
    m_cursor = block + size;
    UNPOISON(block, size);
    return block;
}

void* TKelArena::AllocateChunk(size_t size, size_t alignment)
{
    const size_t chunkSize = m_chunkSize ? std::min(2 * m_chunkSize, MaxChunkSize) : FirstChunkSize;
    // A block too large for a regular chunk gets one of its own; the current chunk stays open.
    const bool own = size + alignment > chunkSize / 4;
    const size_t dataSize = own ? size + alignment : chunkSize;
    if (dataSize < size || dataSize > size_t(-1) - sizeof(TChunk))
        throw std::bad_alloc();
    auto* chunk = static_cast<TChunk*>(std::malloc(sizeof(TChunk) + dataSize));
    if (!chunk)
        throw std::bad_alloc();
    chunk->next = m_chunks;
    chunk->size = dataSize;
    m_chunks = chunk;
    POISON(chunk->Data(), dataSize);
    char* block = AlignUp(chunk->Data(), alignment);
    UNPOISON(block, size);
    if (!own) {
        m_chunkSize = chunkSize;
        m_cursor = block + size;
        m_end = chunk->Data() + dataSize;
    }
    return block;
}

void TKelArena::Discard(void* block, size_t size) { POISON(block, size); }

TKelArena* TKelArena::Current() { return t_current; }

TKelArena::TScope::TScope()
    : m_arena(TKelArena::Create())
    , m_previous(t_current)
{
    t_current = m_arena;
}

TKelArena::TScope::~TScope()
{
    t_current = m_previous;
    m_arena->Release();
}

} // namespace quillo
