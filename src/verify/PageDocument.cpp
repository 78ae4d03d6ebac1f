#include "PageDocument.h"

#include <csetjmp>
#include <cstdlib>
#include <ctime>
#include <gumbo.h>

// Every allocation of one parse comes from this arena and is released with it, so the tree is
// freed without a walk (Gumbo's own destructor recurses once per level of nesting) and a parse can
// be abandoned midway without leaking. The allocator is also the only code of ours that runs while
// Gumbo works: it checks the limits and leaves the parse by longjmp when one is passed.
struct PageDocument::Arena
{
    // A block's bytes follow its header.
    struct alignas(std::max_align_t) Block
    {
        Block *next;
        std::size_t used;
        std::size_t capacity;

        unsigned char *bytes() { return reinterpret_cast<unsigned char *>(this + 1); }
    };
    static constexpr std::size_t BlockSize = 256 * 1024;
    static constexpr unsigned CheckEvery = 32; // allocations between two looks at the clock

    Block *blocks = nullptr;
    qint64 allocated = 0;
    qint64 limit = 0;
    double deadlineMs = 0; // in the thread's processor time
    const std::atomic<bool> *abandoned = nullptr;
    unsigned untilCheck = CheckEvery;
    std::jmp_buf giveUp;

    ~Arena()
    {
        while (blocks) {
            Block *next = blocks->next;
            std::free(blocks);
            blocks = next;
        }
    }

    static void *allocate(void *userdata, std::size_t size)
    {
        auto *arena = static_cast<Arena *>(userdata);
        constexpr std::size_t align = alignof(std::max_align_t);
        size = (size + align - 1) & ~(align - 1);
        arena->allocated += qint64(size);
        if (arena->allocated > arena->limit)
            std::longjmp(arena->giveUp, 1);
        if (--arena->untilCheck == 0) {
            arena->untilCheck = CheckEvery;
            if (threadMilliseconds() > arena->deadlineMs ||
                (arena->abandoned && arena->abandoned->load(std::memory_order_relaxed)))
                std::longjmp(arena->giveUp, 1);
        }
        Block *block = arena->blocks;
        if (!block || block->capacity - block->used < size) {
            const std::size_t capacity = size > BlockSize ? size : BlockSize;
            block = static_cast<Block *>(std::malloc(sizeof(Block) + capacity));
            if (!block)
                std::longjmp(arena->giveUp, 1);
            block->next = arena->blocks;
            block->used = 0;
            block->capacity = capacity;
            arena->blocks = block;
        }
        void *memory = block->bytes() + block->used;
        block->used += size;
        return memory;
    }

    static double threadMilliseconds()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
    }

    // Freed with the arena.
    static void release(void *, void *) {}
};

namespace {

// Only plain data lives in this frame and in the ones the longjmp crosses (Gumbo's, in C, and the
// allocator's), as longjmp requires.
GumboOutput *parseOrGiveUp(const GumboOptions *options, std::jmp_buf &giveUp, const char *text,
                           std::size_t length)
{
    if (setjmp(giveUp) != 0)
        return nullptr;
    return gumbo_parse_with_options(options, text, length);
}

} // namespace

PageDocument::PageDocument(const QByteArray &utf8, int timeLimitMs, const std::atomic<bool> *abandoned)
    : m_arena(new Arena)
{
    m_arena->abandoned = abandoned;
    m_arena->limit = memoryLimit(utf8.size());
    m_arena->deadlineMs =
        Arena::threadMilliseconds() + (timeLimitMs < 0 ? defaultTimeLimitMs(utf8.size()) : timeLimitMs);
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &Arena::allocate;
    options.deallocator = &Arena::release;
    options.userdata = m_arena;
    options.max_errors = 0; // parse errors are of no use here
    m_output = parseOrGiveUp(&options, m_arena->giveUp, utf8.constData(), std::size_t(utf8.size()));
}

PageDocument::~PageDocument()
{
    delete m_arena;
}

const GumboNode *PageDocument::root() const
{
    return m_output ? m_output->document : nullptr;
}

int PageDocument::defaultTimeLimitMs(qint64 inputSize)
{
    return int(1000 + 200 * (inputSize >> 20));
}

qint64 PageDocument::memoryLimit(qint64 inputSize)
{
    return 64 * 1024 * 1024 + 48 * inputSize;
}
