#include "host/HostCapabilityCode.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "winapi/WinDriverUI.h"

namespace {

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

const std::vector<HostCapabilityCode>& HostCapabilityCode::All() {
    using F = Form;
    static const std::vector<HostCapabilityCode> codes{
        {"DC_FIELDS", DC_FIELDS, F::Flags, 0},
        {"DC_PAPERS", DC_PAPERS, F::Words, 2},
        {"DC_PAPERSIZE", DC_PAPERSIZE, F::Sizes, 8},
        {"DC_MINEXTENT", DC_MINEXTENT, F::Extent, 0},
        {"DC_MAXEXTENT", DC_MAXEXTENT, F::Extent, 0},
        {"DC_BINS", DC_BINS, F::Words, 2},
        {"DC_DUPLEX", DC_DUPLEX, F::Value, 0},
        {"DC_SIZE", DC_SIZE, F::Value, 0},
        {"DC_EXTRA", DC_EXTRA, F::Value, 0},
        {"DC_VERSION", DC_VERSION, F::Value, 0},
        {"DC_DRIVER", DC_DRIVER, F::Value, 0},
        {"DC_BINNAMES", DC_BINNAMES, F::Names, 24 * sizeof(WCHAR)},
        {"DC_ENUMRESOLUTIONS", DC_ENUMRESOLUTIONS, F::Pairs, 8},
        {"DC_FILEDEPENDENCIES", DC_FILEDEPENDENCIES, F::Names, 64 * sizeof(WCHAR)},
        {"DC_TRUETYPE", DC_TRUETYPE, F::Value, 0},
        {"DC_PAPERNAMES", DC_PAPERNAMES, F::Names, 64 * sizeof(WCHAR)},
        {"DC_ORIENTATION", DC_ORIENTATION, F::Value, 0},
        {"DC_COPIES", DC_COPIES, F::Value, 0},
        {"DC_COLLATE", DC_COLLATE, F::Value, 0},
        {"DC_COLORDEVICE", DC_COLORDEVICE, F::Value, 0},
    };
    return codes;
}

const HostCapabilityCode* HostCapabilityCode::Find(const std::string& text) {
    if (text.empty()) return nullptr;
    if (std::isdigit(static_cast<unsigned char>(text[0]))) {
        errno = 0;
        char* end = nullptr;
        const unsigned long number = std::strtoul(text.c_str(), &end, 0);
        if (errno != 0 || end == nullptr || *end != '\0') return nullptr;
        for (const HostCapabilityCode& code : All())
            if (code.code == number) return &code;
        return nullptr;
    }
    std::string name = Upper(text);
    if (name.compare(0, 3, "DC_") != 0) name = "DC_" + name;
    for (const HostCapabilityCode& code : All())
        if (name == code.name) return &code;
    return nullptr;
}
