// GNT40Driver: the private escapes that tell the rendering module who prints
// what and from where, the job-storage number and identity, and the job-ID
// notice thread.
//
// Payloads: a text escape carries the 8-bit (ANSI code page) text and its
// NUL, inSize = length + 1; the job UUID is 37 bytes (36 characters and a
// NUL). Every text read from the registry, a version resource or the device
// is cut inside its buffer before it is used.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/MPersistentObject.h"
#include "ui/framework/CmapSegmentContains.h"
#include "ui/framework/GTimedDialog.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/WinPrinterInfo2.h"
#include "winapi/WinReg.h"
#include "winapi/WinRpc.h"
#include "winapi/WinSpool.h"
#include "winapi/WinSystem.h"
#include "winapi/WinVersion.h"
#include "winnt40/GJobIdNotice.h"
#include "winnt40/GNT40Driver.h"

namespace {

constexpr UINT kUntitledUpperStringId = 12111; // "UNTITLED"
constexpr UINT kUntitledStringId = 11029;      // "Untitled"
constexpr DWORD kUserNameBufferLength = 42;
constexpr size_t kUserNameLength = 16;
constexpr DWORD kRegistryTextBytes = 32;
constexpr DWORD kApplicationPathLength = 256; // characters of the host path asked for
constexpr size_t kUuidPayloadSize = 37;
constexpr uint32_t kNoticeDialogId = 11540;
constexpr uint32_t kNoticeSeconds = 10;
constexpr const char16_t* kJobStorageValue = u"JobStorageUniqueID";
constexpr const char16_t* kComputerNameKey =
    u"System\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
constexpr const char16_t* kWinlogonKey = u"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kNoApplicationContext = "Application Context not Available";

void SendText(HDC dc, int code, const std::string& text) {
    ExtEscape(dc, code, static_cast<int>(text.size() + 1), text.c_str(), 0, nullptr);
}

std::string Narrow(const std::u16string& text) {
    const RWCString narrow = RWWString(text.data(), text.size()).ToMultiByte();
    return std::string(narrow.Data(), narrow.Length());
}

// A REG_SZ value of HKLM read into a 32-byte buffer; nothing when the key or
// value cannot be read. The text ends at its NUL or at the buffer's end.
std::optional<std::u16string> ReadMachineText(const char16_t* path, const char16_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    std::array<char16_t, kRegistryTextBytes / 2> buffer{};
    DWORD size = kRegistryTextBytes;
    DWORD type = 0;
    const LONG status =
        RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    const size_t units = std::min<size_t>(size / 2, buffer.size());
    const auto end = std::find(buffer.begin(), buffer.begin() + units, u'\0');
    return std::u16string(buffer.begin(), end);
}

// The user name as the printer may take it without a character table:
// a-z upper-cased, cut at the first character outside 32..126 or at a
// double quote; stopped is set when it was cut there.
std::u16string UpperPrintable(const std::u16string& name, bool& stopped) {
    std::u16string result;
    stopped = false;
    for (char16_t c : name) {
        if (c < 32 || c > 126 || c == u'"') {
            stopped = true;
            break;
        }
        result += (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
    return result;
}

// The 16-bit words of a character table kept as the bytes of a string
// setting (little-endian pairs; an odd last byte is not part of a word).
std::vector<uint16_t> TableWords(const RWCString& bytes) {
    std::vector<uint16_t> words(bytes.Length() / 2);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<uint16_t>(static_cast<uint8_t>(bytes.Data()[2 * i]) |
                                         (static_cast<uint8_t>(bytes.Data()[2 * i + 1]) << 8));
    return words;
}

// One text of the host's version resource; nothing when missing.
std::optional<std::u16string> VersionText(const std::vector<BYTE>& block, const std::string& key,
                                          const char* name) {
    const std::string path = "\\StringFileInfo\\" + key + "\\" + name;
    const std::u16string widePath(path.begin(), path.end());
    LPVOID value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), widePath.c_str(), &value, &length) || value == nullptr)
        return std::nullopt;
    const auto* text = static_cast<const char16_t*>(value);
    return std::u16string(text, std::find(text, text + length, u'\0'));
}

} // namespace

// --- Document start ----------------------------------------------------------------------

void GNT40Driver::SendJobIdentity(HDC dc) {
    const RWCString user = GetJobUserName();
    if (!user.IsNull()) SendText(dc, kEscapeUserName, std::string(user.Data(), user.Length()));
    if (auto computer = ReadMachineText(kComputerNameKey, u"ComputerName"))
        SendText(dc, kEscapeComputerName, Narrow(*computer));
    auto domain = ReadMachineText(kWinlogonKey, u"CachePrimaryDomain");
    if (!domain) domain = ReadMachineText(kWinlogonKey, u"DefaultDomainName");
    if (domain) SendText(dc, kEscapeDomainName, Narrow(*domain));
    UUID uuid{};
    RPC_CSTR text = nullptr;
    if (UuidCreate(&uuid) == RPC_S_OK && UuidToStringA(&uuid, &text) == RPC_S_OK && text != nullptr) {
        std::array<char, kUuidPayloadSize> payload{};
        const auto* chars = reinterpret_cast<const char*>(text);
        std::copy(chars, std::find(chars, chars + payload.size() - 1, '\0'), payload.begin());
        RpcStringFreeA(&text);
        ExtEscape(dc, kEscapeJobUuid, static_cast<int>(payload.size()), payload.data(), 0, nullptr);
    }
}

RWCString GNT40Driver::GetJobUserName() {
    std::array<WCHAR, kUserNameBufferLength> buffer{};
    DWORD size = kUserNameBufferLength;
    if (!GetUserNameW(buffer.data(), &size)) return RWCString();
    buffer.back() = u'\0';
    std::u16string name(buffer.data());
    WinScopedModule module = LoadResourceModule(nullptr);
    MPersistentObject* printing = GetCachedPrinterSettings() != nullptr
                                      ? GetCachedPrinterSettings()->FindById(GSettingId::kPrintingGroup)
                                      : nullptr;
    const GStringAttribute* allowed =
        GSettingValues::FindText(GetPrinterConfiguration(), GSettingId::kAllowedNameCharacters);
    if (printing != nullptr && printing->FindById(GSettingId::kNameCleaning) != nullptr &&
        allowed != nullptr) {
        const std::vector<uint16_t> table = TableWords(allowed->GetValue());
        size_t replaced = 0;
        for (char16_t& c : name) {
            if (CmapSegmentContains(c, table.data(), table.size()) == 0) {
                c = u'~';
                ++replaced;
            }
        }
        if (name.empty()) {
            name = GNTDriverBase::LoadModuleString(module.Get(), kUntitledStringId);
        } else if (replaced == name.size()) {
            name = GNTDriverBase::LoadModuleString(module.Get(), kUntitledUpperStringId);
        }
    } else {
        bool stopped = false;
        name = UpperPrintable(name, stopped);
        if (name.empty()) {
            name = UpperPrintable(GNTDriverBase::LoadModuleString(module.Get(), kUntitledStringId), stopped);
            if (stopped) name = GNTDriverBase::LoadModuleString(module.Get(), kUntitledUpperStringId);
        }
    }
    name.resize(std::min(name.size(), kUserNameLength));
    const std::string narrow = Narrow(name);
    return RWCString(narrow.c_str(), narrow.size());
}

void GNT40Driver::SendOSInfo(HDC dc) {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version)) return;
    std::string text = "OS Info: ";
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion < 5) text += "WinNT Kernel;";
    text += std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion) + ";" +
            std::to_string(version.dwBuildNumber & 0xFFFF) + ";";
    SendText(dc, kEscapeOSInfo, text);
}

void GNT40Driver::SendApplicationInfo(HDC dc) {
    std::array<WCHAR, kApplicationPathLength + 1> path{};
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), kApplicationPathLength);
    const DWORD size =
        length > 0 && length < kApplicationPathLength ? GetFileVersionInfoSizeW(path.data(), nullptr) : 0;
    std::vector<BYTE> block(size);
    std::optional<std::u16string> description, product, version;
    LPVOID translations = nullptr;
    UINT translationBytes = 0;
    if (size > 0 && GetFileVersionInfoW(path.data(), 0, size, block.data()) &&
        VerQueryValueW(block.data(), u"\\VarFileInfo\\Translation", &translations, &translationBytes) &&
        translations != nullptr && translationBytes >= sizeof(DWORD)) {
        DWORD last = 0;
        std::memcpy(&last, static_cast<const BYTE*>(translations) + (translationBytes / 4 - 1) * 4,
                    sizeof last);
        char key[9] = {};
        std::snprintf(key, sizeof key, "%04x%04x", static_cast<unsigned>(last & 0xFFFF),
                      static_cast<unsigned>(last >> 16));
        description = VersionText(block, key, "FileDescription");
        product = VersionText(block, key, "ProductName");
        version = VersionText(block, key, "ProductVersion");
    }
    if (description) SendText(dc, kEscapeApplicationDescription, Narrow(*description));
    if (description && product && version) {
        SendText(dc, kEscapeApplicationInfo,
                 "Application Info: " + Narrow(*description) + ";" + Narrow(*product) + ";" +
                     Narrow(*version) + ";");
    } else {
        SendText(dc, kEscapeApplicationInfo, kNoApplicationContext);
    }
}

void GNT40Driver::SendApplicationName(HDC dc, const RWWString& path) {
    const std::u16string_view full(path.Data(), path.Length());
    const size_t separator = full.rfind(u'\\');
    const std::u16string_view name =
        separator == std::u16string_view::npos ? full : full.substr(separator + 1);
    SendText(dc, kEscapeExecutableName, Narrow(std::u16string(name)));
}

void GNT40Driver::SendPortName(HDC dc) {
    const RWWString& port = GetPortName();
    SendText(dc, kEscapePortName, Narrow(std::u16string(port.Data(), port.Length())));
}

// --- Job storage -------------------------------------------------------------------------

int32_t GNT40Driver::QueryJobStorageId(HDC dc) {
    std::array<char, kJobStorageReplySize> reply{};
    if (ExtEscape(dc, kEscapeApplicationDescription, 0, nullptr, static_cast<int>(reply.size()),
                  reply.data()) <= 0)
        return 0;
    // The device's reply is trusted only inside the buffer.
    reply.back() = '\0';
    jobStorageId_ = RWWString(reply.data(), RWWString::MultiByte);
    return 1;
}

RWWString GNT40Driver::NextJobStorageNumber(const RWWString& text) {
    // Read as the C runtime's decimal conversion reads: blanks, a sign,
    // digits up to the first other character.
    const std::u16string_view digits(text.Data(), text.Length());
    size_t at = 0;
    while (at < digits.size() && (digits[at] == u' ' || digits[at] == u'\t'))
        ++at;
    bool negative = false;
    if (at < digits.size() && (digits[at] == u'-' || digits[at] == u'+')) negative = digits[at++] == u'-';
    uint32_t value = 0;
    for (; at < digits.size() && digits[at] >= u'0' && digits[at] <= u'9'; ++at)
        value = (value * 10 + static_cast<uint32_t>(digits[at] - u'0')) & 0xFFFF;
    const auto number = static_cast<int16_t>(negative ? (0x10000 - value) & 0xFFFF : value);
    // Negative stored numbers still give a number from 1 to 999.
    int32_t remainder = number % 999;
    if (remainder < 0) remainder += 999;
    const std::string next = std::to_string(remainder + 1);
    return RWWString(next.c_str(), RWWString::Ascii);
}

void GNT40Driver::HandOutJobStorageNumber() {
    MPersistentObject* settings = GetCachedPrinterSettings();
    MPersistentObject* printing =
        settings != nullptr ? settings->FindById(GSettingId::kPrintingGroup) : nullptr;
    GStringAttribute* number = GSettingValues::FindText(printing, GSettingId::kJobStorageName);
    if (GSettingValues::Get(printing, GSettingId::kJobStorageNumbering) != 1 || number == nullptr ||
        number->GetValue().IsNull())
        return;
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr) return;
    const RWWString next = NextJobStorageNumber(factory->GetPrinterDataString(this, kJobStorageValue, u"1"));
    number->SetValue(next.ToMultiByte());
    if (factory->SetPrinterDataString(this, kJobStorageValue, next) != 0) return;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, kAdminAccess};
    HANDLE printer = nullptr;
    const RWWString name = GetPrinterName();
    if (!OpenPrinterW(const_cast<LPWSTR>(name.Data()), &printer, &defaults) || printer == nullptr) return;
    SetPrinterDataW(printer, const_cast<LPWSTR>(kJobStorageValue), REG_SZ,
                    reinterpret_cast<LPBYTE>(const_cast<char16_t*>(next.Data())),
                    static_cast<DWORD>(next.Length() * sizeof(char16_t)));
    ClosePrinter(printer);
}

int32_t GNT40Driver::GetPrinterLocation(RWWString& location) {
    const WinPrinterInfo2 info(GetPrinterHandle());
    if (!info) return 0;
    location = info->pLocation != nullptr ? RWWString(info->pLocation) : RWWString();
    return 1;
}

// --- The job-ID notice thread ------------------------------------------------------------

unsigned GNT40Driver::JobIdNoticeThread(void* instance) {
    auto* self = static_cast<GNT40Driver*>(instance);
    try {
        MPersistentObject* settings = self->GetCachedPrinterSettings();
        MPersistentObject* printing =
            settings != nullptr ? settings->FindById(GSettingId::kPrintingGroup) : nullptr;
        RWWString user;
        if (GSettingValues::Get(printing, GSettingId::kUserNameSource).value_or(0) == 0) {
            std::array<WCHAR, kUserNameBufferLength> buffer{};
            DWORD size = kUserNameBufferLength;
            if (GetUserNameW(buffer.data(), &size)) {
                buffer.back() = u'\0';
                const std::u16string_view name(buffer.data());
                user = RWWString(name.data(), std::min(name.size(), kUserNameLength));
            }
        } else if (const GStringAttribute* typed =
                       GSettingValues::FindText(printing, GSettingId::kTypedUserName)) {
            user = RWWString(typed->GetValue(), RWWString::MultiByte);
        }
        RWWString location;
        self->GetPrinterLocation(location);
        GTimedDialog dialog(kNoticeDialogId, kNoticeSeconds, self->GetPrinterName(), self->GetPortName(),
                            user, self->GetResourceModuleName(), location);
        dialog.SetHelpPath(self->GetModuleRelativePath().ToMultiByte());
        // The resource module beside the driver, else by its name.
        RWWString resourcePath;
        const WinScopedModule resources = self->LoadResourceModule(&resourcePath);
        dialog.Show(resourcePath);
        if (dialog.GetState() == 0) self->SetDontShowJobName();
    } catch (...) {
        // The notice is a courtesy: a failure leaves the job as it is.
    }
    return 0;
}

void GNT40Driver::WaitForJobIdNotice() {
    if (jobIdNotice_ != nullptr) jobIdNotice_->Wait();
}

bool GNT40Driver::IsJobIdNoticePending() const {
    return jobIdNotice_ != nullptr && jobIdNotice_->IsPending();
}
