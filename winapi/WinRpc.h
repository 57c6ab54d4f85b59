#pragma once
// UUIDs: random (version 4) identifiers and their text form, 36 lower-case
// characters "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx".
#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

struct UUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
using GUID = UUID;
static_assert(sizeof(UUID) == 16);

using RPC_STATUS = LONG;
using RPC_WSTR = WCHAR*;
using RPC_CSTR = unsigned char*;

constexpr RPC_STATUS RPC_S_OK = 0;
constexpr RPC_STATUS RPC_S_OUT_OF_MEMORY = 14;
constexpr RPC_STATUS RPC_S_INVALID_ARG = 87;
constexpr RPC_STATUS RPC_S_UUID_LOCAL_ONLY = 1824;

QV_WINAPI_API RPC_STATUS UuidCreate(UUID* uuid);
// The text is allocated by the call and freed with RpcStringFree*.
QV_WINAPI_API RPC_STATUS UuidToStringW(const UUID* uuid, RPC_WSTR* text);
QV_WINAPI_API RPC_STATUS UuidToStringA(const UUID* uuid, RPC_CSTR* text);
QV_WINAPI_API RPC_STATUS RpcStringFreeW(RPC_WSTR* text);
QV_WINAPI_API RPC_STATUS RpcStringFreeA(RPC_CSTR* text);
