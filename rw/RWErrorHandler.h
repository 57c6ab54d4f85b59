#pragma once
// The process-wide handler every class-library error goes to.
//
// The default handler shows the text in a "Fatal Error" box and ends the
// process with exit code 1. The module installs RWRaisingErrorHandler at
// start-up, so that an error inside the module becomes a typed exception
// that the exports turn into their failure value instead of ending the host.
#include <cstddef>

#include "rw/RWLibraryError.h"

using RWErrorHandler = void (*)(const RWLibraryError&);

RWErrorHandler RWSetErrorHandler(RWErrorHandler handler);
RWErrorHandler RWGetErrorHandler();

[[noreturn]] void RWDefaultErrorHandler(const RWLibraryError& error);
[[noreturn]] void RWRaisingErrorHandler(const RWLibraryError& error);

// Hands the error to the handler. Never returns: should a replacement handler
// return, the error is raised as an exception so no caller runs on past it.
[[noreturn]] void RWThrow(const RWLibraryError& error);

// Builds the catalogue message and raises it as an error of the given class.
template <typename Error, typename... Values>
[[noreturn]] void RWThrowCatalog(const RWCatalogEntry* entry, Values... values) {
    RWThrow(Error(RWCatalogMessage(entry, values...)));
}

// The bounds-check failure: NPOSINDEX for RW_NPOS, else INDEXERR with the
// index and the element count.
[[noreturn]] void RWThrowIndexError(size_t index, size_t count);
