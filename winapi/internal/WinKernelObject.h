#pragma once
// The objects behind kernel HANDLEs (files, semaphores, events, threads). A
// waitable object answers whether it is signalled and what a satisfied wait
// takes from it; both are asked with the wait hub's lock held
// (winapi/host/WinWaitHub.h), and every change of a signal state notifies it.
#include <memory>

#include "winapi/internal/WinHandleTable.h"

class WinKernelObject {
public:
    virtual ~WinKernelObject() = default;
    virtual bool IsSignalled() const { return true; }
    virtual void Consume() {}
};

WinHandleTable<WinKernelObject>& WinKernelObjects();
