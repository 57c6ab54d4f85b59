#pragma once
// A printer of the store opened through the spooler, closed again when done.
#include <string>

#include "winapi/WinTypes.h"

class HostPrinter {
public:
    HostPrinter() = default;
    ~HostPrinter();
    HostPrinter(const HostPrinter&) = delete;
    HostPrinter& operator=(const HostPrinter&) = delete;

    // False with a message when the store has no such printer or it cannot
    // be opened.
    bool Open(const std::string& name, std::string& error,
              DWORD access = 0x00000008 /* PRINTER_ACCESS_USE */);

    HANDLE Handle() const { return handle_; }
    // The name as the exports take it (NUL-terminated, writable).
    LPWSTR Name() { return name_.data(); }
    const std::string& NameUtf8() const { return nameUtf8_; }
    // The data file of the printer's driver as the spooler names it; empty
    // when the spooler cannot say.
    std::string DataFileUtf8() const;

    // The one line that reports an export's failure for this printer: the
    // printer, its data file and what the last error (read first) means,
    // with the answer and the error's number.
    std::string ExportFailure(const char* exportName, long long answer) const;

private:
    HANDLE handle_ = nullptr;
    std::u16string name_;
    std::string nameUtf8_;
};
