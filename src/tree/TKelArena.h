#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>

namespace quillo {

// Bump allocator for the nodes the reader creates and their attributes, so that loading a large
// document costs a few large allocations instead of several per element and destroying it frees
// them in one go. Each node living in it holds a reference; the arena is freed with the last one,
// so nodes may be deleted one by one or moved into other trees in any order. Memory given back
// before that is not reused (an edited node's old attributes stay until the arena goes).
class TKelArena {
public:
    TKelArena(const TKelArena&) = delete;
    TKelArena& operator=(const TKelArena&) = delete;

    // A new arena holding one reference for the caller.
    static TKelArena* Create();
    void Retain() { ++m_references; }
    void Release();

    void* Allocate(size_t size, size_t alignment);
    // Marks a block as no longer used, so that the address sanitizer catches a late access.
    static void Discard(void* block, size_t size);

    // The arena of the read running on this thread, or null outside a read.
    static TKelArena* Current();

    // Gives the reads inside its lifetime a new arena on this thread.
    class TScope {
    public:
        TScope();
        ~TScope();
        TScope(const TScope&) = delete;
        TScope& operator=(const TScope&) = delete;

    private:
        TKelArena* m_arena;
        TKelArena* m_previous;
    };

private:
    struct TChunk;

    TKelArena() = default;
    ~TKelArena();
    void* AllocateChunk(size_t size, size_t alignment);

    size_t m_references = 1;
    char* m_cursor = nullptr;
    char* m_end = nullptr;
    TChunk* m_chunks = nullptr;
    size_t m_chunkSize = 0; // of the last regular chunk
};

// Standard allocator over an arena, or over the heap when it has none. Copies of a container
// allocate on the heap: they never take a reference to an arena they do not hold.
template <typename T> class TKelArenaAllocator {
public:
    using value_type = T;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;
    using is_always_equal = std::false_type;

    TKelArenaAllocator() = default;
    explicit TKelArenaAllocator(TKelArena* arena)
        : m_arena(arena)
    {
    }
    template <typename U>
    TKelArenaAllocator(const TKelArenaAllocator<U>& other)
        : m_arena(other.Arena())
    {
    }

    TKelArena* Arena() const { return m_arena; }

    T* allocate(size_t count)
    {
        if (!m_arena)
            return std::allocator<T>().allocate(count);
        if (count > size_t(-1) / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(m_arena->Allocate(count * sizeof(T), alignof(T)));
    }
    void deallocate(T* block, size_t count)
    {
        if (m_arena)
            TKelArena::Discard(block, count * sizeof(T));
        else
            std::allocator<T>().deallocate(block, count);
    }

    TKelArenaAllocator select_on_container_copy_construction() const { return {}; }

    template <typename U> bool operator==(const TKelArenaAllocator<U>& other) const { return m_arena == other.Arena(); }

private:
    TKelArena* m_arena = nullptr;
};

} // namespace quillo
