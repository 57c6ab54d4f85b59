// Random UUIDs and their text form.
#include <cstdio>
#include <cstring>
#include <random>

#include "winapi/WinRpc.h"
#include "winapi/host/WinHostStore.h"

namespace {
std::string Text(const UUID& uuid) {
    char text[37];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", uuid.Data1,
                  uuid.Data2, uuid.Data3, uuid.Data4[0], uuid.Data4[1], uuid.Data4[2], uuid.Data4[3],
                  uuid.Data4[4], uuid.Data4[5], uuid.Data4[6], uuid.Data4[7]);
    return text;
}
} // namespace

RPC_STATUS UuidCreate(UUID* uuid) {
    if (uuid == nullptr) return RPC_S_INVALID_ARG;
    if (WinHostStore::Instance().TakeQueuedUuid(*uuid)) return RPC_S_OK;
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    BYTE bytes[16];
    for (int i = 0; i < 16; i += 8) {
        const uint64_t word = engine();
        std::memcpy(bytes + i, &word, 8);
    }
    std::memcpy(uuid, bytes, 16);
    uuid->Data3 = static_cast<WORD>((uuid->Data3 & 0x0FFF) | 0x4000);   // version 4
    uuid->Data4[0] = static_cast<BYTE>((uuid->Data4[0] & 0x3F) | 0x80); // the standard variant
    return RPC_S_OK;
}

RPC_STATUS UuidToStringW(const UUID* uuid, RPC_WSTR* text) {
    if (uuid == nullptr || text == nullptr) return RPC_S_INVALID_ARG;
    const std::string narrow = Text(*uuid);
    auto* out = new (std::nothrow) WCHAR[narrow.size() + 1];
    if (out == nullptr) return RPC_S_OUT_OF_MEMORY;
    for (size_t i = 0; i <= narrow.size(); ++i)
        out[i] = static_cast<WCHAR>(narrow.c_str()[i]);
    *text = out;
    return RPC_S_OK;
}

RPC_STATUS UuidToStringA(const UUID* uuid, RPC_CSTR* text) {
    if (uuid == nullptr || text == nullptr) return RPC_S_INVALID_ARG;
    const std::string narrow = Text(*uuid);
    auto* out = new (std::nothrow) unsigned char[narrow.size() + 1];
    if (out == nullptr) return RPC_S_OUT_OF_MEMORY;
    std::memcpy(out, narrow.c_str(), narrow.size() + 1);
    *text = out;
    return RPC_S_OK;
}

RPC_STATUS RpcStringFreeW(RPC_WSTR* text) {
    if (text == nullptr) return RPC_S_INVALID_ARG;
    delete[] * text;
    *text = nullptr;
    return RPC_S_OK;
}

RPC_STATUS RpcStringFreeA(RPC_CSTR* text) {
    if (text == nullptr) return RPC_S_INVALID_ARG;
    delete[] * text;
    *text = nullptr;
    return RPC_S_OK;
}
