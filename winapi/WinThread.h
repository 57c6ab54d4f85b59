#pragma once
// Kernel objects of the platform layer: semaphores, events and threads behind
// HANDLEs, the waits on them, and thread-local storage slots. Timed waits
// count time on the layer's clock (winapi/WinTime.h): under a test's fake
// clock a wait times out only when the test moves the clock, never by itself.
#include "winapi/WinApi.h"
#include "winapi/WinError.h"
#include "winapi/WinTypes.h"

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_ABANDONED = 0x80;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;
constexpr DWORD STILL_ACTIVE = 259;
constexpr DWORD CREATE_SUSPENDED = 0x4;
constexpr DWORD DUPLICATE_CLOSE_SOURCE = 0x1;
constexpr DWORD DUPLICATE_SAME_ACCESS = 0x2;
constexpr DWORD SYNCHRONIZE = 0x00100000;
constexpr DWORD SEMAPHORE_ALL_ACCESS = 0x001F0003;
constexpr DWORD EVENT_ALL_ACCESS = 0x001F0003;
constexpr DWORD TLS_OUT_OF_INDEXES = 0xFFFFFFFF;

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);

// Closes any kernel object handle (file, semaphore, event, thread, find
// handles have FindClose). The object lives while any handle to it is open.
QV_WINAPI_API BOOL CloseHandle(HANDLE object);
QV_WINAPI_API BOOL DuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess, LPHANDLE target,
                                   DWORD desiredAccess, BOOL inheritHandle, DWORD options);

// Pseudo handles, as on Windows: they need no closing.
QV_WINAPI_API HANDLE GetCurrentProcess();
QV_WINAPI_API HANDLE GetCurrentThread();
QV_WINAPI_API DWORD GetCurrentProcessId();
QV_WINAPI_API DWORD GetCurrentThreadId();

// A named object of the same kind opened again gives ERROR_ALREADY_EXISTS
// (and a handle to the existing object).
QV_WINAPI_API HANDLE CreateSemaphoreW(LPSECURITY_ATTRIBUTES attributes, LONG initialCount, LONG maximumCount,
                                      LPCWSTR name);
QV_WINAPI_API HANDLE CreateSemaphoreA(LPSECURITY_ATTRIBUTES attributes, LONG initialCount, LONG maximumCount,
                                      LPCSTR name);
// Fails with ERROR_TOO_MANY_POSTS when the count would pass the maximum.
QV_WINAPI_API BOOL ReleaseSemaphore(HANDLE semaphore, LONG releaseCount, LPLONG previousCount);

QV_WINAPI_API HANDLE CreateEventW(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState,
                                  LPCWSTR name);
QV_WINAPI_API HANDLE CreateEventA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState,
                                  LPCSTR name);
QV_WINAPI_API BOOL SetEvent(HANDLE event);
QV_WINAPI_API BOOL ResetEvent(HANDLE event);

// WAIT_OBJECT_0 (+ index), WAIT_TIMEOUT or WAIT_FAILED. A thread handle is
// signalled when the thread has ended.
QV_WINAPI_API DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
QV_WINAPI_API DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll,
                                           DWORD milliseconds);

// Threads run on POSIX threads; the handle is signalled when the thread ends
// and the thread is joined once it has ended and been waited for or closed.
QV_WINAPI_API HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, SIZE_T stackSize,
                                  LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD creationFlags,
                                  LPDWORD threadId);
QV_WINAPI_API DWORD ResumeThread(HANDLE thread);
[[noreturn]] QV_WINAPI_API void ExitThread(DWORD exitCode);
QV_WINAPI_API BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
// The C runtime's thread start, as a kernel thread with the same handle rules.
QV_WINAPI_API uintptr_t _beginthreadex(void* security, unsigned stackSize, unsigned (*start)(void*),
                                       void* argument, unsigned initFlag, unsigned* threadId);

// Thread-local storage slots. A freed and reallocated slot reads null in
// every thread until set again.
QV_WINAPI_API DWORD TlsAlloc();
QV_WINAPI_API BOOL TlsFree(DWORD index);
QV_WINAPI_API LPVOID TlsGetValue(DWORD index);
QV_WINAPI_API BOOL TlsSetValue(DWORD index, LPVOID value);
