#include "ResourceEmitter.h"

#include <cstdio>
#include <string>

namespace {
// A UTF-16 literal with every character outside printable ASCII escaped.
std::string Literal(const std::u16string& text) {
    std::string out = "u\"";
    for (char16_t c : text) {
        if (c == u'"' || c == u'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F && c != u'?') {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            out += escape;
        }
    }
    return out + "\"";
}

void Bytes(std::ostream& out, const std::string& name, const std::vector<BYTE>& bytes) {
    out << "const BYTE " << name << "[] = {";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 24 == 0) out << "\n   ";
        out << ' ' << static_cast<unsigned>(bytes[i]) << ',';
    }
    out << "\n};\n";
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}
} // namespace

void ResourceEmitter::Write(const ResourceModel& model, std::ostream& out) {
    out << "// Generated from the resource text files of resources/ by the resource compiler; do not edit.\n"
           "#include \"winapi/WinExport.h\"\n#include \"winapi/WinResource.h\"\n\nnamespace {\n";
    // An empty table is a null pointer (C++ has no arrays of size 0).
    if (model.strings.empty()) {
        out << "const WinResourceString* const kStrings = nullptr;\n";
    } else {
        out << "const WinResourceString kStrings[] = {\n";
        for (const auto& [id, text] : model.strings)
            out << "    {" << id << ", " << Literal(text) << "},\n";
        out << "};\n";
    }
    struct Item {
        const char* type;
        uint32_t id;
        std::string name;
    };
    std::vector<Item> items;
    for (const auto& [id, dialog] : model.dialogs) {
        items.push_back({"RT_DIALOG", id, "kDialog" + std::to_string(id)});
        Bytes(out, items.back().name, dialog.Serialize());
    }
    for (const auto& [id, bitmap] : model.bitmaps) {
        items.push_back({"RT_BITMAP", id, "kBitmap" + std::to_string(id)});
        Bytes(out, items.back().name, bitmap.Serialize());
    }
    for (uint32_t id : model.cursors) {
        items.push_back({"RT_CURSOR", id, "kCursor" + std::to_string(id)});
        Bytes(out, items.back().name, {0, 0, 0, 0}); // hot spot (0, 0): the layer draws no cursors
    }
    if (items.empty()) {
        out << "const WinResourceItem* const kItems = nullptr;\n";
    } else {
        out << "const WinResourceItem kItems[] = {\n";
        for (const Item& item : items)
            out << "    {" << item.type << ", " << item.id << ", " << item.name << ", sizeof " << item.name
                << "},\n";
        out << "};\n";
    }
    std::string version = "nullptr";
    if (model.hasVersion) {
        const VS_FIXEDFILEINFO& f = model.fixed;
        out << "const DWORD kTranslations[] = {";
        for (uint32_t translation : model.translations)
            out << Hex(translation) << ", ";
        out << "};\n";
        out << "const WinVersionString kVersionStrings[] = {\n";
        for (const auto& entry : model.versionStrings)
            out << "    {" << Literal(entry.name) << ", " << Literal(entry.value) << "},\n";
        out << "};\n";
        out << "const WinVersionStringTable kVersionTables[] = {\n";
        for (uint32_t translation : model.translations) {
            char key[16];
            std::snprintf(key, sizeof key, "%04X%04X", translation & 0xFFFF, translation >> 16);
            out << "    {u\"" << key << "\", kVersionStrings, " << model.versionStrings.size() << "},\n";
        }
        out << "};\n";
        out << "const WinVersionResource kVersion = {{" << Hex(f.dwSignature) << ", " << Hex(f.dwStrucVersion)
            << ", " << Hex(f.dwFileVersionMS) << ", " << Hex(f.dwFileVersionLS) << ", "
            << Hex(f.dwProductVersionMS) << ", " << Hex(f.dwProductVersionLS) << ", "
            << Hex(f.dwFileFlagsMask) << ", " << Hex(f.dwFileFlags) << ", " << Hex(f.dwFileOS) << ", "
            << Hex(f.dwFileType) << ", 0, 0, 0}, kTranslations, " << model.translations.size()
            << ", kVersionTables, " << model.translations.size() << "};\n";
        version = "&kVersion";
    }
    out << "const WinModuleResources kResources = {kWinResourceFormatVersion, kStrings, "
        << model.strings.size() << ", " << version << ", kItems, " << items.size() << "};\n";
    out << "} // namespace\n\nQV_MODULE_EXPORT const WinModuleResources* QvModuleResources() {\n"
           "    return &kResources;\n}\n";
}
