#include "host/HostCapsCommand.h"

#include <cstring>
#include <vector>

#include "host/HostCapabilityCode.h"
#include "host/HostDevMode.h"
#include "host/HostExports.h"
#include "host/HostPrinter.h"
#include "winapi/WinError.h"
#include "winapi/WinText.h"

namespace {

// More elements than any printer has: a count above it is no answer.
constexpr DWORD kMostElements = 4096;

int32_t Long(const std::vector<BYTE>& bytes, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
    return static_cast<int32_t>(value);
}

std::string Name(const std::vector<BYTE>& bytes, size_t offset, size_t size) {
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const auto c = static_cast<char16_t>(bytes[offset + i] | (bytes[offset + i + 1] << 8));
        if (c == 0) break;
        text += c;
    }
    return WinText::ToUtf8(text);
}

HostValue Size(int64_t width, int64_t height) {
    HostValue size = HostValue::Object();
    size.Set("width", HostValue::Number(width));
    size.Set("height", HostValue::Number(height));
    return size;
}

HostValue Element(const HostCapabilityCode& code, const std::vector<BYTE>& bytes, size_t offset) {
    switch (code.form) {
    case HostCapabilityCode::Form::Words:
        return HostValue::Number(bytes[offset] | (bytes[offset + 1] << 8));
    case HostCapabilityCode::Form::Sizes:
        return Size(Long(bytes, offset), Long(bytes, offset + 4));
    case HostCapabilityCode::Form::Pairs: {
        HostValue pair = HostValue::List();
        pair.Append(HostValue::Number(Long(bytes, offset)));
        pair.Append(HostValue::Number(Long(bytes, offset + 4)));
        return pair;
    }
    default:
        return HostValue::Text(Name(bytes, offset, code.elementSize));
    }
}

bool IsList(const HostCapabilityCode& code) {
    return code.elementSize != 0;
}

} // namespace

bool HostCapsCommand::Run(HostSession& session, HostValue& result, std::string& error) {
    if (!session.ExpectArguments(2, 2, "caps PRINTER CODE", error)) return false;
    const std::vector<std::string>& words = session.Options().arguments;
    const HostCapabilityCode* code = HostCapabilityCode::Find(words[1]);
    if (code == nullptr) {
        error = "unknown capability code " + words[1] + " (DC_PAPERS, DC_BINS, ... or their numbers)";
        return false;
    }
    HostPrinter printer;
    if (!printer.Open(words[0], error)) return false;
    auto capabilities = session.Module().Export<DrvDeviceCapabilitiesProc>("DrvDeviceCapabilities", error);
    if (capabilities == nullptr) return false;

    // A failure that sets no last error must not be reported with a stale one.
    SetLastError(ERROR_SUCCESS);
    const DWORD answer = capabilities(printer.Handle(), printer.Name(), code->code, nullptr, nullptr);
    if (answer == kCapabilityError) {
        error = printer.ExportFailure("DrvDeviceCapabilities", static_cast<int32_t>(answer));
        return false;
    }
    result = HostValue::Object();
    result.Set("printer", HostValue::Text(printer.NameUtf8()));
    result.Set("capability", HostValue::Text(code->name));
    result.Set("code", HostValue::Number(code->code));
    if (!IsList(*code)) {
        result.Set("value", HostValue::Number(answer));
        if (code->form == HostCapabilityCode::Form::Extent)
            result.Set("size", Size(answer & 0xFFFF, answer >> 16));
        if (code->form == HostCapabilityCode::Form::Flags) {
            HostValue names = HostValue::List();
            for (const std::string& name : HostDevMode::FieldBitNames(answer))
                names.Append(HostValue::Text(name));
            result.Set("names", std::move(names));
        }
        return true;
    }
    if (answer > kMostElements) {
        error = "DrvDeviceCapabilities answered a count of " + std::to_string(answer) + " elements: no list";
        return false;
    }
    std::vector<BYTE> output(std::max<size_t>(answer, 1) * code->elementSize);
    SetLastError(ERROR_SUCCESS);
    const DWORD written = capabilities(printer.Handle(), printer.Name(), code->code, output.data(), nullptr);
    if (written == kCapabilityError || written > answer) {
        error = written == kCapabilityError
                    ? printer.ExportFailure("DrvDeviceCapabilities", static_cast<int32_t>(written))
                    : "DrvDeviceCapabilities wrote " + std::to_string(written) + " elements after counting " +
                          std::to_string(answer);
        return false;
    }
    result.Set("count", HostValue::Number(written));
    HostValue items = HostValue::List();
    for (DWORD i = 0; i < written; ++i)
        items.Append(Element(*code, output, i * code->elementSize));
    result.Set("items", std::move(items));
    return true;
}
