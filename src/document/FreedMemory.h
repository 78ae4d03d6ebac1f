#pragma once

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
