#include "host/HostDevMode.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "winapi/WinText.h"

namespace {

enum class FieldKind { Text, Word, Short, Dword };

struct Field {
    const char* name;
    size_t offset;
    FieldKind kind;
    uint32_t bit; // its dmFields bit, 0 for none
};

// The public part's fields in their order (the union members named as a
// printer sees them).
const Field kFields[] = {
    {"dmDeviceName", offsetof(DEVMODEW, dmDeviceName), FieldKind::Text, 0},
    {"dmSpecVersion", offsetof(DEVMODEW, dmSpecVersion), FieldKind::Word, 0},
    {"dmDriverVersion", offsetof(DEVMODEW, dmDriverVersion), FieldKind::Word, 0},
    {"dmSize", offsetof(DEVMODEW, dmSize), FieldKind::Word, 0},
    {"dmDriverExtra", offsetof(DEVMODEW, dmDriverExtra), FieldKind::Word, 0},
    {"dmFields", offsetof(DEVMODEW, dmFields), FieldKind::Dword, 0},
    {"dmOrientation", offsetof(DEVMODEW, dmOrientation), FieldKind::Short, DM_ORIENTATION},
    {"dmPaperSize", offsetof(DEVMODEW, dmPaperSize), FieldKind::Short, DM_PAPERSIZE},
    {"dmPaperLength", offsetof(DEVMODEW, dmPaperLength), FieldKind::Short, DM_PAPERLENGTH},
    {"dmPaperWidth", offsetof(DEVMODEW, dmPaperWidth), FieldKind::Short, DM_PAPERWIDTH},
    {"dmScale", offsetof(DEVMODEW, dmScale), FieldKind::Short, DM_SCALE},
    {"dmCopies", offsetof(DEVMODEW, dmCopies), FieldKind::Short, DM_COPIES},
    {"dmDefaultSource", offsetof(DEVMODEW, dmDefaultSource), FieldKind::Short, DM_DEFAULTSOURCE},
    {"dmPrintQuality", offsetof(DEVMODEW, dmPrintQuality), FieldKind::Short, DM_PRINTQUALITY},
    {"dmColor", offsetof(DEVMODEW, dmColor), FieldKind::Short, DM_COLOR},
    {"dmDuplex", offsetof(DEVMODEW, dmDuplex), FieldKind::Short, DM_DUPLEX},
    {"dmYResolution", offsetof(DEVMODEW, dmYResolution), FieldKind::Short, DM_YRESOLUTION},
    {"dmTTOption", offsetof(DEVMODEW, dmTTOption), FieldKind::Short, DM_TTOPTION},
    {"dmCollate", offsetof(DEVMODEW, dmCollate), FieldKind::Short, DM_COLLATE},
    {"dmFormName", offsetof(DEVMODEW, dmFormName), FieldKind::Text, DM_FORMNAME},
    {"dmLogPixels", offsetof(DEVMODEW, dmLogPixels), FieldKind::Word, 0x00020000},
    {"dmBitsPerPel", offsetof(DEVMODEW, dmBitsPerPel), FieldKind::Dword, 0x00040000},
    {"dmPelsWidth", offsetof(DEVMODEW, dmPelsWidth), FieldKind::Dword, 0x00080000},
    {"dmPelsHeight", offsetof(DEVMODEW, dmPelsHeight), FieldKind::Dword, 0x00100000},
    {"dmNup", offsetof(DEVMODEW, dmNup), FieldKind::Dword, 0x00000040},
    {"dmDisplayFrequency", offsetof(DEVMODEW, dmDisplayFrequency), FieldKind::Dword, 0x00400000},
    {"dmICMMethod", offsetof(DEVMODEW, dmICMMethod), FieldKind::Dword, DM_ICMMETHOD},
    {"dmICMIntent", offsetof(DEVMODEW, dmICMIntent), FieldKind::Dword, DM_ICMINTENT},
    {"dmMediaType", offsetof(DEVMODEW, dmMediaType), FieldKind::Dword, DM_MEDIATYPE},
    {"dmDitherType", offsetof(DEVMODEW, dmDitherType), FieldKind::Dword, DM_DITHERTYPE},
};

// dmFields bit names, bit 0 first (empty: a bit without a name).
const char* const kBitNames[32] = {
    "DM_ORIENTATION",
    "DM_PAPERSIZE",
    "DM_PAPERLENGTH",
    "DM_PAPERWIDTH",
    "DM_SCALE",
    "DM_POSITION",
    "DM_NUP",
    "DM_DISPLAYORIENTATION",
    "DM_COPIES",
    "DM_DEFAULTSOURCE",
    "DM_PRINTQUALITY",
    "DM_COLOR",
    "DM_DUPLEX",
    "DM_YRESOLUTION",
    "DM_TTOPTION",
    "DM_COLLATE",
    "DM_FORMNAME",
    "DM_LOGPIXELS",
    "DM_BITSPERPEL",
    "DM_PELSWIDTH",
    "DM_PELSHEIGHT",
    "DM_DISPLAYFLAGS",
    "DM_DISPLAYFREQUENCY",
    "DM_ICMMETHOD",
    "DM_ICMINTENT",
    "DM_MEDIATYPE",
    "DM_DITHERTYPE",
    "DM_PANNINGWIDTH",
    "DM_PANNINGHEIGHT",
    "DM_DISPLAYFIXEDOUTPUT",
    "",
    "",
};

size_t FieldSize(FieldKind kind) {
    switch (kind) {
    case FieldKind::Text:
        return CCHDEVICENAME * sizeof(WCHAR);
    case FieldKind::Word:
    case FieldKind::Short:
        return 2;
    case FieldKind::Dword:
        return 4;
    }
    return 0;
}

uint32_t ReadLittle(const uint8_t* at, size_t size) {
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value |= static_cast<uint32_t>(at[i]) << (8 * i);
    return value;
}

void WriteLittle(uint8_t* at, size_t size, uint32_t value) {
    for (size_t i = 0; i < size; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}

std::string ReadText(const uint8_t* at) {
    std::u16string text;
    for (int i = 0; i < CCHDEVICENAME; ++i) {
        const auto c = static_cast<char16_t>(ReadLittle(at + 2 * i, 2));
        if (c == 0) break;
        text += c;
    }
    return WinText::ToUtf8(text);
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

const Field* FindField(const std::string& name) {
    const std::string wanted = Lower(name);
    for (const Field& field : kFields) {
        const std::string full = Lower(field.name);
        if (wanted == full || wanted == full.substr(2)) return &field;
    }
    return nullptr;
}

bool ParseNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 0);
    return errno == 0 && end != nullptr && *end == '\0' && value >= low && value <= high;
}

} // namespace

bool HostDevMode::ReadFile(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const size_t header = offsetof(DEVMODEW, dmDriverExtra) + 2;
    if (bytes.size() < header) {
        error = path + " holds no DEVMODE: " + std::to_string(bytes.size()) + " bytes";
        return false;
    }
    const size_t declared = ReadLittle(&bytes[offsetof(DEVMODEW, dmSize)], 2) +
                            static_cast<size_t>(ReadLittle(&bytes[offsetof(DEVMODEW, dmDriverExtra)], 2));
    if (bytes.size() < declared || declared < header) {
        error = path + " holds no DEVMODE: dmSize + dmDriverExtra is " + std::to_string(declared) +
                ", the file " + std::to_string(bytes.size()) + " bytes";
        return false;
    }
    bytes.resize(declared);
    bytes_ = std::move(bytes);
    return true;
}

bool HostDevMode::WriteFile(const std::string& path, std::string& error) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
    file.close();
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

std::vector<std::string> HostDevMode::FieldBitNames(uint32_t fields) {
    std::vector<std::string> names;
    for (int bit = 0; bit < 32; ++bit) {
        if ((fields & (1u << bit)) == 0) continue;
        names.push_back(kBitNames[bit][0] != '\0' ? kBitNames[bit] : "bit " + std::to_string(bit));
    }
    return names;
}

HostValue HostDevMode::Summary() const {
    HostValue summary = HostValue::Object();
    const size_t covered = bytes_.size() < offsetof(DEVMODEW, dmSize) + 2
                               ? 0
                               : ReadLittle(&bytes_[offsetof(DEVMODEW, dmSize)], 2);
    const size_t limit = std::min(covered, bytes_.size());
    for (const Field& field : kFields) {
        const size_t size = FieldSize(field.kind);
        if (field.offset + size > limit) break;
        const uint8_t* at = &bytes_[field.offset];
        switch (field.kind) {
        case FieldKind::Text:
            summary.Set(field.name, HostValue::Text(ReadText(at)));
            break;
        case FieldKind::Short:
            summary.Set(field.name, HostValue::Number(static_cast<int16_t>(ReadLittle(at, 2))));
            break;
        case FieldKind::Word:
        case FieldKind::Dword:
            summary.Set(field.name, HostValue::Number(ReadLittle(at, size)));
            break;
        }
        if (std::strcmp(field.name, "dmFields") == 0) {
            HostValue names = HostValue::List();
            for (const std::string& name : FieldBitNames(ReadLittle(at, 4)))
                names.Append(HostValue::Text(name));
            summary.Set("dmFields names", std::move(names));
        }
    }
    summary.Set("private bytes",
                HostValue::Number(static_cast<int64_t>(bytes_.size() - std::min(limit, bytes_.size()))));
    return summary;
}

bool HostDevMode::Set(const std::string& name, const std::string& value, std::string& error) {
    const Field* field = FindField(name);
    if (field == nullptr) {
        error = "no DEVMODE field named " + name;
        return false;
    }
    if (field->offset == offsetof(DEVMODEW, dmSize) || field->offset == offsetof(DEVMODEW, dmDriverExtra)) {
        // The module reads as far as these say: they stay those of the bytes.
        error = std::string(field->name) + " is fixed by the DEVMODE's bytes";
        return false;
    }
    const size_t size = FieldSize(field->kind);
    const size_t covered =
        bytes_.size() < offsetof(DEVMODEW, dmSize) + 2
            ? 0
            : std::min<size_t>(ReadLittle(&bytes_[offsetof(DEVMODEW, dmSize)], 2), bytes_.size());
    if (field->offset + size > covered) {
        error = std::string("this DEVMODE has no ") + field->name;
        return false;
    }
    uint8_t* at = &bytes_[field->offset];
    if (field->kind == FieldKind::Text) {
        const std::u16string text = WinText::FromUtf8(value);
        if (text.size() >= static_cast<size_t>(CCHDEVICENAME)) {
            error = std::string(field->name) + " takes at most 31 characters";
            return false;
        }
        std::memset(at, 0, size);
        for (size_t i = 0; i < text.size(); ++i)
            WriteLittle(at + 2 * i, 2, text[i]);
    } else {
        const long long low = field->kind == FieldKind::Short ? -32768 : 0;
        const long long high = field->kind == FieldKind::Short  ? 32767
                               : field->kind == FieldKind::Word ? 65535
                                                                : 4294967295LL;
        long long number = 0;
        if (!ParseNumber(value, low, high, number)) {
            error = std::string(field->name) + " wants a whole number from " + std::to_string(low) + " to " +
                    std::to_string(high) + ", not \"" + value + "\"";
            return false;
        }
        WriteLittle(at, size, static_cast<uint32_t>(number));
    }
    if (field->bit != 0) {
        uint8_t* fields = &bytes_[offsetof(DEVMODEW, dmFields)];
        WriteLittle(fields, 4, ReadLittle(fields, 4) | field->bit);
    }
    return true;
}
