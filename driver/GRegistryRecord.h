#pragma once
// The small base of the objects that load and drive a helper module named
// in the registry or in printer data (the mini-installer loader the platform
// services hand out, GModuleLoader and its kinds). It holds the module's
// name and the numbers the loaders keep; the UI model and the printer-event
// handler read its state number (a loader's loaded flag).
//
// The first and third numbers are pointer-sized: the loaders keep a printer
// handle and a module handle there.
#include <cstdint>

#include "rw/RWWString.h"

class GRegistryRecord {
public:
    GRegistryRecord(const GRegistryRecord&) = delete;
    GRegistryRecord& operator=(const GRegistryRecord&) = delete;
    virtual ~GRegistryRecord();

    // What every loader supplies: start the loaded module, and shut it down
    // and free it. Their results are the loader's own.
    virtual int32_t Initialize() = 0;
    virtual int32_t Shutdown() = 0;

    // The state number: 0 until the derived loader sets it.
    uint32_t GetSecondNumber() const { return stateNumber_; }

protected:
    // The name is copied; the state number, the second string and the third
    // number start empty.
    GRegistryRecord(const RWWString& name, uintptr_t firstNumber);

    const RWWString& GetName() const { return name_; }
    uintptr_t GetFirstNumber() const { return firstNumber_; }
    void SetFirstNumber(uintptr_t number) { firstNumber_ = number; }
    void SetStateNumber(uint32_t number) { stateNumber_ = number; }
    const RWWString& GetSecondString() const { return secondString_; }
    void SetSecondString(const RWWString& text) { secondString_ = text; }
    uintptr_t GetThirdNumber() const { return thirdNumber_; }
    void SetThirdNumber(uintptr_t number) { thirdNumber_ = number; }

private:
    RWWString name_;
    uintptr_t firstNumber_;
    uint32_t stateNumber_ = 0;
    RWWString secondString_;
    uintptr_t thirdNumber_ = 0;
};
