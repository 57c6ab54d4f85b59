#include "host/HostDevModeCommand.h"

#include <filesystem>

#include "host/HostDocumentProperties.h"

bool HostDevModeCommand::Run(HostSession& session, HostValue& result, std::string& error) {
    if (!session.ExpectArguments(1, 1, "devmode PRINTER [--out FILE]", error)) return false;
    const HostOptions& options = session.Options();
    HostPrinter printer;
    if (!printer.Open(options.arguments[0], error)) return false;
    HostDocumentProperties properties;
    if (!properties.Bind(session, error)) return false;
    HostDevMode devMode;
    if (!properties.Default(printer, devMode, error)) return false;
    const std::string out =
        !options.outFile.empty()
            ? options.outFile
            : (std::filesystem::path(options.storeFolder) / (printer.NameUtf8() + ".devmode")).string();
    if (!devMode.WriteFile(out, error)) return false;
    result = HostValue::Object();
    result.Set("printer", HostValue::Text(printer.NameUtf8()));
    result.Set("file", HostValue::Text(out));
    result.Set("bytes", HostValue::Number(static_cast<int64_t>(devMode.Bytes().size())));
    result.Set("fields", devMode.Summary());
    return true;
}
