#include "ui/pages/JobStoragePrinterData.h"

#include <cstring>
#include <vector>

#include "driver/GDriver.h"
#include "ui/framework/GUIModel.h"
#include "winapi/WinError.h"
#include "winapi/WinReg.h"
#include "winapi/WinSpool.h"

namespace {

constexpr char16_t kUserKey[] = u"Software\\Quorvex\\";
constexpr char16_t kLocalStorageKey[] = u"\\LocalJobStorageData";
constexpr char16_t kLocalStorageValue[] = u"LocalJobStorage";
constexpr char16_t kPrinterUuid[] = u"PrinterUUID";

std::vector<WCHAR> Terminated(const std::u16string& text) {
    std::vector<WCHAR> units(text.begin(), text.end());
    units.push_back(u'\0');
    return units;
}

// The bytes of a REG_SZ value, the closing zero and anything after it left
// out.
std::u16string TextOf(const std::vector<BYTE>& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    return text.substr(0, text.find(u'\0'));
}

std::optional<std::u16string> ReadText(HANDLE printer, const char16_t* valueName) {
    std::vector<WCHAR> name = Terminated(valueName);
    DWORD type = 0;
    DWORD needed = 0;
    const DWORD probe = GetPrinterDataW(printer, name.data(), &type, nullptr, 0, &needed);
    if (probe != ERROR_MORE_DATA && probe != ERROR_SUCCESS) return std::nullopt;
    std::vector<BYTE> bytes(needed);
    if (GetPrinterDataW(printer, name.data(), &type, bytes.data(), needed, &needed) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    bytes.resize(needed);
    return TextOf(bytes);
}

} // namespace

namespace JobStoragePrinterData {

std::optional<std::u16string> Text(GUIModel* model, const char16_t* valueName) {
    GDriver* driver = model != nullptr ? model->DriverInstance() : nullptr;
    if (driver == nullptr) return std::nullopt;
    const RWWString& printerName = driver->GetPrinterName();
    std::vector<WCHAR> name = Terminated(std::u16string(printerName.Data(), printerName.Length()));
    HANDLE printer = nullptr;
    if (!OpenPrinterW(name.data(), &printer, nullptr)) return std::nullopt;
    std::optional<std::u16string> text = ReadText(printer, valueName);
    ClosePrinter(printer);
    return text;
}

std::optional<uint32_t> LocalJobStorage(GUIModel* model) {
    const std::optional<std::u16string> uuid = Text(model, kPrinterUuid);
    if (!uuid || uuid->empty()) return std::nullopt;
    const std::vector<WCHAR> path = Terminated(kUserKey + *uuid + kLocalStorageKey);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.data(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status =
        RegQueryValueExW(key, kLocalStorageValue, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return std::nullopt;
    return value;
}

} // namespace JobStoragePrinterData
