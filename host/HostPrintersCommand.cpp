#include "host/HostPrintersCommand.h"

#include <mutex>

#include "host/HostModelPrinter.h"
#include "host/HostPrinterInstaller.h"
#include "host/HostStoreSetup.h"
#include "winapi/WinText.h"
#include "winapi/host/WinHostStore.h"

namespace {

// Every value of the printer's data, its subkeys' included.
size_t ValueCount(const WinRegistryKey& key) {
    size_t count = key.Values().size();
    for (size_t i = 0; i < key.ChildCount(); ++i)
        count += ValueCount(*key.ChildAt(i));
    return count;
}

// What the driver's initialisation left: the default DEVMODE's size and
// how many values the printer's data holds (0 and 0 for a printer the
// driver has not set up).
void SetInitialisation(WinHostStore& store, const WinPrinterRecord& record, HostValue& printer) {
    const std::shared_ptr<WinRegistryKey> data = store.FindPrinterData(record.name);
    printer.Set("default DEVMODE bytes", HostValue::Number(static_cast<int64_t>(record.devMode.size())));
    printer.Set("printer data values", HostValue::Number(data ? static_cast<int64_t>(ValueCount(*data)) : 0));
}

} // namespace

bool HostPrintersCommand::List(HostSession& session, HostValue& result, std::string& error) {
    if (!session.ExpectArguments(0, 0, "printers", error)) return false;
    WinHostStore& store = WinHostStore::Instance();
    std::lock_guard hold(store.Mutex());
    HostValue printers = HostValue::List();
    for (const WinPrinterRecord& record : store.State().printers) {
        HostValue printer = HostValue::Object();
        printer.Set("name", HostValue::Text(WinText::ToUtf8(record.name)));
        printer.Set("driver", HostValue::Text(WinText::ToUtf8(record.driverName)));
        printer.Set("port", HostValue::Text(WinText::ToUtf8(record.portName)));
        const WinDriverRecord* driver = store.FindDriver(record.driverName, HostStoreSetup::kEnvironment);
        printer.Set("data file",
                    driver == nullptr ? HostValue() : HostValue::Text(WinText::ToUtf8(driver->dataFile)));
        SetInitialisation(store, record, printer);
        printers.Append(std::move(printer));
    }
    result = HostValue::Object();
    result.Set("printers", std::move(printers));
    return true;
}

bool HostPrintersCommand::Add(HostSession& session, HostValue& result, std::string& error) {
    if (!session.ExpectArguments(1, 1, "add-printer NAME --model qvcolor|qvmono|qvcolorps", error))
        return false;
    const HostOptions& options = session.Options();
    const HostModelPrinter* model = HostModelPrinter::Find(options.model);
    if (model == nullptr) {
        error = "unknown model printer \"" + options.model + "\" (--model qvcolor, qvmono or qvcolorps)";
        return false;
    }
    if (!HostPrinterInstaller::Install(session.Module(), WinText::FromUtf8(options.arguments[0]), *model,
                                       error))
        return false;
    result = HostValue::Object();
    result.Set("added", HostValue::Text(options.arguments[0]));
    result.Set("driver", HostValue::Text(WinText::ToUtf8(model->driver)));
    return true;
}
