#include "host/HostDocumentProperties.h"

#include "winapi/WinError.h"
#include "winapi/WinUser.h"

namespace {

// Larger than any DEVMODE (dmSize and dmDriverExtra are 16-bit each).

} // namespace

bool HostDocumentProperties::Bind(HostSession& session, std::string& error) {
    properties_ = session.Module().Export<DrvDocumentPropertiesProc>("DrvDocumentProperties", error);
    return properties_ != nullptr;
}

bool HostDocumentProperties::Size(HostPrinter& printer, size_t& size, std::string& error) {
    // A failure that sets no last error must not be reported with a stale one.
    SetLastError(ERROR_SUCCESS);
    const LONG answer = properties_(nullptr, printer.Handle(), printer.Name(), nullptr, nullptr, 0);
    if (answer < static_cast<LONG>(sizeof(DEVMODEW)) || answer > HostDevMode::kLargestSize) {
        error = answer <= 0 ? printer.ExportFailure("DrvDocumentProperties", answer)
                            : "DrvDocumentProperties answered a DEVMODE size of " + std::to_string(answer);
        return false;
    }
    size = static_cast<size_t>(answer);
    return true;
}

bool HostDocumentProperties::Call(HostPrinter& printer, HostDevMode* input, HostDevMode& out, DWORD mode,
                                  std::string& error) {
    size_t size = 0;
    if (!Size(printer, size, error)) return false;
    std::vector<uint8_t> buffer(size);
    SetLastError(ERROR_SUCCESS);
    const LONG answer =
        properties_(nullptr, printer.Handle(), printer.Name(), reinterpret_cast<PDEVMODEW>(buffer.data()),
                    input == nullptr ? nullptr : input->Public(), mode);
    if (answer != IDOK) {
        error = printer.ExportFailure("DrvDocumentProperties", answer);
        return false;
    }
    out = HostDevMode(std::move(buffer));
    const DEVMODEW* written = out.Public();
    const size_t total = static_cast<size_t>(written->dmSize) + written->dmDriverExtra;
    if (total > size || total < offsetof(DEVMODEW, dmFields)) {
        error = "DrvDocumentProperties wrote a DEVMODE of " + std::to_string(total) + " bytes into " +
                std::to_string(size);
        return false;
    }
    out.Bytes().resize(static_cast<size_t>(written->dmSize) + written->dmDriverExtra);
    return true;
}

bool HostDocumentProperties::Default(HostPrinter& printer, HostDevMode& out, std::string& error) {
    return Call(printer, nullptr, out, DM_OUT_BUFFER, error);
}

bool HostDocumentProperties::Merge(HostPrinter& printer, HostDevMode& input, HostDevMode& out,
                                   std::string& error) {
    return Call(printer, &input, out, DM_IN_BUFFER | DM_OUT_BUFFER, error);
}
