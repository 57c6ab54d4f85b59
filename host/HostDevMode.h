#pragma once
// A DEVMODE as the host keeps it: the bytes of the public part and the
// driver's private part, read from and written to a file as they are. The
// public fields are read and set by name at their fixed offsets, within
// the bytes there are: nothing here trusts dmSize or dmDriverExtra further
// than the file's length.
#include <cstdint>
#include <string>
#include <vector>

#include "host/HostValue.h"
#include "winapi/WinDevMode.h"

class HostDevMode {
public:
    // The largest DEVMODE size a driver may answer that the host believes.
    static constexpr LONG kLargestSize = 2 * 65535;

    HostDevMode() = default;
    explicit HostDevMode(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    // False with a message when the file cannot be read or holds no DEVMODE
    // (shorter than the public part up to dmDriverExtra, or shorter than
    // dmSize + dmDriverExtra).
    bool ReadFile(const std::string& path, std::string& error);
    bool WriteFile(const std::string& path, std::string& error) const;

    std::vector<uint8_t>& Bytes() { return bytes_; }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    DEVMODEW* Public() { return reinterpret_cast<DEVMODEW*>(bytes_.data()); }

    // The public fields dmSize covers, by name, in their order; dmFields
    // also as the names of its bits.
    HostValue Summary() const;

    // Sets a public field (its name with or without "dm", any case) from
    // text: a number for the numeric fields (checked against the field's
    // range), the text for dmDeviceName and dmFormName (at most 31
    // characters). dmSize and dmDriverExtra stay those of the bytes. The
    // field's dmFields bit is set, as an application does.
    // False with a message otherwise.
    bool Set(const std::string& field, const std::string& value, std::string& error);

    // The names of dmFields' bits, in bit order.
    static std::vector<std::string> FieldBitNames(uint32_t fields);

private:
    std::vector<uint8_t> bytes_;
};
