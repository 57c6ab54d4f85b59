#include "host/HostLastError.h"

#include "winapi/WinError.h"

namespace {

struct ErrorText {
    DWORD error;
    const char* text;
};

// The errors the module's exports and the spooler answer with.
constexpr ErrorText kErrorTexts[] = {
    {ERROR_SUCCESS, "no error was set"},
    {ERROR_FILE_NOT_FOUND, "the file cannot be found"},
    {ERROR_ACCESS_DENIED, "access is denied"},
    {ERROR_NOT_ENOUGH_MEMORY, "not enough memory"},
    {ERROR_INVALID_DATA, "the data is invalid"},
    {ERROR_NOT_SUPPORTED, "the request is not supported"},
    {ERROR_INVALID_PARAMETER, "a parameter is incorrect"},
    {ERROR_INSUFFICIENT_BUFFER, "the buffer is too small"},
    {ERROR_INVALID_PRINTER_NAME, "the printer name is invalid"},
};

} // namespace

std::string HostLastError::Meaning(DWORD error) {
    for (const ErrorText& meaning : kErrorTexts)
        if (meaning.error == error) return meaning.text;
    return "an error qvhost cannot name";
}
