#pragma once

// GMime is set up once per process, from whichever thread first needs it.
namespace GMimeLibrary {
void ensureInitialised();
} // namespace GMimeLibrary
