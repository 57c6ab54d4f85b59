// The registry calls, over the host store's hives.
#include <cstring>
#include <memory>

#include "winapi/WinKernel.h"
#include "winapi/WinReg.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/internal/WinHandleTable.h"
#include "winapi/internal/WinTextRules.h"

namespace {
using Lock = std::lock_guard<std::recursive_mutex>;

struct OpenKey {
    std::shared_ptr<WinRegistryKey> key;
    REGSAM access;
};

WinHandleTable<OpenKey>& Keys() {
    static auto* table = new WinHandleTable<OpenKey>(0x5245); // outlives static destructors
    return *table;
}

constexpr REGSAM kWriteRights =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;

bool IsPredefined(HKEY key) {
    const auto value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(key));
    const auto high = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(key)) >> 32;
    return value >= 0x80000000u && value <= 0x80000006u && (high == 0 || high == 0xFFFFFFFFu);
}

// The key behind a handle and the rights it was opened with.
LONG Resolve(HKEY handle, OpenKey& out) {
    if (handle == nullptr) return ERROR_INVALID_HANDLE;
    if (IsPredefined(handle)) {
        auto hive = WinHostStore::Instance().Hive(handle);
        if (!hive) return ERROR_INVALID_HANDLE;
        out = {hive, KEY_ALL_ACCESS};
        return ERROR_SUCCESS;
    }
    auto open = Keys().Find(handle);
    if (!open) return ERROR_INVALID_HANDLE;
    if (open->key->IsDeleted()) return ERROR_KEY_DELETED;
    out = *open;
    return ERROR_SUCCESS;
}

// What a request for rights is granted on a key; ERROR_ACCESS_DENIED for
// write rights on a key that is not writable.
LONG Grant(const WinRegistryKey& key, REGSAM desired, REGSAM& granted) {
    if (desired & MAXIMUM_ALLOWED) {
        granted = key.IsWritable() ? KEY_ALL_ACCESS : KEY_READ;
        return ERROR_SUCCESS;
    }
    if ((desired & kWriteRights) != 0 && !key.IsWritable()) return ERROR_ACCESS_DENIED;
    granted = desired;
    return ERROR_SUCCESS;
}

HKEY NewHandle(std::shared_ptr<WinRegistryKey> key, REGSAM access) {
    return static_cast<HKEY>(Keys().Add(std::make_shared<OpenKey>(OpenKey{std::move(key), access})));
}

LONG OpenKeyW(HKEY parent, std::u16string_view subKey, REGSAM desired, PHKEY result) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    Lock hold(WinHostStore::Instance().Mutex());
    OpenKey base;
    if (LONG error = Resolve(parent, base)) return error;
    auto key = base.key->FindPath(subKey);
    if (!key) return ERROR_FILE_NOT_FOUND;
    REGSAM granted = 0;
    if (LONG error = Grant(*key, desired, granted)) return error;
    *result = NewHandle(std::move(key), granted);
    return ERROR_SUCCESS;
}

LONG CreateKeyW(HKEY parent, std::u16string_view subKey, REGSAM desired, PHKEY result, LPDWORD disposition) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    Lock hold(WinHostStore::Instance().Mutex());
    OpenKey base;
    if (LONG error = Resolve(parent, base)) return error;
    if (auto existing = base.key->FindPath(subKey)) {
        REGSAM granted = 0;
        if (LONG error = Grant(*existing, desired, granted)) return error;
        *result = NewHandle(std::move(existing), granted);
        if (disposition != nullptr) *disposition = REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    }
    if ((base.access & KEY_CREATE_SUB_KEY) == 0) return ERROR_ACCESS_DENIED;
    // Every key that gets a new child must be writable.
    std::shared_ptr<WinRegistryKey> key = base.key;
    size_t start = 0;
    while (start <= subKey.size()) {
        size_t end = subKey.find(u'\\', start);
        if (end == std::u16string_view::npos) end = subKey.size();
        if (end > start) {
            const std::u16string_view name = subKey.substr(start, end - start);
            auto child = key->FindChild(name);
            if (!child) {
                if (!key->IsWritable()) return ERROR_ACCESS_DENIED;
                child = key->CreateChild(name);
            }
            key = child;
        }
        start = end + 1;
    }
    REGSAM granted = 0;
    if (LONG error = Grant(*key, desired, granted)) return error;
    *result = NewHandle(std::move(key), granted);
    if (disposition != nullptr) *disposition = REG_CREATED_NEW_KEY;
    return ERROR_SUCCESS;
}

// Copies a value's bytes with the size-query and ERROR_MORE_DATA rules.
LONG CopyValue(const WinRegistryValue& value, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
    if (type != nullptr) *type = value.type;
    const auto size = static_cast<DWORD>(value.data.size());
    if (dataSize == nullptr) return ERROR_SUCCESS;
    if (data == nullptr) {
        *dataSize = size;
        return ERROR_SUCCESS;
    }
    if (*dataSize < size) {
        *dataSize = size;
        return ERROR_MORE_DATA;
    }
    if (size > 0) std::memcpy(data, value.data.data(), size);
    *dataSize = size;
    return ERROR_SUCCESS;
}

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// A stored string value as ANSI bytes (the narrow calls' view of it).
WinRegistryValue ToAnsiValue(const WinRegistryValue& value) {
    if (!IsStringType(value.type)) return value;
    std::u16string wide(value.data.size() / 2, u'\0');
    if (!wide.empty()) std::memcpy(wide.data(), value.data.data(), wide.size() * 2);
    const std::string narrow = WinText::ToAnsi(wide);
    return {value.name, value.type, std::vector<BYTE>(narrow.begin(), narrow.end())};
}

std::u16string NameOf(LPCSTR name) {
    return WinText::FromAnsi(name);
}

LONG QueryValue(HKEY handle, std::u16string_view name, LPDWORD type, LPBYTE data, LPDWORD dataSize,
                bool ansi) {
    Lock hold(WinHostStore::Instance().Mutex());
    OpenKey open;
    if (LONG error = Resolve(handle, open)) return error;
    if ((open.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    const WinRegistryValue* value = open.key->FindValue(name);
    if (value == nullptr) return ERROR_FILE_NOT_FOUND;
    return ansi ? CopyValue(ToAnsiValue(*value), type, data, dataSize)
                : CopyValue(*value, type, data, dataSize);
}

LONG SetValue(HKEY handle, std::u16string_view name, DWORD type, const BYTE* data, DWORD size) {
    if (data == nullptr && size != 0) return ERROR_INVALID_PARAMETER;
    Lock hold(WinHostStore::Instance().Mutex());
    WinHostStore::Instance().NoteWriteRequest();
    OpenKey open;
    if (LONG error = Resolve(handle, open)) return error;
    if ((open.access & KEY_SET_VALUE) == 0 || !open.key->IsWritable()) return ERROR_ACCESS_DENIED;
    if (DWORD error = WinHostStore::Instance().ValueWriteFailure(name)) return static_cast<LONG>(error);
    open.key->SetValue(name, type, size > 0 ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>());
    return ERROR_SUCCESS;
}

LONG DeleteValue(HKEY handle, std::u16string_view name) {
    Lock hold(WinHostStore::Instance().Mutex());
    WinHostStore::Instance().NoteWriteRequest();
    OpenKey open;
    if (LONG error = Resolve(handle, open)) return error;
    if ((open.access & KEY_SET_VALUE) == 0 || !open.key->IsWritable()) return ERROR_ACCESS_DENIED;
    return open.key->DeleteValue(name) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG DeleteKey(HKEY handle, std::u16string_view subKey) {
    Lock hold(WinHostStore::Instance().Mutex());
    OpenKey open;
    if (LONG error = Resolve(handle, open)) return error;
    auto key = open.key->FindPath(subKey);
    if (!key) return ERROR_FILE_NOT_FOUND;
    if (key == open.key) return ERROR_ACCESS_DENIED; // a key cannot delete itself through its own handle
    const size_t cut = subKey.find_last_not_of(u'\\');
    const std::u16string_view trimmed = subKey.substr(0, cut + 1);
    const size_t slash = trimmed.rfind(u'\\');
    auto parent =
        slash == std::u16string_view::npos ? open.key : open.key->FindPath(trimmed.substr(0, slash));
    if (!parent || key->ChildCount() > 0 || !key->IsWritable() || !parent->IsWritable())
        return ERROR_ACCESS_DENIED;
    parent->RemoveChild(key->Name());
    return ERROR_SUCCESS;
}

// Copies a name into a character buffer whose size counts the NUL:
// ERROR_MORE_DATA when it does not fit; *size = length without the NUL.
LONG CopyName(std::u16string_view name, LPWSTR buffer, LPDWORD size) {
    if (buffer == nullptr || size == nullptr) return ERROR_INVALID_PARAMETER;
    if (*size < name.size() + 1) return ERROR_MORE_DATA;
    std::memcpy(buffer, name.data(), name.size() * sizeof(WCHAR));
    buffer[name.size()] = 0;
    *size = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}
} // namespace

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM desired, PHKEY result) {
    return OpenKeyW(key, WinText::View(subKey), desired, result);
}

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM desired, PHKEY result) {
    return OpenKeyW(key, NameOf(subKey), desired, result);
}

LONG RegOpenKeyW(HKEY key, LPCWSTR subKey, PHKEY result) {
    return OpenKeyW(key, WinText::View(subKey), MAXIMUM_ALLOWED, result);
}

LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
    return OpenKeyW(key, NameOf(subKey), MAXIMUM_ALLOWED, result);
}

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM desired, LPSECURITY_ATTRIBUTES,
                     PHKEY result, LPDWORD disposition) {
    return CreateKeyW(key, WinText::View(subKey), desired, result, disposition);
}

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM desired, LPSECURITY_ATTRIBUTES,
                     PHKEY result, LPDWORD disposition) {
    return CreateKeyW(key, NameOf(subKey), desired, result, disposition);
}

LONG RegCloseKey(HKEY key) {
    if (IsPredefined(key)) return ERROR_SUCCESS;
    return Keys().Remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    return QueryValue(key, WinText::View(valueName), type, data, dataSize, false);
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    return QueryValue(key, NameOf(valueName), type, data, dataSize, true);
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
    return SetValue(key, WinText::View(valueName), type, data, dataSize);
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
    if (!IsStringType(type) || data == nullptr) return SetValue(key, NameOf(valueName), type, data, dataSize);
    const std::u16string wide =
        WinText::FromAnsi(std::string_view(reinterpret_cast<const char*>(data), dataSize));
    return SetValue(key, NameOf(valueName), type, reinterpret_cast<const BYTE*>(wide.data()),
                    static_cast<DWORD>(wide.size() * sizeof(char16_t)));
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName) {
    return DeleteValue(key, WinText::View(valueName));
}

LONG RegDeleteValueA(HKEY key, LPCSTR valueName) {
    return DeleteValue(key, NameOf(valueName));
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
    return DeleteKey(key, WinText::View(subKey));
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    return DeleteKey(key, NameOf(subKey));
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD, LPWSTR keyClass,
                   LPDWORD classSize, LPFILETIME lastWriteTime) {
    Lock hold(WinHostStore::Instance().Mutex());
    OpenKey open;
    if (LONG error = Resolve(key, open)) return error;
    if ((open.access & KEY_ENUMERATE_SUB_KEYS) == 0) return ERROR_ACCESS_DENIED;
    auto child = open.key->ChildAt(index);
    if (!child) return ERROR_NO_MORE_ITEMS;
    if (LONG error = CopyName(child->Name(), name, nameSize)) return error;
    if (keyClass != nullptr && classSize != nullptr && *classSize > 0) keyClass[0] = 0;
    if (classSize != nullptr) *classSize = 0;
    if (lastWriteTime != nullptr) *lastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, LPDWORD valueNameSize, LPDWORD, LPDWORD type,
                   LPBYTE data, LPDWORD dataSize) {
    Lock hold(WinHostStore::Instance().Mutex());
    OpenKey open;
    if (LONG error = Resolve(key, open)) return error;
    if ((open.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    const auto& values = open.key->Values();
    if (index >= values.size()) return ERROR_NO_MORE_ITEMS;
    const WinRegistryValue& value = values[index];
    if (LONG error = CopyName(value.name, valueName, valueNameSize)) return error;
    return CopyValue(value, type, data, dataSize);
}

LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, LPDWORD classSize, LPDWORD, LPDWORD subKeys,
                      LPDWORD maxSubKeyLength, LPDWORD maxClassLength, LPDWORD values,
                      LPDWORD maxValueNameLength, LPDWORD maxValueLength, LPDWORD securityDescriptorSize,
                      LPFILETIME lastWriteTime) {
    Lock hold(WinHostStore::Instance().Mutex());
    OpenKey open;
    if (LONG error = Resolve(key, open)) return error;
    if ((open.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    DWORD longestKey = 0, longestName = 0, longestData = 0;
    for (size_t i = 0; i < open.key->ChildCount(); ++i)
        longestKey = std::max<DWORD>(longestKey, static_cast<DWORD>(open.key->ChildAt(i)->Name().size()));
    for (const WinRegistryValue& value : open.key->Values()) {
        longestName = std::max<DWORD>(longestName, static_cast<DWORD>(value.name.size()));
        longestData = std::max<DWORD>(longestData, static_cast<DWORD>(value.data.size()));
    }
    if (keyClass != nullptr && classSize != nullptr && *classSize > 0) keyClass[0] = 0;
    if (classSize != nullptr) *classSize = 0;
    if (subKeys != nullptr) *subKeys = static_cast<DWORD>(open.key->ChildCount());
    if (maxSubKeyLength != nullptr) *maxSubKeyLength = longestKey;
    if (maxClassLength != nullptr) *maxClassLength = 0;
    if (values != nullptr) *values = static_cast<DWORD>(open.key->Values().size());
    if (maxValueNameLength != nullptr) *maxValueNameLength = longestName;
    if (maxValueLength != nullptr) *maxValueLength = longestData;
    if (securityDescriptorSize != nullptr) *securityDescriptorSize = 0;
    if (lastWriteTime != nullptr) *lastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
}
