#include "winapi/WinKernel.h"

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&section->mutex, &attributes);
    pthread_mutexattr_destroy(&attributes);
}

void EnterCriticalSection(LPCRITICAL_SECTION section) {
    pthread_mutex_lock(&section->mutex);
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) {
    return pthread_mutex_trylock(&section->mutex) == 0 ? TRUE : FALSE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) {
    pthread_mutex_unlock(&section->mutex);
}

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
    pthread_mutex_destroy(&section->mutex);
}

DWORD GetLastError() {
    return t_lastError;
}

void SetLastError(DWORD error) {
    t_lastError = error;
}

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t product = int64_t{a} * b;
    const bool negative = (product < 0) != (c < 0);
    const uint64_t magnitude =
        product < 0 ? uint64_t(0) - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
    const uint64_t divisor =
        c < 0 ? uint64_t(0) - static_cast<uint64_t>(int64_t{c}) : static_cast<uint64_t>(c);
    // Halves round away from zero.
    const uint64_t quotient = (magnitude + divisor / 2) / divisor;
    if (quotient > (negative ? uint64_t{0x80000000} : uint64_t{0x7FFFFFFF})) return -1;
    return negative ? static_cast<int>(-static_cast<int64_t>(quotient)) : static_cast<int>(quotient);
}
