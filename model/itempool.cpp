#include "model/itempool.h"

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
constexpr std::size_t kClasses = 16;    // blocks of up to 256 bytes
constexpr std::size_t kKept = 1024;     // freed blocks kept per size class

struct FreeBlock {
    FreeBlock* next;
};

// Plain data, so that it stays usable while objects of static duration are freed at exit, after
// the thread's cleanup below has run.
struct Lists {
    FreeBlock* head[kClasses];
    std::size_t count[kClasses];
    bool registered;  // the cleanup below will run at thread end
    bool closed;      // it ran: blocks go straight back
};
// The library is loaded with its program, so its thread data lives in the static TLS block.
__attribute__((tls_model("initial-exec"))) thread_local Lists lists{};

struct Cleanup {
    ~Cleanup() {
        lists.closed = true;
        for (std::size_t c = 0; c < kClasses; ++c) {
            while (FreeBlock* block = lists.head[c]) {
                lists.head[c] = block->next;
                ::operator delete(block);
            }
            lists.count[c] = 0;
        }
    }
};

std::size_t ClassOf(std::size_t size) { return (size + kGranule - 1) / kGranule - 1; }

}  // namespace

void* Allocate(std::size_t size) {
    const std::size_t c = ClassOf(size);
    if (kBypass || c >= kClasses) return ::operator new(size);
    if (FreeBlock* block = lists.head[c]) {
        lists.head[c] = block->next;
        --lists.count[c];
        return block;
    }
    return ::operator new((c + 1) * kGranule);  // any block of the class fits any item of it
}

void Release(void* block, std::size_t size) noexcept {
    const std::size_t c = ClassOf(size);
    if (kBypass || c >= kClasses || lists.closed || lists.count[c] >= kKept) return ::operator delete(block);
    if (!lists.registered) {
        thread_local Cleanup cleanup;
        lists.registered = true;
    }
    auto* free = static_cast<FreeBlock*>(block);
    free->next = lists.head[c];
    lists.head[c] = free;
    ++lists.count[c];
}

}  // namespace tolvex::item_pool
