#include "host/HostConvertCommand.h"

#include <vector>

#include "host/HostDevMode.h"
#include "host/HostExports.h"
#include "host/HostPrinter.h"
#include "winapi/WinError.h"

namespace {

// Larger than any DEVMODE (dmSize and dmDriverExtra are 16-bit each).

bool ParseMode(const std::string& text, bool haveInput, DWORD& mode, std::string& error) {
    const std::string name = text.empty() ? (haveInput ? "convert" : "driver-default") : text;
    if (name == "convert")
        mode = CDM_CONVERT;
    else if (name == "convert351")
        mode = CDM_CONVERT351;
    else if (name == "driver-default")
        mode = CDM_DRIVER_DEFAULT;
    else {
        error = "unknown --mode " + name + " (convert, convert351 or driver-default)";
        return false;
    }
    if (mode != CDM_DRIVER_DEFAULT && !haveInput) {
        error = "--mode " + name + " converts the DEVMODE of --in FILE";
        return false;
    }
    return true;
}

// The size the driver asks for, from a call with *pcbNeeded 0.
bool NeededSize(DrvConvertDevModeProc convert, HostPrinter& printer, LONG& needed, std::string& error) {
    DEVMODEW probe{};
    needed = 0;
    SetLastError(ERROR_SUCCESS);
    const BOOL answer = convert(printer.Name(), nullptr, &probe, &needed, CDM_DRIVER_DEFAULT);
    if (answer || GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        error = answer ? "DrvConvertDevMode succeeded into a buffer of 0 bytes"
                       : HostSession::ExportFailure("DrvConvertDevMode", answer);
        return false;
    }
    if (needed < static_cast<LONG>(sizeof(DEVMODEW)) || needed > HostDevMode::kLargestSize) {
        error = "DrvConvertDevMode asked for " + std::to_string(needed) + " bytes";
        return false;
    }
    return true;
}

bool Convert(DrvConvertDevModeProc convert, HostPrinter& printer, HostDevMode* input, DWORD mode,
             std::vector<uint8_t>& buffer, std::string& error) {
    LONG needed = static_cast<LONG>(buffer.size());
    const BOOL answer = convert(printer.Name(), input == nullptr ? nullptr : input->Public(),
                                reinterpret_cast<PDEVMODEW>(buffer.data()), &needed, mode);
    if (!answer) {
        error = HostSession::ExportFailure("DrvConvertDevMode", answer);
        return false;
    }
    return true;
}

} // namespace

bool HostConvertCommand::Run(HostSession& session, HostValue& result, std::string& error) {
    const char* usage = "convert PRINTER [--in FILE] --out FILE [--mode convert|convert351|driver-default]";
    if (!session.ExpectArguments(1, 1, usage, error)) return false;
    const HostOptions& options = session.Options();
    if (options.outFile.empty()) {
        error = std::string("usage: qvhost ") + usage;
        return false;
    }
    DWORD mode = 0;
    if (!ParseMode(options.mode, !options.inFile.empty(), mode, error)) return false;
    HostDevMode input;
    if (!options.inFile.empty() && !input.ReadFile(options.inFile, error)) return false;
    HostDevMode* in = options.inFile.empty() ? nullptr : &input;
    HostPrinter printer;
    if (!printer.Open(options.arguments[0], error)) return false;
    auto convert = session.Module().Export<DrvConvertDevModeProc>("DrvConvertDevMode", error);
    if (convert == nullptr) return false;

    LONG needed = 0;
    if (!NeededSize(convert, printer, needed, error)) return false;
    std::vector<uint8_t> buffer(static_cast<size_t>(needed));
    if (!Convert(convert, printer, nullptr, CDM_DRIVER_DEFAULT, buffer, error)) return false;
    if (mode != CDM_DRIVER_DEFAULT && !Convert(convert, printer, in, mode, buffer, error)) return false;

    HostDevMode output(std::move(buffer));
    const size_t total = static_cast<size_t>(output.Public()->dmSize) + output.Public()->dmDriverExtra;
    if (total > output.Bytes().size() || total < offsetof(DEVMODEW, dmFields)) {
        error = "DrvConvertDevMode wrote a DEVMODE of " + std::to_string(total) + " bytes into " +
                std::to_string(output.Bytes().size());
        return false;
    }
    output.Bytes().resize(total);
    if (!output.WriteFile(options.outFile, error)) return false;
    result = HostValue::Object();
    result.Set("printer", HostValue::Text(printer.NameUtf8()));
    result.Set("mode", HostValue::Number(mode));
    result.Set("file", HostValue::Text(options.outFile));
    result.Set("bytes", HostValue::Number(static_cast<int64_t>(total)));
    result.Set("fields", output.Summary());
    return true;
}
