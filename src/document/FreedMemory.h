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

// Makes freed memory go back to the system on every thread. By default glibc raises its thresholds
// after a large buffer is freed (a history read of tens of thousands of checks), and from then on keeps
// tens of megabytes of a worker thread's freed memory for good: malloc_trim() gives back no worker's
// free top. Fixed thresholds map buffers from 256 KB on of their own, and trim a heap's free top past
// 1 MB. Called once, before the first thread starts.
inline void keepFreedMemoryReturnable()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024);
#endif
}

// A copy of the text in memory of this thread's own. A text shared with a reply of the history thread
// would keep a few bytes alive among the reply's freed buffers, and with them the whole pages around
// them: with 50,000 links, a quarter of what the history added to the window.
inline QString ownCopy(const QString &text)
{
    return QString(text.constData(), text.size());
}
