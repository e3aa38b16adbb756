#include "tolvex/model/itempool.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <new>

namespace tolvex::item_pool {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kBypass = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kBypass = true;
#else
constexpr bool kBypass = false;
#endif
#else
constexpr bool kBypass = false;
#endif

constexpr std::size_t kGranule = 16;
constexpr std::size_t kClasses = 16;            // blocks of up to 256 bytes
constexpr std::size_t kChunkSize = 64 * 1024;   // aligned to its size, so a block finds its chunk
constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kSpareChunks = 64;        // empty chunks a thread keeps for reuse (4 MiB)

struct FreeBlock {
    FreeBlock* next;
};

struct Heap;

// A chunk holds blocks of one size class and belongs to one heap, which alone carves, hands out
// and takes back its blocks without synchronisation. Blocks freed on another thread are pushed
// on `remote`; the owner takes them over when it runs short.
struct Chunk {
    std::atomic<Heap*> owner;
    std::atomic<FreeBlock*> remote;
    FreeBlock* free;
    char* next;        // blocks from here to `end` were never handed out
    char* end;
    std::uint32_t used;  // handed out and not yet taken back by the owner
    std::uint32_t size;
    std::size_t cls;
    Chunk* prev;
    Chunk* after;
    bool full;         // in the heap's list of chunks with nothing left to hand out
};
static_assert(sizeof(Chunk) <= kHeaderSize);

struct ClassLists {
    Chunk* available;  // the first is the one blocks come from
    Chunk* full;
};

// Plain data, so that it stays usable while objects of static duration are freed at exit.
struct Heap {
    ClassLists lists[kClasses];
    Chunk* spare;
    std::size_t spareCount;
    bool registered;  // the cleanup below will run at thread end
    bool closed;      // it ran: this thread allocates from the shared heap
};

// The library is loaded with its program, so its thread data lives in the static TLS block.
__attribute__((tls_model("initial-exec"))) thread_local Heap heap{};

// Chunks whose thread ended while blocks of theirs were alive, and those of threads that allocate
// after their cleanup. Guarded by the mutex; a thread short of memory takes over its chunks.
std::mutex sharedMutex;
constinit Heap shared{};

Chunk* ChunkOf(void* block) {
    return reinterpret_cast<Chunk*>(reinterpret_cast<std::uintptr_t>(block) & ~(kChunkSize - 1));
}

std::size_t ClassOf(std::size_t size) { return (size + kGranule - 1) / kGranule - 1; }

void Unlink(Chunk*& head, Chunk* chunk) {
    if (chunk->prev) chunk->prev->after = chunk->after;
    else head = chunk->after;
    if (chunk->after) chunk->after->prev = chunk->prev;
}

void PushFront(Chunk*& head, Chunk* chunk) {
    chunk->prev = nullptr;
    chunk->after = head;
    if (head) head->prev = chunk;
    head = chunk;
}

// Takes over the blocks other threads gave back; true when there were any.
bool Collect(Chunk* chunk) {
    FreeBlock* list = chunk->remote.exchange(nullptr, std::memory_order_acquire);
    if (!list) return false;
    FreeBlock* last = list;
    std::uint32_t n = 1;
    for (; last->next; last = last->next) ++n;
    last->next = chunk->free;
    chunk->free = list;
    chunk->used -= n;
    return true;
}

bool Exhausted(const Chunk* chunk) {
    return !chunk->free && static_cast<std::size_t>(chunk->end - chunk->next) < chunk->size;
}

void FreeChunk(Heap& h, Chunk* chunk) {
    if (&h != &shared && h.spareCount < kSpareChunks) {
        chunk->after = h.spare;
        h.spare = chunk;
        ++h.spareCount;
        return;
    }
    chunk->~Chunk();
    ::operator delete(chunk, std::align_val_t{kChunkSize});
}

// The chunk, now the heap's, goes into the list it belongs in, or away when nothing is in use.
void File(Heap& h, Chunk* chunk) {
    Collect(chunk);
    if (chunk->used == 0) return FreeChunk(h, chunk);
    chunk->full = Exhausted(chunk);
    ClassLists& lists = h.lists[chunk->cls];
    if (chunk->full) PushFront(lists.full, chunk);
    else PushFront(lists.available, chunk);
}

Chunk* NewChunk(Heap& h, std::size_t c) {
    void* memory;
    if (h.spare) {
        memory = h.spare;
        h.spare = h.spare->after;
        --h.spareCount;
        static_cast<Chunk*>(memory)->~Chunk();
    } else {
        memory = ::operator new(kChunkSize, std::align_val_t{kChunkSize});
    }
    auto* chunk = new (memory) Chunk{};
    chunk->owner.store(&h, std::memory_order_relaxed);
    chunk->size = static_cast<std::uint32_t>((c + 1) * kGranule);
    chunk->cls = c;
    chunk->next = static_cast<char*>(memory) + kHeaderSize;
    chunk->end = static_cast<char*>(memory) + kChunkSize;
    return chunk;
}

// Makes the first available chunk of the class one with a block to hand out.
[[gnu::noinline]] Chunk* Refill(Heap& h, std::size_t c) {
    ClassLists& lists = h.lists[c];
    while (Chunk* chunk = lists.available) {
        if (!Exhausted(chunk) || (Collect(chunk) && !Exhausted(chunk))) return chunk;
        Unlink(lists.available, chunk);
        chunk->full = true;
        PushFront(lists.full, chunk);
    }
    for (Chunk* chunk = lists.full; chunk;) {
        Chunk* after = chunk->after;
        if (chunk->remote.load(std::memory_order_relaxed) && Collect(chunk)) {
            Unlink(lists.full, chunk);
            chunk->full = false;
            PushFront(lists.available, chunk);
        }
        chunk = after;
    }
    if (lists.available) return lists.available;
    if (&h != &shared) {
        std::lock_guard lock(sharedMutex);
        for (Chunk *chunk = shared.lists[c].available, *after; chunk; chunk = after) {
            after = chunk->after;
            Unlink(shared.lists[c].available, chunk);
            chunk->owner.store(&h, std::memory_order_relaxed);
            File(h, chunk);
        }
        for (Chunk *chunk = shared.lists[c].full, *after; chunk; chunk = after) {
            after = chunk->after;
            Unlink(shared.lists[c].full, chunk);
            chunk->owner.store(&h, std::memory_order_relaxed);
            File(h, chunk);
        }
        if (lists.available) return lists.available;
    }
    Chunk* chunk = NewChunk(h, c);
    PushFront(lists.available, chunk);
    return chunk;
}

void* Take(Heap& h, std::size_t c) {
    Chunk* chunk = h.lists[c].available;
    if (!chunk || Exhausted(chunk)) chunk = Refill(h, c);
    ++chunk->used;
    if (FreeBlock* block = chunk->free) {
        chunk->free = block->next;
        return block;
    }
    void* block = chunk->next;
    chunk->next += chunk->size;
    return block;
}

void Give(Heap& h, Chunk* chunk, void* block) {
    auto* free = static_cast<FreeBlock*>(block);
    free->next = chunk->free;
    chunk->free = free;
    ClassLists& lists = h.lists[chunk->cls];
    if (chunk->full) {
        Unlink(lists.full, chunk);
        chunk->full = false;
        PushFront(lists.available, chunk);
    }
    // An empty chunk goes, unless it is the only one its class has to hand out from.
    if (--chunk->used == 0 && (chunk->prev || chunk->after)) {
        Unlink(lists.available, chunk);
        FreeChunk(h, chunk);
    }
}

struct Cleanup {
    ~Cleanup() {
        heap.closed = true;
        std::lock_guard lock(sharedMutex);
        for (ClassLists& lists : heap.lists) {
            for (Chunk* head : {lists.available, lists.full}) {
                for (Chunk *chunk = head, *after; chunk; chunk = after) {
                    after = chunk->after;
                    chunk->owner.store(&shared, std::memory_order_relaxed);
                    File(shared, chunk);
                }
            }
            lists = {};
        }
        while (Chunk* chunk = heap.spare) {
            heap.spare = chunk->after;
            chunk->~Chunk();
            ::operator delete(chunk, std::align_val_t{kChunkSize});
        }
        heap.spareCount = 0;
    }
};

}  // namespace

void* Allocate(std::size_t size) {
    const std::size_t c = ClassOf(size);
    if (kBypass || c >= kClasses) return ::operator new(size);
    if (!heap.registered) {
        thread_local Cleanup cleanup;
        heap.registered = true;
    }
    if (heap.closed) {
        std::lock_guard lock(sharedMutex);
        return Take(shared, c);
    }
    // The common case: a freed block of the chunk the class hands out from.
    if (Chunk* chunk = heap.lists[c].available) {
        if (FreeBlock* block = chunk->free) {
            chunk->free = block->next;
            ++chunk->used;
            return block;
        }
    }
    return Take(heap, c);
}

void Release(void* block, std::size_t size) noexcept {
    const std::size_t c = ClassOf(size);
    if (kBypass || c >= kClasses) return ::operator delete(block);
    Chunk* chunk = ChunkOf(block);
    if (chunk->owner.load(std::memory_order_relaxed) == &heap) return Give(heap, chunk, block);
    auto* free = static_cast<FreeBlock*>(block);
    free->next = chunk->remote.load(std::memory_order_relaxed);
    while (!chunk->remote.compare_exchange_weak(free->next, free, std::memory_order_release,
                                                std::memory_order_relaxed)) {
    }
}

}  // namespace tolvex::item_pool
