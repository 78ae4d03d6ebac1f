#pragma once

#include <QByteArray>
#include <atomic>

struct GumboInternalNode;
struct GumboInternalOutput;

// A links page parsed into the tree a browser builds (the WHATWG HTML5 parsing algorithm, by Gumbo),
// so comments, scripts, styles and attribute values are what they are without rules of our own.
//
// Some steps of the tree builder are quadratic on hostile input (thousands of nested elements or
// attributes), and a page of a few hundred kilobytes could then hold a thread for hours.
// Parsing therefore gives up past a limit of processor time and of memory; the tree is then absent.
// The time is the thread's own, so a busy machine does not make a real page fail. A parse that is no
// longer wanted gives up too, so a stopped check does not keep a thread busy.
class PageDocument
{
public:
    // `utf8` is the page's text in UTF-8; a negative limit means the default for its size. The parse
    // gives up once `abandoned` is set.
    explicit PageDocument(const QByteArray &utf8, int timeLimitMs = -1,
                          const std::atomic<bool> *abandoned = nullptr);
    ~PageDocument();
    PageDocument(const PageDocument &) = delete;
    PageDocument &operator=(const PageDocument &) = delete;

    // False when the parser gave up; `root` is null then.
    bool isParsed() const { return m_output != nullptr; }
    // The document node.
    const GumboInternalNode *root() const;

    // A real page parses in well under 100 ms per megabyte.
    static int defaultTimeLimitMs(qint64 inputSize);
    // The most memory a parse may take: generous for any real page, and the parser's nodes take
    // a few dozen times the bytes of markup they come from.
    static qint64 memoryLimit(qint64 inputSize);

private:
    struct Arena;
    Arena *m_arena;
    GumboInternalOutput *m_output = nullptr;
};
