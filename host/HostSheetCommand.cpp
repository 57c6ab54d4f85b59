#include "host/HostSheetCommand.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "host/HostDocumentProperties.h"
#include "host/HostPrinter.h"
#include "winapi/WinCommonUI.h"
#include "winapi/WinSpool.h"
#include "winapi/host/WinUiDriver.h"
#include "winapi/host/WinUiScriptParser.h"

namespace {

// The sheet's run: the function, its header and what came out.
struct SheetRun {
    LONG answer = 0;
    DWORD result = 0;
};

bool ShowSheet(PFNPROPSHEETUI function, LPARAM header, const char* exportName, SheetRun& run,
               std::string& error) {
    run.answer = CommonPropertySheetUIW(nullptr, function, header, &run.result);
    if (run.answer != CPSUI_OK && run.answer != CPSUI_CANCEL) {
        error = std::string("the property sheet of ") + exportName +
                " failed: " + HostSession::ExportFailure("CommonPropertySheetUIW", run.answer);
        return false;
    }
    return true;
}

bool DocumentSheet(HostSession& session, HostPrinter& printer, HostDocumentProperties& properties,
                   SheetRun& run, HostDevMode& out, std::string& error) {
    auto function = session.Module().Export<PFNPROPSHEETUI>("DrvDocumentPropertySheets", error);
    if (function == nullptr) return false;
    HostDevMode input;
    const std::string& inFile = session.Options().inFile;
    if (!inFile.empty() ? !input.ReadFile(inFile, error) : !properties.Default(printer, input, error))
        return false;
    size_t size = 0;
    if (!properties.Size(printer, size, error)) return false;
    std::vector<uint8_t> buffer(std::max(size, input.Bytes().size()));
    DOCUMENTPROPERTYHEADER header{};
    header.cbSize = sizeof header;
    header.hPrinter = printer.Handle();
    header.pszPrinterName = printer.Name();
    header.pdmIn = input.Public();
    header.pdmOut = reinterpret_cast<PDEVMODEW>(buffer.data());
    header.cbOut = static_cast<DWORD>(buffer.size());
    header.fMode = DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER;
    if (!ShowSheet(function, reinterpret_cast<LPARAM>(&header), "DrvDocumentPropertySheets", run, error))
        return false;
    if (run.answer != CPSUI_OK) {
        out = input;
        return true;
    }
    out = HostDevMode(std::move(buffer));
    const size_t total = static_cast<size_t>(out.Public()->dmSize) + out.Public()->dmDriverExtra;
    if (total > out.Bytes().size() || total < offsetof(DEVMODEW, dmFields)) {
        error = "DrvDocumentPropertySheets wrote a DEVMODE of " + std::to_string(total) + " bytes into " +
                std::to_string(out.Bytes().size());
        return false;
    }
    out.Bytes().resize(total);
    return true;
}

bool DeviceSheet(HostSession& session, HostPrinter& printer, HostDocumentProperties& properties,
                 SheetRun& run, HostDevMode& out, std::string& error) {
    auto function = session.Module().Export<PFNPROPSHEETUI>("DrvDevicePropertySheets", error);
    if (function == nullptr) return false;
    DEVICEPROPERTYHEADER header{};
    header.cbSize = sizeof header;
    header.hPrinter = printer.Handle();
    header.pszPrinterName = printer.Name();
    if (!ShowSheet(function, reinterpret_cast<LPARAM>(&header), "DrvDevicePropertySheets", run, error))
        return false;
    return properties.Default(printer, out, error);
}

HostValue Pictures(const std::string& folder) {
    HostValue pictures = HostValue::List();
    if (folder.empty()) return pictures;
    std::vector<std::string> names;
    std::error_code failure;
    for (const auto& entry : std::filesystem::directory_iterator(folder, failure)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("page-", 0) == 0 && entry.path().extension() == ".png")
            names.push_back(entry.path().string());
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        pictures.Append(HostValue::Text(name));
    return pictures;
}

} // namespace

bool HostSheetCommand::Run(HostSession& session, HostValue& result, std::string& error) {
    const char* usage = "sheet PRINTER [--device] --script FILE --out FILE [--in FILE] [--png DIR]";
    if (!session.ExpectArguments(1, 1, usage, error)) return false;
    const HostOptions& options = session.Options();
    if (options.scriptFile.empty() || options.outFile.empty()) {
        error = std::string("usage: qvhost ") + usage;
        return false;
    }
    WinUiScriptFile script;
    if (!WinUiScriptParser::ParseFile(options.scriptFile, script, error)) {
        // The parser names the line; the user wants the file too.
        if (error.rfind(options.scriptFile, 0) != 0) error = options.scriptFile + ": " + error;
        return false;
    }
    HostPrinter printer;
    if (!printer.Open(options.arguments[0], error, options.device ? PRINTER_ALL_ACCESS : PRINTER_ACCESS_USE))
        return false;
    HostDocumentProperties properties;
    if (!properties.Bind(session, error)) return false;
    if (!options.pngFolder.empty()) {
        std::error_code failure;
        std::filesystem::create_directories(options.pngFolder, failure);
        if (failure) {
            error = "cannot create the picture folder " + options.pngFolder + ": " + failure.message();
            return false;
        }
    }
    script.QueueForSheet();
    WinUiDriver::SetSheetPictureFolder(options.pngFolder);
    SheetRun run;
    HostDevMode out;
    const bool shown = options.device ? DeviceSheet(session, printer, properties, run, out, error)
                                      : DocumentSheet(session, printer, properties, run, out, error);
    WinUiDriver::SetSheetPictureFolder("");
    if (!shown || !out.WriteFile(options.outFile, error)) return false;
    result = HostValue::Object();
    result.Set("printer", HostValue::Text(printer.NameUtf8()));
    result.Set("sheet", HostValue::Text(options.device ? "device" : "document"));
    result.Set("closed with", HostValue::Text(run.answer == CPSUI_OK ? "OK" : "Cancel"));
    result.Set("result", HostValue::Number(static_cast<int64_t>(run.result)));
    result.Set("file", HostValue::Text(options.outFile));
    result.Set("pictures", Pictures(options.pngFolder));
    result.Set("fields", out.Summary());
    return true;
}
