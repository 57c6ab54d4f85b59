#pragma once
// One scoped holder for every kind of handle of the platform layer, with a
// closer per kind, so that no caller writes its own close and none is
// forgotten on an early return. A holder may also borrow a handle it does not
// own ("use the caller's printer handle, or open one and close it here").
#include <utility>

#include "winapi/WinFile.h"
#include "winapi/WinModule.h"
#include "winapi/WinReg.h"
#include "winapi/WinSpool.h"
#include "winapi/WinThread.h"

template <typename Traits> class WinScopedHandle {
public:
    using Handle = typename Traits::Handle;

    WinScopedHandle() = default;
    explicit WinScopedHandle(Handle handle, bool owned = true) : handle_(handle), owned_(owned) {}
    WinScopedHandle(const WinScopedHandle&) = delete;
    WinScopedHandle& operator=(const WinScopedHandle&) = delete;
    WinScopedHandle(WinScopedHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::Invalid())), owned_(other.owned_) {}
    WinScopedHandle& operator=(WinScopedHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, Traits::Invalid());
            owned_ = other.owned_;
        }
        return *this;
    }
    ~WinScopedHandle() { Reset(); }

    // A holder of a handle the caller keeps: never closed here.
    static WinScopedHandle Borrow(Handle handle) { return WinScopedHandle(handle, false); }

    Handle Get() const { return handle_; }
    bool IsValid() const { return Traits::IsValid(handle_); }
    bool IsOwned() const { return owned_ && IsValid(); }
    explicit operator bool() const { return IsValid(); }

    // Gives up ownership and returns the handle.
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }

    // Closes what it owns and takes the new handle (owned).
    void Reset(Handle handle = Traits::Invalid()) {
        if (owned_ && Traits::IsValid(handle_)) Traits::Close(handle_);
        handle_ = handle;
        owned_ = true;
    }

    // For out-parameters: closes what it holds and hands out the slot, which
    // the call fills with a handle this holder then owns.
    Handle* Receive() {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Invalid();
    bool owned_ = true;
};

struct WinPrinterHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { ClosePrinter(handle); }
};

struct WinKeyHandleTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { RegCloseKey(handle); }
};

struct WinModuleHandleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { FreeLibrary(handle); }
};

// Files answer INVALID_HANDLE_VALUE on failure.
struct WinFileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
    static void Close(Handle handle) { CloseHandle(handle); }
};

struct WinFindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
    static void Close(Handle handle) { FindClose(handle); }
};

// Semaphores, events and threads answer null on failure.
struct WinKernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { CloseHandle(handle); }
};

using WinScopedPrinter = WinScopedHandle<WinPrinterHandleTraits>;
using WinScopedKey = WinScopedHandle<WinKeyHandleTraits>;
using WinScopedModule = WinScopedHandle<WinModuleHandleTraits>;
using WinScopedFile = WinScopedHandle<WinFileHandleTraits>;
using WinScopedFind = WinScopedHandle<WinFindHandleTraits>;
using WinScopedKernelObject = WinScopedHandle<WinKernelHandleTraits>;
