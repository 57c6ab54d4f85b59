// GNT40Driver: the mass-storage font files of a printer connection.
//
// Each mass-storage font source of the printer names its font directory file
// in printer data (a bare file name lies in the driver folder). For a
// connection those values come from the print server, so a path is used only
// when, with "." and ".." resolved, it lies inside the driver folder.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "driver/GOSFactory.h"
#include "driver/GSettingValues.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "winapi/WinFile.h"
#include "winapi/WinHandle.h"
#include "winapi/WinSpool.h"
#include "winnt40/GNT40Driver.h"

namespace {

// Printer-data value names of the font sources 0 to 9.
constexpr const char16_t* kFontSourceNames[GNT40Driver::kFontSourceCount] = {
    u"ROMAddOnFonts1", u"ROMAddOnFonts2", u"DiskFonts1", u"DiskFonts2", u"FlashFonts1",
    u"FlashFonts2",    u"DIMMFonts1",     u"DIMMFonts2", u"DIMMFonts3", u"DIMMFonts4"};
constexpr uint32_t kPrinterFontSource = 6;
constexpr const char16_t* kFontsFlagValue = u"MassStorageFonts";
constexpr std::u16string_view kServerFolders[] = {u"\\print$\\w32x86\\2\\", u"\\print$\\w32x86\\3\\"};

std::u16string Text(const RWWString& text) {
    return std::u16string(text.Data(), text.Length());
}

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// An absolute path ("X:\..." or "\\server\share\...") with its separators
// single and "." and ".." resolved; nothing for a relative path or one that
// climbs above its root.
std::optional<std::u16string> Normalise(std::u16string path) {
    std::replace(path.begin(), path.end(), u'/', u'\\');
    std::u16string root;
    size_t rest = 0;
    if (path.size() >= 3 && path[1] == u':' && path[2] == u'\\') {
        root = path.substr(0, 2);
        rest = 2;
    } else if (path.size() > 2 && path[0] == u'\\' && path[1] == u'\\') {
        const size_t server = path.find(u'\\', 2);
        const size_t share =
            server == std::u16string::npos ? std::u16string::npos : path.find(u'\\', server + 1);
        root = path.substr(0, share);
        rest = share == std::u16string::npos ? path.size() : share;
        if (server == std::u16string::npos || server == 2 || server + 1 == rest) return std::nullopt;
    } else {
        return std::nullopt;
    }
    std::vector<std::u16string> parts;
    size_t start = rest;
    while (start < path.size()) {
        size_t end = path.find(u'\\', start);
        if (end == std::u16string::npos) end = path.size();
        const std::u16string part = path.substr(start, end - start);
        if (part == u"..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    for (const std::u16string& part : parts)
        root += u'\\' + part;
    return root;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char16_t a, char16_t b) { return Lower(a) == Lower(b); });
}

// The printer opened by name with a handle of its own (null when it cannot
// be opened).
WinScopedPrinter OpenByName(const RWWString& name) {
    WinScopedPrinter printer;
    if (!OpenPrinterW(const_cast<LPWSTR>(name.Data()), printer.Receive(), nullptr)) printer.Reset();
    return printer;
}

} // namespace

RWWString GNT40Driver::ReadFontSourcePath(uint32_t index) {
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr || index >= kFontSourceCount) return RWWString();
    const RWWString value = factory->GetPrinterDataString(this, kFontSourceNames[index], RWWString());
    if (value.IsNull() || Text(value).find(u'\\') != std::u16string::npos) return value;
    return factory->GetModuleFolder() + u"\\" + value;
}

RWWString GNT40Driver::ConfineToDriverFolder(const RWWString& path) {
    GOSFactory* factory = GOSFactory::Instance();
    if (factory == nullptr) return RWWString();
    const std::optional<std::u16string> folder = Normalise(Text(factory->GetModuleFolder()));
    const std::optional<std::u16string> normal = Normalise(Text(path));
    if (!folder || !normal || normal->size() <= folder->size() + 1 || !StartsWithNoCase(*normal, *folder) ||
        (*normal)[folder->size()] != u'\\')
        return RWWString();
    return RWWString(normal->data(), normal->size());
}

void GNT40Driver::CopyFontFilesFromServer() {
    const WinScopedPrinter printer = OpenByName(GetPrinterName());
    if (!printer) return;
    const std::u16string name = Text(GetPrinterName());
    const size_t separator = name.rfind(u'\\');
    if (separator == std::u16string::npos) return; // a local printer
    const std::u16string server = name.substr(0, separator);
    for (uint32_t index = 0; index < kFontSourceCount; ++index) {
        const RWWString source = ReadFontSourcePath(index);
        if (source.IsNull()) continue;
        const RWWString local = ConfineToDriverFolder(source);
        if (local.IsNull()) continue; // outside the driver folder: refused
        const std::u16string target = Text(local);
        const std::u16string file = target.substr(target.rfind(u'\\') + 1);
        for (std::u16string_view folder : kServerFolders) {
            const std::u16string from = server + std::u16string(folder) + file;
            if (CopyFileW(from.c_str(), target.c_str(), FALSE)) break;
        }
    }
}

void GNT40Driver::DeleteFontFiles() {
    const WinScopedPrinter printer = OpenByName(GetPrinterName());
    if (!printer) return;
    for (uint32_t index = 0; index < kFontSourceCount; ++index) {
        const RWWString source = ReadFontSourcePath(index);
        if (source.IsNull()) continue;
        const RWWString local = ConfineToDriverFolder(source);
        if (!local.IsNull()) DeleteFileW(local.Data());
    }
}

void GNT40Driver::StoreMassStorageFontSettings() {
    GOSFactory* factory = GOSFactory::Instance();
    MPersistentObject* configuration = GetPrinterConfiguration();
    const GStringAttribute* path = GSettingValues::FindText(configuration, GSettingId::kFontSourcePath);
    if (factory == nullptr || path == nullptr || path->GetValue().IsNull()) return;
    RWWString value(path->GetValue(), RWWString::MultiByte);
    if (GSettingValues::IsNonZero(configuration, GSettingId::kMassStorageFonts))
        factory->SetPrinterDataDword(this, kFontsFlagValue, 1);
    // Kept relative to the driver folder when it lies there.
    const std::u16string folder = Text(factory->GetModuleFolder());
    const std::u16string text = Text(value);
    const size_t at = folder.empty() ? std::u16string::npos : text.find(folder);
    if (at != std::u16string::npos && text.size() > folder.size() + 1)
        value = RWWString(text.data() + folder.size() + 1, text.size() - folder.size() - 1);
    factory->SetPrinterDataString(this, kFontSourceNames[kPrinterFontSource], value);
}
