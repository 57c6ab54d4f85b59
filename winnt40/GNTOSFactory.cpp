#include "winnt40/GNTOSFactory.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "driver/GDriverContext.h"
#include "driver/GLocaleInfo.h"
#include "driver/GPrinterValueStore.h"
#include "model/GPersistInputStream.h"
#include "model/GPersistOutputStream.h"
#include "winapi/WinFile.h"
#include "winapi/WinModule.h"
#include "winapi/WinTime.h"
#include "winnt40/GNTUnicodeConverter.h"
#include "winnt40/GSemaphoreLock.h"

namespace {

constexpr uint32_t kMaxChunkCount = 0xFFFFFFFFu / GNTOSFactory::kChunkSize;
constexpr DWORD kLocaleValueSize = 128;
constexpr int32_t kMinutesPerDay = 24 * 60;

LPWSTR Writable(const RWWString& text) {
    return const_cast<LPWSTR>(text.Data());
}

LPBYTE Writable(const void* data) {
    return static_cast<LPBYTE>(const_cast<void*>(data));
}

bool IsStringType(DWORD type) {
    return type == REG_SZ;
}

// The text of a string value's bytes, up to its first NUL; the bytes are
// copied into a zeroed buffer with room for a terminator first.
RWWString TextOf(const std::vector<BYTE>& bytes) {
    std::vector<WCHAR> units(bytes.size() / sizeof(WCHAR) + 1, 0);
    std::copy(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>((units.size() - 1) * sizeof(WCHAR)),
              reinterpret_cast<BYTE*>(units.data()));
    return RWWString(units.data());
}

// A REG_SZ value of more than 0 bytes, read after a size query.
bool ReadRegistryString(HKEY key, const RWWString& name, RWWString& text) {
    DWORD type = 0;
    DWORD size = 0;
    const LONG query = RegQueryValueExW(key, name.Data(), nullptr, &type, nullptr, &size);
    if ((query != ERROR_SUCCESS && query != ERROR_MORE_DATA) || !IsStringType(type) || size == 0)
        return false;
    std::vector<BYTE> bytes(size);
    if (RegQueryValueExW(key, name.Data(), nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS ||
        !IsStringType(type)) {
        return false;
    }
    bytes.resize(std::min<size_t>(size, bytes.size()));
    text = TextOf(bytes);
    return true;
}

// A REG_DWORD of 4 bytes.
bool ReadRegistryDword(HKEY key, const RWWString& name, uint32_t& value) {
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExW(key, name.Data(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data) {
        return false;
    }
    value = data;
    return true;
}

LONG WriteRegistryString(HKEY key, const RWWString& name, const RWWString& text) {
    const auto bytes = static_cast<DWORD>((text.Length() + 1) * sizeof(WCHAR));
    return RegSetValueExW(key, name.Data(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.Data()), bytes);
}

LONG WriteRegistryDword(HKEY key, const RWWString& name, uint32_t value) {
    const DWORD data = value;
    return RegSetValueExW(key, name.Data(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

WinScopedKey OpenKey(HKEY root, const RWWString& path, REGSAM access) {
    WinScopedKey key;
    if (RegOpenKeyExW(root, path.Data(), 0, access, key.Receive()) != ERROR_SUCCESS) key.Reset();
    return key;
}

WinScopedKey CreateKey(HKEY root, const RWWString& path, REGSAM access) {
    WinScopedKey key;
    if (RegCreateKeyExW(root, path.Data(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS) {
        key.Reset();
    }
    return key;
}

RWWString KeyString(HKEY root, const RWWString& path, const RWWString& name, const RWWString& fallback) {
    WinScopedKey key = OpenKey(root, path, KEY_READ);
    RWWString text;
    return key && ReadRegistryString(key.Get(), name, text) ? text : fallback;
}

uint32_t KeyDword(HKEY root, const RWWString& path, const RWWString& name, uint32_t fallback) {
    WinScopedKey key = OpenKey(root, path, KEY_READ);
    uint32_t value = 0;
    return key && ReadRegistryDword(key.Get(), name, value) ? value : fallback;
}

RWWString PrinterKeyPath(GDriverContext* context) {
    return RWWString(GNTOSFactory::kPrintersKey) +
           (context != nullptr ? context->GetPrinterName() : RWWString());
}

RWWString EnvironmentVariable(const char16_t* name) {
    const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0) return RWWString();
    std::vector<WCHAR> buffer(needed + 1, 0);
    const DWORD length = GetEnvironmentVariableW(name, buffer.data(), needed);
    return length > 0 && length < needed ? RWWString(buffer.data(), length) : RWWString();
}

// --- Date arithmetic on the proleptic Gregorian calendar -------------------

int64_t DaysFromCivil(int64_t year, uint32_t month, uint32_t day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<uint32_t>(year - era * 400);
    const uint32_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const uint32_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

void CivilFromDays(int64_t days, GDateTime& date) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<uint32_t>(days - era * 146097);
    const uint32_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const uint32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const uint32_t monthIndex = (5 * dayOfYear + 2) / 153;
    const uint32_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    date.day = static_cast<uint16_t>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    date.month = static_cast<uint16_t>(month);
    date.year = static_cast<uint16_t>(static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0));
}

// The record moved by offset minutes. The day of week follows the days the
// move crosses, so a shifted date never carries the old date's weekday.
GDateTime Shift(const GDateTime& time, int32_t offset) {
    const int64_t days = DaysFromCivil(time.year, time.month, time.day);
    const int64_t minutes = days * kMinutesPerDay + time.hour * 60 + time.minute + offset;
    const int64_t newDays = (minutes >= 0 ? minutes : minutes - (kMinutesPerDay - 1)) / kMinutesPerDay;
    const int64_t minuteOfDay = minutes - newDays * kMinutesPerDay;
    GDateTime shifted = time;
    CivilFromDays(newDays, shifted);
    shifted.hour = static_cast<uint16_t>(minuteOfDay / 60);
    shifted.minute = static_cast<uint16_t>(minuteOfDay % 60);
    shifted.dayOfWeek = static_cast<uint16_t>(((time.dayOfWeek + (newDays - days)) % 7 + 7) % 7);
    return shifted;
}

// --- Locale ------------------------------------------------------------------

// A value of the International key as text, NUL-terminated in its buffer.
bool ReadLocaleValue(HKEY key, const char* name, std::string& text) {
    char buffer[kLocaleValueSize + 1] = {};
    DWORD type = 0;
    DWORD size = kLocaleValueSize;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    buffer[std::min(size, kLocaleValueSize)] = 0;
    text = buffer;
    return true;
}

// Decimal digits after optional blanks and sign, as the C runtime reads
// them: "00000409" is 409; no digits give 0; the result is kept within the
// 32-bit range.
int32_t DecimalValue(const std::string& text) {
    std::string::size_type start = text.find_first_not_of(" \t");
    if (start == std::string::npos) return 0;
    bool negative = false;
    if (text[start] == '-' || text[start] == '+') {
        negative = text[start] == '-';
        ++start;
    }
    constexpr int64_t kLimit = int64_t{1} << 31;
    int64_t value = 0;
    for (std::string::size_type i = start; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), kLimit);
    }
    return static_cast<int32_t>(negative ? -value : std::min<int64_t>(value, kLimit - 1));
}

} // namespace

// --- Chunk stores --------------------------------------------------------------

// Where the count and chunks of one chunked value are read and written.
class GNTOSFactory::ChunkStore {
public:
    explicit ChunkStore(const RWWString& name) : name_(name) {}
    virtual ~ChunkStore() = default;

    virtual bool IsOpen() const = 0;
    // The count, or 0 when it is missing or not a 4-byte REG_DWORD.
    virtual uint32_t ReadCount() = 0;
    virtual bool WriteCount(uint32_t count) = 0;
    virtual bool WriteChunk(uint32_t index, const BYTE* data, uint32_t size) = 0;
    // A REG_BINARY chunk that fits capacity; its size in *size.
    virtual bool ReadChunk(uint32_t index, BYTE* buffer, uint32_t capacity, uint32_t* size) = 0;
    // True when the value was there and is gone.
    virtual bool DeleteValue(const RWWString& valueName) = 0;

    const RWWString& Name() const { return name_; }

private:
    RWWString name_;
};

// The printer's spooler data.
class GNTOSFactory::SpoolerChunkStore : public ChunkStore {
public:
    SpoolerChunkStore(GNTOSFactory& factory, GDriverContext* context, const RWWString& name)
        : ChunkStore(name), factory_(factory), context_(context),
          printer_(factory.OpenContextPrinter(context, PRINTER_ALL_ACCESS)) {}

    bool IsOpen() const override { return printer_.IsValid(); }

    uint32_t ReadCount() override {
        DWORD type = 0;
        DWORD count = 0;
        DWORD needed = 0;
        if (GetPrinterDataW(printer_.Get(), Writable(Name()), &type, reinterpret_cast<BYTE*>(&count),
                            sizeof count, &needed) != ERROR_SUCCESS ||
            type != REG_DWORD || needed != sizeof count) {
            return 0;
        }
        return count;
    }

    bool WriteCount(uint32_t count) override {
        DWORD data = count;
        return SetPrinterDataW(printer_.Get(), Writable(Name()), REG_DWORD, reinterpret_cast<BYTE*>(&data),
                               sizeof data) == ERROR_SUCCESS;
    }

    bool WriteChunk(uint32_t index, const BYTE* data, uint32_t size) override {
        const RWWString chunk = ChunkName(Name(), index);
        return SetPrinterDataW(printer_.Get(), Writable(chunk), REG_BINARY, Writable(data), size) ==
               ERROR_SUCCESS;
    }

    bool ReadChunk(uint32_t index, BYTE* buffer, uint32_t capacity, uint32_t* size) override {
        const RWWString chunk = ChunkName(Name(), index);
        DWORD type = 0;
        DWORD needed = 0;
        if (GetPrinterDataW(printer_.Get(), Writable(chunk), &type, buffer, capacity, &needed) !=
                ERROR_SUCCESS ||
            type != REG_BINARY || needed > capacity) {
            return false;
        }
        *size = needed;
        return true;
    }

    bool DeleteValue(const RWWString& valueName) override {
        return factory_.DeletePrinterDataValue(context_, valueName) != 0;
    }

private:
    GNTOSFactory& factory_;
    GDriverContext* context_;
    WinScopedPrinter printer_;
};

// A registry key named by a "???" value name.
class GNTOSFactory::RegistryChunkStore : public ChunkStore {
public:
    RegistryChunkStore(WinScopedKey key, const RWWString& name) : ChunkStore(name), key_(std::move(key)) {}

    bool IsOpen() const override { return key_.IsValid(); }

    uint32_t ReadCount() override {
        DWORD type = 0;
        DWORD count = 0;
        DWORD size = sizeof count;
        LONG result = RegQueryValueExW(key_.Get(), Name().Data(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&count), &size);
        if (result == ERROR_MORE_DATA) {
            size = sizeof count;
            result = RegQueryValueExW(key_.Get(), Name().Data(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(&count), &size);
        }
        return result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof count ? count : 0;
    }

    bool WriteCount(uint32_t count) override {
        return WriteRegistryDword(key_.Get(), Name(), count) == ERROR_SUCCESS;
    }

    bool WriteChunk(uint32_t index, const BYTE* data, uint32_t size) override {
        const RWWString chunk = ChunkName(Name(), index);
        return RegSetValueExW(key_.Get(), chunk.Data(), 0, REG_BINARY, data, size) == ERROR_SUCCESS;
    }

    bool ReadChunk(uint32_t index, BYTE* buffer, uint32_t capacity, uint32_t* size) override {
        const RWWString chunk = ChunkName(Name(), index);
        DWORD type = 0;
        DWORD read = capacity;
        if (RegQueryValueExW(key_.Get(), chunk.Data(), nullptr, &type, buffer, &read) != ERROR_SUCCESS ||
            type != REG_BINARY || read > capacity) {
            return false;
        }
        *size = read;
        return true;
    }

    bool DeleteValue(const RWWString& valueName) override {
        return RegDeleteValueW(key_.Get(), valueName.Data()) == ERROR_SUCCESS;
    }

private:
    WinScopedKey key_;
};

// --- Factory ---------------------------------------------------------------------

GNTOSFactory::GNTOSFactory() {
    SetSharedLock(GNTOSFactory::CreateLock());
}

GNTOSFactory::~GNTOSFactory() = default;

GDriver* GNTOSFactory::CreateDriver(const GPrinterIdentity&) {
    return nullptr;
}

GDriverContext* GNTOSFactory::CreateJobObject(const GPrinterIdentity&) {
    return nullptr;
}

void* GNTOSFactory::QueryJobContextService(GDriverContext*) {
    return nullptr;
}

uint32_t GNTOSFactory::QueryService(uint32_t, uint32_t, uint32_t) {
    return 0;
}

uint32_t GNTOSFactory::QueryDriverBaseService() {
    return 0;
}

uint32_t GNTOSFactory::QueryCommandService() {
    return 0;
}

uint32_t GNTOSFactory::QueryConverterService() {
    return 0;
}

GPrinterValueStore* GNTOSFactory::CreateValueStore(GDriverContext* context) {
    return new (std::nothrow) GPrinterValueStore(context);
}

std::unique_ptr<GLock> GNTOSFactory::CreateLock() {
    return std::unique_ptr<GLock>(new (std::nothrow) GSemaphoreLock());
}

std::unique_ptr<GUnicodeConverter> GNTOSFactory::CreateUnicodeConverter() {
    return std::unique_ptr<GUnicodeConverter>(new (std::nothrow) GNTUnicodeConverter());
}

// --- Time and randomness -------------------------------------------------------

int GNTOSFactory::GetDateTime(GDateTime* local, GDateTime* shifted, int16_t* offset) {
    const int16_t minutes = timeOffset_.load();
    if (offset != nullptr) *offset = minutes;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const GDateTime time{now.wYear,   now.wMonth,  now.wDay, now.wHour,
                         now.wMinute, now.wSecond, 0,        now.wDayOfWeek};
    if (local != nullptr) *local = time;
    if (shifted != nullptr) *shifted = Shift(time, minutes);
    return 1;
}

int16_t GNTOSFactory::SetTimeOffset(int16_t minutes) {
    timeOffset_.store(minutes);
    return minutes;
}

void GNTOSFactory::SeedRandom() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const uint64_t ticks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    std::srand(static_cast<unsigned>(ticks / 10000000u));
}

int32_t GNTOSFactory::Random() {
    return std::rand();
}

// --- Streams, files, folders ---------------------------------------------------

std::unique_ptr<GPersistInputStream> GNTOSFactory::OpenMemoryInStream(const void* buffer, size_t length,
                                                                      int32_t format) {
    return std::unique_ptr<GPersistInputStream>(new (std::nothrow)
                                                    GPersistInputStream(buffer, length, format));
}

std::unique_ptr<GPersistInputStream> GNTOSFactory::OpenFileInStream(const WCHAR* path, int32_t format) {
    return std::unique_ptr<GPersistInputStream>(new (std::nothrow) GPersistInputStream(path, format));
}

std::unique_ptr<GPersistOutputStream> GNTOSFactory::OpenMemoryOutStream(void* buffer, size_t capacity,
                                                                        int32_t format) {
    return std::unique_ptr<GPersistOutputStream>(new (std::nothrow)
                                                     GPersistOutputStream(buffer, capacity, format));
}

std::unique_ptr<GPersistOutputStream> GNTOSFactory::OpenFileOutStream(const WCHAR* path, int32_t format) {
    return std::unique_ptr<GPersistOutputStream>(new (std::nothrow) GPersistOutputStream(path, format));
}

int GNTOSFactory::FileExists(const RWWString& path) {
    WinScopedFile file(
        CreateFileW(path.Data(), 0, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsValid() ? 1 : 0;
}

int GNTOSFactory::CreateEmptyFile(const RWWString& path) {
    WinScopedFile file(
        CreateFileW(path.Data(), 0, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.IsValid() ? 1 : 0;
}

RWWString GNTOSFactory::GetTempFolder(GDriverContext* context) {
    RWWString folder = GetPrinterDataString(context, u"TempDirectoryLocation", RWWString());
    if (folder.IsNull()) folder = EnvironmentVariable(u"TMP");
    if (folder.IsNull()) folder = EnvironmentVariable(u"TEMP");
    if (folder.IsNull()) folder = kSpoolFolder;
    return folder;
}

RWWString GNTOSFactory::GetModuleFolder() {
    std::lock_guard<std::mutex> lock(moduleFolderMutex_);
    if (moduleFolder_.IsNull()) {
        WCHAR path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(GetModuleHandle(), path, MAX_PATH);
        // A path cut to fit the buffer names no folder.
        if (length > 0 && length < MAX_PATH) {
            const RWWString file(path, length);
            const size_t separator = file.Last(PathSeparator());
            if (separator != RW_NPOS) moduleFolder_ = RWWString(file.Data(), separator);
        }
    }
    return moduleFolder_;
}

// --- Locale ----------------------------------------------------------------------

std::unique_ptr<GLocaleInfo> GNTOSFactory::GetLocaleInfo() {
    std::unique_ptr<GLocaleInfo> info(new (std::nothrow) GLocaleInfo());
    if (info == nullptr) return nullptr;
    WinScopedKey key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\International", key.Receive()) != ERROR_SUCCESS) {
        return info;
    }
    std::string text;
    for (uint32_t i = 0; i < GLocaleInfo::kNumberCount; ++i) {
        const auto field = static_cast<GLocaleInfo::Number>(i);
        if (ReadLocaleValue(key.Get(), GLocaleInfo::RegistryName(field), text)) {
            info->SetNumber(field, DecimalValue(text));
        }
    }
    for (uint32_t i = 0; i < GLocaleInfo::kTextCount; ++i) {
        const auto field = static_cast<GLocaleInfo::Text>(i);
        if (ReadLocaleValue(key.Get(), GLocaleInfo::RegistryName(field), text)) {
            info->SetText(field, text.c_str());
        }
    }
    return info;
}

// --- Printer data --------------------------------------------------------------

WinScopedPrinter GNTOSFactory::OpenContextPrinter(GDriverContext* context, DWORD access) {
    HANDLE handle = GetPrinterHandle(context);
    if (handle != nullptr) return WinScopedPrinter::Borrow(handle);
    WinScopedPrinter printer;
    if (context == nullptr) return printer;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
    if (!OpenPrinterW(Writable(context->GetPrinterName()), printer.Receive(),
                      access != 0 ? &defaults : nullptr)) {
        printer.Reset();
    }
    return printer;
}

RWWString GNTOSFactory::ChunkName(const RWWString& name, uint32_t index) {
    char digits[16] = {};
    const auto end = std::to_chars(digits, digits + sizeof digits, index).ptr;
    RWWString chunk = name;
    chunk += u':';
    for (const char* c = digits; c != end; ++c)
        chunk += static_cast<WCHAR>(*c);
    return chunk;
}

int GNTOSFactory::SetPrinterDataDword(GDriverContext* context, const RWWString& name, uint32_t value) {
    WinScopedPrinter printer = OpenContextPrinter(context, PRINTER_ALL_ACCESS);
    if (!printer) return 0;
    DWORD data = value;
    return SetPrinterDataW(printer.Get(), Writable(name), REG_DWORD, reinterpret_cast<BYTE*>(&data),
                           sizeof data) == ERROR_SUCCESS
               ? 1
               : 0;
}

int GNTOSFactory::SetPrinterDataString(GDriverContext* context, const RWWString& name,
                                       const RWWString& text) {
    // The context's handle as it is: no printer is opened for a string.
    const auto bytes = static_cast<DWORD>(text.Length() * sizeof(WCHAR));
    return SetPrinterDataW(GetPrinterHandle(context), Writable(name), REG_SZ, Writable(text.Data()), bytes) ==
                   ERROR_SUCCESS
               ? 1
               : 0;
}

uint32_t GNTOSFactory::GetPrinterDataDword(GDriverContext* context, const RWWString& name,
                                           uint32_t fallback) {
    WinScopedPrinter printer = OpenContextPrinter(context, PRINTER_ALL_ACCESS);
    if (!printer) return fallback;
    DWORD type = 0;
    DWORD value = 0;
    DWORD needed = 0;
    if (GetPrinterDataW(printer.Get(), Writable(name), &type, reinterpret_cast<BYTE*>(&value), sizeof value,
                        &needed) != ERROR_SUCCESS ||
        type != REG_DWORD || needed != sizeof value) {
        return fallback;
    }
    return value;
}

RWWString GNTOSFactory::GetPrinterDataString(GDriverContext* context, const RWWString& name,
                                             const RWWString& fallback) {
    HANDLE printer = GetPrinterHandle(context);
    DWORD type = 0;
    DWORD needed = 0;
    const DWORD query = GetPrinterDataW(printer, Writable(name), &type, nullptr, 0, &needed);
    if ((query != ERROR_SUCCESS && query != ERROR_MORE_DATA) || type != REG_SZ || needed == 0)
        return fallback;
    // Zeroed and longer than the value: a string stored without its NUL
    // still ends inside the buffer.
    std::vector<BYTE> bytes(needed + 6, 0);
    DWORD read = 0;
    if (GetPrinterDataW(printer, Writable(name), &type, bytes.data(), needed, &read) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return fallback;
    }
    bytes.resize(std::min<size_t>(read, needed));
    return TextOf(bytes);
}

int GNTOSFactory::WriteChunkedBinary(GDriverContext* context, const RWWString& name, const void* data,
                                     uint32_t length) {
    if (IsRegistryPath(name)) {
        WinScopedKey key;
        RWWString valueName;
        if (!OpenRegistryPath(name, &key, &valueName)) return 0;
        RegistryChunkStore store(std::move(key), valueName);
        return WriteChunks(store, data, length);
    }
    SpoolerChunkStore store(*this, context, name);
    return WriteChunks(store, data, length);
}

int GNTOSFactory::ReadChunkedBinary(GDriverContext* context, const RWWString& name, void* buffer,
                                    uint32_t capacity, uint32_t* length) {
    uint32_t ignored = 0;
    if (length == nullptr) length = &ignored;
    *length = 0;
    if (IsRegistryPath(name)) {
        WinScopedKey key;
        RWWString valueName;
        if (!OpenRegistryPath(name, &key, &valueName)) return 0;
        RegistryChunkStore store(std::move(key), valueName);
        return ReadChunks(store, buffer, capacity, length);
    }
    SpoolerChunkStore store(*this, context, name);
    return ReadChunks(store, buffer, capacity, length);
}

int GNTOSFactory::WriteChunks(ChunkStore& store, const void* data, uint32_t length) {
    if (!store.IsOpen() || (data == nullptr && length != 0)) return 0;
    const auto* bytes = static_cast<const BYTE*>(data);
    const uint32_t count = length / kChunkSize + 1;
    const uint32_t oldCount = store.ReadCount();
    // Settings are committed again on every load of a printer without a
    // default DEVMODE: a value that already holds these chunks is left.
    if (oldCount == count && HoldsChunks(store, bytes, length)) return 1;
    // Removes the count, the chunks this write may have made and those of an
    // older, longer value after them (up to the first gap): what is left
    // reads as missing.
    auto dropValue = [&store, count] {
        store.DeleteValue(store.Name());
        for (uint32_t i = 0; i < count; ++i)
            store.DeleteValue(ChunkName(store.Name(), i));
        for (uint32_t i = count; i <= kMaxChunkCount && store.DeleteValue(ChunkName(store.Name(), i)); ++i) {
        }
    };
    // The chunks first, the count last: until the count is written the old
    // count names chunks of which some may already be new.
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t offset = i * kChunkSize;
        const uint32_t size = std::min(kChunkSize, length - offset);
        if (!store.WriteChunk(i, bytes != nullptr ? bytes + offset : nullptr, size)) {
            // Nothing has changed while the first chunk failed.
            if (i > 0) dropValue();
            return 0;
        }
    }
    if (!store.WriteCount(count)) {
        dropValue();
        return 0;
    }
    // Chunks of an earlier, longer value: they end at the first gap.
    for (uint32_t i = count; i < oldCount && store.DeleteValue(ChunkName(store.Name(), i)); ++i) {
    }
    return 1;
}

bool GNTOSFactory::HoldsChunks(ChunkStore& store, const BYTE* bytes, uint32_t length) {
    std::vector<BYTE> stored(kChunkSize);
    const uint32_t count = length / kChunkSize + 1;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t offset = i * kChunkSize;
        const uint32_t size = std::min(kChunkSize, length - offset);
        uint32_t read = 0;
        if (!store.ReadChunk(i, stored.data(), kChunkSize, &read) || read != size ||
            (size != 0 && std::memcmp(stored.data(), bytes + offset, size) != 0))
            return false;
    }
    return true;
}

int GNTOSFactory::ReadChunks(ChunkStore& store, void* buffer, uint32_t capacity, uint32_t* length) {
    if (!store.IsOpen()) return 0;
    const uint32_t count = store.ReadCount();
    if (count == 0 || count > kMaxChunkCount) return 0;
    const uint32_t needed = count * kChunkSize;
    *length = needed;
    if (buffer == nullptr || capacity == 0) return 1;
    if (capacity < needed) return 0;
    auto* bytes = static_cast<BYTE*>(buffer);
    uint32_t offset = 0;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t size = 0;
        if (!store.ReadChunk(i, bytes + offset, capacity - offset, &size)) return 0;
        offset += size;
    }
    *length = offset;
    return 1;
}

int GNTOSFactory::DeletePrinterDataValue(GDriverContext* context, const RWWString& name) {
    WinScopedKey key =
        OpenKey(HKEY_LOCAL_MACHINE, PrinterKeyPath(context) + kPrinterDataSubkey, KEY_ALL_ACCESS);
    return key && RegDeleteValueW(key.Get(), name.Data()) == ERROR_SUCCESS ? 1 : 0;
}

int GNTOSFactory::SetPrinterKeyString(GDriverContext* context, const RWWString& subkey, const RWWString& name,
                                      const RWWString& text) {
    WinScopedKey key =
        CreateKey(HKEY_LOCAL_MACHINE, PrinterKeyPath(context) + u"\\" + subkey, KEY_ALL_ACCESS);
    if (!key) return 0;
    if (text.IsNull()) return 1;
    return WriteRegistryString(key.Get(), name, text) == ERROR_SUCCESS ? 1 : 0;
}

RWWString GNTOSFactory::GetPrinterKeyString(GDriverContext* context, const RWWString& subkey,
                                            const RWWString& name, const RWWString& fallback) {
    return KeyString(HKEY_LOCAL_MACHINE, PrinterKeyPath(context) + u"\\" + subkey, name, fallback);
}

// --- Machine and user keys -------------------------------------------------------

RWWString GNTOSFactory::GetMachineString(const RWWString& key, const RWWString& name,
                                         const RWWString& fallback) {
    return KeyString(HKEY_LOCAL_MACHINE, key, name, fallback);
}

uint32_t GNTOSFactory::GetMachineDword(const RWWString& key, const RWWString& name, uint32_t fallback) {
    return KeyDword(HKEY_LOCAL_MACHINE, key, name, fallback);
}

int32_t GNTOSFactory::EnsureMachineDword(const RWWString& key, const RWWString& name, uint32_t fallback) {
    WinScopedKey opened;
    const LONG result = RegOpenKeyW(HKEY_LOCAL_MACHINE, key.Data(), opened.Receive());
    if (result != ERROR_SUCCESS) return result;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(opened.Get(), name.Data(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS) {
        WriteRegistryDword(opened.Get(), name, fallback);
    }
    return 0;
}

int GNTOSFactory::MachineKeyExists(const RWWString& key) {
    return OpenKey(HKEY_LOCAL_MACHINE, key, KEY_READ) ? 1 : 0;
}

RWWString GNTOSFactory::GetUserString(const RWWString& key, const RWWString& name,
                                      const RWWString& fallback) {
    return KeyString(HKEY_CURRENT_USER, key, name, fallback);
}

int GNTOSFactory::SetUserString(const RWWString& key, const RWWString& name, const RWWString& text) {
    WinScopedKey opened = CreateKey(HKEY_CURRENT_USER, key, KEY_WRITE);
    return opened && WriteRegistryString(opened.Get(), name, text) == ERROR_SUCCESS ? 1 : 0;
}

uint32_t GNTOSFactory::GetUserDword(const RWWString& key, const RWWString& name, uint32_t fallback) {
    WinScopedKey opened = OpenKey(HKEY_CURRENT_USER, key, KEY_READ);
    if (!opened) return fallback;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(opened.Get(), name.Data(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(DWORD)) {
        return fallback;
    }
    uint32_t value = 0;
    return ReadRegistryDword(opened.Get(), name, value) ? value : fallback;
}

int GNTOSFactory::UserKeyExists(const RWWString& key) {
    return OpenKey(HKEY_CURRENT_USER, key, KEY_READ) ? 1 : 0;
}

int GNTOSFactory::SetUserDword(const RWWString& key, const RWWString& name, uint32_t value) {
    WinScopedKey opened = CreateKey(HKEY_CURRENT_USER, key, KEY_WRITE);
    return opened && WriteRegistryDword(opened.Get(), name, value) == ERROR_SUCCESS ? 1 : 0;
}

// --- Registry-path value names -----------------------------------------------------

int GNTOSFactory::IsRegistryPath(const RWWString& name) {
    return name.Length() >= 3 && name[0] == u'?' && name[1] == u'?' && name[2] == u'?' ? 1 : 0;
}

int GNTOSFactory::OpenRegistryPath(const RWWString& name, WinScopedKey* key, RWWString* valueName) {
    const std::u16string_view text(name.Data(), name.Length());
    std::u16string_view rest;
    if (const size_t marker = text.find(u'\\'); marker != std::u16string_view::npos)
        rest = text.substr(marker + 1);
    const size_t rootEnd = rest.find(u'\\');
    const std::u16string_view rootText = rest.substr(0, rootEnd);
    const std::u16string_view remainder =
        rootEnd == std::u16string_view::npos ? std::u16string_view() : rest.substr(rootEnd + 1);
    const size_t last = remainder.rfind(u'\\');
    const std::u16string_view keyPath =
        last == std::u16string_view::npos ? std::u16string_view() : remainder.substr(0, last);
    const std::u16string_view value =
        last == std::u16string_view::npos ? remainder : remainder.substr(last + 1);
    if (valueName != nullptr) *valueName = RWWString(value.data(), value.size());

    std::string narrowRoot;
    for (char16_t c : rootText)
        narrowRoot += c < 0x80 ? static_cast<char>(c) : '?';
    const auto root = static_cast<LONG>(DecimalValue(narrowRoot));
    HKEY rootKey = nullptr;
    for (HKEY predefined : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS}) {
        if (static_cast<LONG>(reinterpret_cast<LONG_PTR>(predefined)) == root) rootKey = predefined;
    }
    if (rootKey == nullptr || key == nullptr) return 0;
    *key = CreateKey(rootKey, RWWString(keyPath.data(), keyPath.size()), KEY_ALL_ACCESS);
    return key->IsValid() ? 1 : 0;
}
