#include "host/HostJobCommand.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/HostExports.h"
#include "host/HostPrinter.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinPrinterInfo2.h"
#include "winapi/WinSpool.h"
#include "winapi/host/WinUiDriver.h"

namespace {

const char* const kDocumentName = "qvhost job";

bool ReadPages(const std::string& text, int& pages, std::string& error) {
    if (text.empty()) {
        pages = 1;
        return true;
    }
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0' || value < 0 || value > HostJobCommand::kMostPages) {
        error = "--pages wants a number from 0 to " + std::to_string(HostJobCommand::kMostPages) + ", not " +
                text;
        return false;
    }
    pages = static_cast<int>(value);
    return true;
}

// A payload that is printable text with its NUL, as that text; else nothing.
bool AsText(const std::vector<BYTE>& payload, std::string& text) {
    if (payload.empty() || payload.back() != 0) return false;
    for (size_t i = 0; i + 1 < payload.size(); ++i)
        if (payload[i] < 32 || payload[i] > 126) return false;
    text.assign(payload.begin(), payload.end() - 1);
    return true;
}

std::string Hex(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

HostValue Escape(const WinRecordedEscape& escape) {
    HostValue item = HostValue::Object();
    item.Set("code", HostValue::Text("0x" + Hex(static_cast<uint32_t>(escape.escape), 8)));
    item.Set("size", HostValue::Number(static_cast<int64_t>(escape.input.size())));
    std::string text;
    if (AsText(escape.input, text)) {
        item.Set("text", HostValue::Text(text));
    } else {
        std::string bytes;
        for (BYTE b : escape.input)
            bytes += (bytes.empty() ? "" : " ") + Hex(b, 2);
        item.Set("bytes", HostValue::Text(bytes));
    }
    if (escape.outputSize > 0) item.Set("output", HostValue::Number(escape.outputSize));
    return item;
}

// One document on a printer DC, event by event.
class JobRun {
public:
    JobRun(DrvDocumentEventProc event, HANDLE printer, HDC dc) : event_(event), printer_(printer), dc_(dc) {}

    INT Send(const char* name, INT code, ULONG inSize = 0, void* input = nullptr, ULONG outSize = 0,
             void* output = nullptr) {
        const INT answer = event_(printer_, dc_, code, inSize, input, outSize, output);
        HostValue item = HostValue::Object();
        item.Set("event", HostValue::Text(name));
        item.Set("code", HostValue::Number(code));
        item.Set("answer", HostValue::Number(answer));
        HostValue escapes = HostValue::List();
        const std::vector<WinRecordedEscape> all = WinUiDriver::Escapes(dc_);
        for (size_t i = seen_; i < all.size(); ++i)
            escapes.Append(Escape(all[i]));
        seen_ = all.size();
        item.Set("escapes", std::move(escapes));
        events_.Append(std::move(item));
        return answer;
    }

    HostValue TakeEvents() { return std::move(events_); }

private:
    DrvDocumentEventProc event_;
    HANDLE printer_;
    HDC dc_;
    size_t seen_ = 0;
    HostValue events_ = HostValue::List();
};

// The printer's default DEVMODE (GetPrinterW level 2), copied; empty when
// it has none.
std::vector<uint64_t> DefaultDevMode(HANDLE printer) {
    const WinPrinterInfo2 info(printer);
    const DEVMODEW* devmode = info ? info->pDevMode : nullptr;
    if (devmode == nullptr) return {};
    const size_t size = static_cast<size_t>(devmode->dmSize) + devmode->dmDriverExtra;
    std::vector<uint64_t> copy((size + 7) / 8);
    std::memcpy(copy.data(), devmode, size);
    return copy;
}

} // namespace

bool HostJobCommand::Run(HostSession& session, HostValue& result, std::string& error) {
    if (!session.ExpectArguments(1, 1, "job PRINTER [--pages N]", error)) return false;
    int pages = 1;
    if (!ReadPages(session.Options().pages, pages, error)) return false;
    HostPrinter printer;
    if (!printer.Open(session.Options().arguments[0], error)) return false;
    auto event = session.Module().Export<DrvDocumentEventProc>("DrvDocumentEvent", error);
    if (event == nullptr) return false;

    const HDC dc = WinUiDriver::CreatePrinterDC(WinPrinterDcSetup{});
    JobRun run(event, printer.Handle(), dc);
    std::vector<uint64_t> devmode = DefaultDevMode(printer.Handle());
    DOCEVENT_CREATEDCPRE create{nullptr, printer.Name(),
                                devmode.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(devmode.data()),
                                FALSE};
    DEVMODEW* copy = nullptr;
    run.Send("CREATEDCPRE", DOCUMENTEVENT_CREATEDCPRE, sizeof create, &create, sizeof copy, &copy);
    run.Send("CREATEDCPOST", DOCUMENTEVENT_CREATEDCPOST, sizeof copy, &copy);
    std::u16string name(kDocumentName, kDocumentName + std::char_traits<char>::length(kDocumentName));
    DOCINFOW document{sizeof(DOCINFOW), name.c_str(), nullptr, nullptr, 0};
    DOCINFOW* pointer = &document;
    run.Send("STARTDOCPRE", DOCUMENTEVENT_STARTDOCPRE, sizeof pointer, &pointer);
    run.Send("STARTDOCPOST", DOCUMENTEVENT_STARTDOCPOST);
    for (int page = 0; page < pages; ++page) {
        run.Send("STARTPAGE", DOCUMENTEVENT_STARTPAGE);
        run.Send("ENDPAGE", DOCUMENTEVENT_ENDPAGE);
    }
    run.Send("ENDDOCPRE", DOCUMENTEVENT_ENDDOCPRE);
    run.Send("ENDDOCPOST", DOCUMENTEVENT_ENDDOCPOST);
    run.Send("DELETEDC", DOCUMENTEVENT_DELETEDC);
    DeleteDC(dc);

    result = HostValue::Object();
    result.Set("printer", HostValue::Text(printer.NameUtf8()));
    result.Set("document", HostValue::Text(kDocumentName));
    result.Set("pages", HostValue::Number(pages));
    result.Set("events", run.TakeEvents());
    return true;
}
