#include "host/HostPropsCommand.h"

#include "host/HostDocumentProperties.h"

bool HostPropsCommand::Run(HostSession& session, HostValue& result, std::string& error) {
    const char* usage = "props PRINTER --in FILE [--set FIELD=VALUE ...] --out FILE";
    if (!session.ExpectArguments(1, 1, usage, error)) return false;
    const HostOptions& options = session.Options();
    if (options.inFile.empty() || options.outFile.empty()) {
        error = std::string("usage: qvhost ") + usage;
        return false;
    }
    HostDevMode input;
    if (!input.ReadFile(options.inFile, error)) return false;
    for (const auto& [field, value] : options.sets)
        if (!input.Set(field, value, error)) return false;
    HostPrinter printer;
    if (!printer.Open(options.arguments[0], error)) return false;
    HostDocumentProperties properties;
    if (!properties.Bind(session, error)) return false;
    HostDevMode output;
    if (!properties.Merge(printer, input, output, error)) return false;
    if (!output.WriteFile(options.outFile, error)) return false;
    result = HostValue::Object();
    result.Set("printer", HostValue::Text(printer.NameUtf8()));
    result.Set("file", HostValue::Text(options.outFile));
    result.Set("bytes", HostValue::Number(static_cast<int64_t>(output.Bytes().size())));
    HostValue asked = HostValue::Object();
    for (const auto& [field, value] : options.sets)
        asked.Set(field, HostValue::Text(value));
    result.Set("set", std::move(asked));
    result.Set("fields", output.Summary());
    return true;
}
