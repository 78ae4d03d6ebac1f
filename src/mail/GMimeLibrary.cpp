#include <gmime/gmime.h>

#include "GMimeLibrary.h"

#include <mutex>

namespace GMimeLibrary {

void ensureInitialised()
{
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

} // namespace GMimeLibrary
