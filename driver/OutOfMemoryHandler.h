#pragma once
// The out-of-memory handler the module installs for its whole life
// (installNewHandler at attach, removeNewHandler at detach). When an
// allocation fails it gives back a reserve block put aside beforehand, asks
// the driver server to free memory (parked instances first), puts a new
// reserve aside and lets the allocation try again. When there is no
// reserve, or the server frees nothing, the driver is marked failed and the
// process ends through the critical-error reporter (error 101, severity 2).
//
// What it covers: on Linux only operator new (and new[], nothrow forms
// included) reaches a new-handler. malloc, calloc and realloc answer null
// instead, and the code that calls them checks; zlib and libjpeg allocate
// that way and report a failure through their own return codes
// (Z_MEM_ERROR, the JPEG error manager), which their callers check.
#include <cstdint>

// The source names and lines of the handler's critical-error reports.
inline constexpr const char* kNewHandlerSourceName = "newhndlr";
inline constexpr int kReserveSpentLine = 449;
inline constexpr const char* kMemoryFailureSourceName = "gbnewhnd";
inline constexpr int kNothingReclaimedLine = 148;
// The reserve the module puts aside at start.
inline constexpr uint32_t kDefaultReserveSize = 1024;

// Installs the handler once (remembering the handler it replaces), takes
// size as the reserve size unless it is 0, and puts a new reserve of that
// size aside. Does nothing without platform services to make its lock.
void installNewHandler(uint32_t size);
// Puts the replaced handler back, frees the reserve and the lock. Does
// nothing when the handler is not installed.
void removeNewHandler();
// The handler operator new calls when an allocation fails. Returns to let
// the allocation try again; when a critical-error report returns instead of
// ending the process (a test's handler), throws std::bad_alloc.
void outOfMemoryHandler();

// The size of the reserve now put aside; 0 when there is none.
uint32_t NewHandlerReserveSize();
