#pragma once

#include <QString>
#include <QThreadPool>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

// After a big piece of work frees its buffers, glibc's allocator keeps most of them for the process:
// they go back to the system, off the GUI thread (trimming walks the whole heap).
inline void returnFreedMemory()
{
#if defined(__GLIBC__)
    QThreadPool::globalInstance()->start([] { malloc_trim(0); });
#endif
}

// A copy of the text in memory of this thread's own. A text shared with a reply of the history thread
// would keep a few bytes alive among the reply's freed buffers, and with them the whole pages around
// them: with 50,000 links, a quarter of what the history added to the window.
inline QString ownCopy(const QString &text)
{
    return QString(text.constData(), text.size());
}
