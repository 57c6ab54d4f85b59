#pragma once
// Where the host store keeps the machine between runs. Save leaves the whole
// state stored or what was stored before; Load replaces the state only when
// a stored one was read whole.
#include "winapi/WinApi.h"
#include "winapi/host/WinMachineState.h"

class QV_WINAPI_API WinStorePersistence {
public:
    virtual ~WinStorePersistence() = default;
    // False when nothing is stored yet or it cannot be read; state untouched.
    virtual bool Load(WinMachineState& state) = 0;
    // False when the state could not be written; what was stored stays.
    virtual bool Save(const WinMachineState& state) = 0;
};
