#pragma once

#include <QByteArray>

struct GumboInternalNode;
struct GumboInternalOutput;

// A links page parsed into the tree a browser builds (the WHATWG HTML5 parsing algorithm, by Gumbo),
// so comments, scripts, styles and attribute values are what they are without rules of our own.
//
// Some steps of the tree builder are quadratic on hostile input (thousands of nested elements or
// attributes), and a page of a few hundred kilobytes could then hold the main thread for hours.
// Parsing therefore gives up past a time and a memory limit; the tree is then absent.
class PageDocument
{
public:
    static constexpr int DefaultTimeLimitMs = 3000;

    // `utf8` is the page's text in UTF-8.
    explicit PageDocument(const QByteArray &utf8, int timeLimitMs = DefaultTimeLimitMs);
    ~PageDocument();
    PageDocument(const PageDocument &) = delete;
    PageDocument &operator=(const PageDocument &) = delete;

    // False when the parser gave up; `root` is null then.
    bool isParsed() const { return m_output != nullptr; }
    // The document node.
    const GumboInternalNode *root() const;

    // The most memory a parse may take: generous for any real page, and the parser's nodes take
    // a few dozen times the bytes of markup they come from.
    static qint64 memoryLimit(qint64 inputSize);

private:
    struct Arena;
    Arena *m_arena;
    GumboInternalOutput *m_output = nullptr;
};
