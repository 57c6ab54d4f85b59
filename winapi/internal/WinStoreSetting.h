#pragma once
// The scalar settings of the machine, each kept as one row of the store's
// settings table under its name: how its cell is taken from the state and
// how the stored column is put back.
#include <functional>
#include <vector>

#include "winapi/host/WinMachineState.h"
#include "winapi/internal/WinSqliteStatement.h"
#include "winapi/internal/WinStoreTable.h"

struct WinStoreSetting {
    const char* name;
    std::function<WinStoreCell(const WinMachineState&)> get;
    std::function<void(WinMachineState&, const WinSqliteStatement&, int column)> set;

    static const std::vector<WinStoreSetting>& All();
};
