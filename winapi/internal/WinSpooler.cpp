// The spooler calls, over the host store's printers, drivers and forms. The
// printer data lives in the machine hive, so registry calls see it too.
#include <cstring>
#include <memory>

#include "winapi/WinKernel.h"
#include "winapi/WinSpool.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/internal/WinHandleTable.h"
#include "winapi/internal/WinPackedBuffer.h"
#include "winapi/internal/WinPrinterKey.h"
#include "winapi/internal/WinTextRules.h"

namespace {
using Lock = std::lock_guard<std::recursive_mutex>;

struct OpenPrinter {
    std::u16string printerName; // empty: the local print server
    DWORD access;
    uint64_t generation;
};

WinHandleTable<OpenPrinter>& Printers() {
    static auto* table = new WinHandleTable<OpenPrinter>(0x5350); // outlives static destructors
    return *table;
}

constexpr std::u16string_view kDefaultEnvironment = u"Windows NT x86";

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// The open handle, checked against the store; the printer record when the
// handle names a printer. ERROR_INVALID_HANDLE for anything stale.
DWORD Resolve(HANDLE handle, OpenPrinter& open, WinPrinterRecord*& printer) {
    auto found = Printers().Find(handle);
    WinHostStore& store = WinHostStore::Instance();
    if (!found || found->generation != store.Generation()) return ERROR_INVALID_HANDLE;
    open = *found;
    printer = nullptr;
    if (open.printerName.empty()) return ERROR_SUCCESS;
    printer = store.FindPrinter(open.printerName);
    return printer != nullptr ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

DWORD ResolvePrinter(HANDLE handle, DWORD neededAccess, WinPrinterRecord*& printer) {
    OpenPrinter open;
    if (DWORD error = Resolve(handle, open, printer)) return error;
    if (printer == nullptr) return ERROR_INVALID_HANDLE;
    if ((open.access & neededAccess) != neededAccess) return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

std::shared_ptr<WinRegistryKey> DataKey(const WinPrinterRecord& printer, bool create) {
    auto hive = WinHostStore::Instance().State().machineHive;
    const std::u16string path = PrinterKeyPath(printer.name) + u"\\PrinterDriverData";
    return create ? hive->CreatePath(path) : hive->FindPath(path);
}

// Copies packed records out, or answers the size needed.
BOOL FinishPacked(size_t needed, DWORD bufferSize, LPDWORD neededOut) {
    *neededOut = static_cast<DWORD>(needed);
    if (needed > bufferSize) return Fail(ERROR_INSUFFICIENT_BUFFER);
    return TRUE;
}

template <typename Fill>
BOOL Pack(size_t fixedSize, LPBYTE buffer, DWORD bufferSize, LPDWORD needed, Fill fill) {
    if (needed == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    WinPackedBuffer counter(nullptr, fixedSize);
    fill(counter, nullptr);
    if (buffer == nullptr || counter.Used() > bufferSize) return FinishPacked(counter.Used(), 0, needed);
    std::memset(buffer, 0, fixedSize);
    WinPackedBuffer writer(buffer, fixedSize);
    fill(writer, buffer);
    return FinishPacked(writer.Used(), bufferSize, needed);
}

size_t DevModeBytes(const DEVMODEW* devMode) {
    return size_t{devMode->dmSize} + devMode->dmDriverExtra;
}

// Forms.
WinFormRecord* FindForm(std::u16string_view name) {
    for (WinFormRecord& form : WinHostStore::Instance().State().forms)
        if (WinText::EqualNoCase(form.name, name)) return &form;
    return nullptr;
}

bool ValidFormSize(const FORM_INFO_1W& form) {
    const RECTL& area = form.ImageableArea;
    return form.Size.cx > 0 && form.Size.cy > 0 && area.left >= 0 && area.top >= 0 &&
           area.left <= area.right && area.top <= area.bottom && area.right <= form.Size.cx &&
           area.bottom <= form.Size.cy;
}

void FillForm(WinPackedBuffer& packer, FORM_INFO_1W* out, const WinFormRecord& form) {
    LPWSTR name = packer.AddString(form.name);
    if (out == nullptr) return;
    out->Flags = form.flags;
    out->pName = name;
    out->Size = SIZEL{form.width, form.height};
    out->ImageableArea = RECTL{form.left, form.top, form.right, form.bottom};
}

WinFormRecord RecordOf(std::u16string_view name, const FORM_INFO_1W& form) {
    return {std::u16string(name),
            FORM_USER,
            form.Size.cx,
            form.Size.cy,
            form.ImageableArea.left,
            form.ImageableArea.top,
            form.ImageableArea.right,
            form.ImageableArea.bottom};
}

// Form changes need an administering handle (printer or server).
DWORD ResolveForForms(HANDLE handle, bool administer) {
    OpenPrinter open;
    WinPrinterRecord* printer = nullptr;
    if (DWORD error = Resolve(handle, open, printer)) return error;
    const DWORD needed = open.printerName.empty() ? SERVER_ACCESS_ADMINISTER : PRINTER_ACCESS_ADMINISTER;
    if (administer && (open.access & needed) == 0) return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}
} // namespace

std::u16string PrinterKeyPath(std::u16string_view printerName) {
    std::u16string name(printerName);
    for (char16_t& c : name)
        if (c == u'\\') c = u',';
    return u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" + name;
}

BOOL OpenPrinterW(LPWSTR printerName, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults) {
    if (printer == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    *printer = nullptr;
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    DWORD desired = defaults != nullptr ? defaults->DesiredAccess : 0;
    const std::u16string_view name = WinText::View(printerName);
    if (name.empty()) {
        if (desired == 0) desired = SERVER_ACCESS_ENUMERATE;
        *printer =
            Printers().Add(std::make_shared<OpenPrinter>(OpenPrinter{u"", desired, store.Generation()}));
        return TRUE;
    }
    WinPrinterRecord* record = store.FindPrinter(name);
    if (record == nullptr) return Fail(ERROR_INVALID_PRINTER_NAME);
    if (desired == 0) desired = PRINTER_ACCESS_USE;
    const DWORD rights = desired & (PRINTER_ACCESS_ADMINISTER | PRINTER_ACCESS_USE);
    if ((rights & record->allowedAccess) != rights) return Fail(ERROR_ACCESS_DENIED);
    *printer =
        Printers().Add(std::make_shared<OpenPrinter>(OpenPrinter{record->name, desired, store.Generation()}));
    return TRUE;
}

BOOL ClosePrinter(HANDLE printer) {
    return Printers().Remove(printer) ? TRUE : Fail(ERROR_INVALID_HANDLE);
}

BOOL GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD bufferSize, LPDWORD needed) {
    Lock hold(WinHostStore::Instance().Mutex());
    WinPrinterRecord* record = nullptr;
    if (DWORD error = ResolvePrinter(printer, 0, record)) return Fail(error);
    if (level != 2) return Fail(ERROR_INVALID_LEVEL);
    return Pack(sizeof(PRINTER_INFO_2W), buffer, bufferSize, needed,
                [&](WinPackedBuffer& packer, LPBYTE base) {
                    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(base);
                    // The DEVMODE first: it needs the alignment of its DWORD fields.
                    void* devMode = packer.AddBytes(record->devMode.data(), record->devMode.size());
                    LPWSTR server = packer.AddString(record->serverName, true);
                    LPWSTR name = packer.AddString(record->name);
                    LPWSTR share = packer.AddString(record->shareName);
                    LPWSTR port = packer.AddString(record->portName);
                    LPWSTR driver = packer.AddString(record->driverName);
                    LPWSTR comment = packer.AddString(record->comment);
                    LPWSTR location = packer.AddString(record->location);
                    LPWSTR separator = packer.AddString(u"");
                    LPWSTR processor = packer.AddString(record->printProcessor);
                    LPWSTR datatype = packer.AddString(record->datatype);
                    LPWSTR parameters = packer.AddString(u"");
                    if (info == nullptr) return;
                    info->pServerName = server;
                    info->pPrinterName = name;
                    info->pShareName = share;
                    info->pPortName = port;
                    info->pDriverName = driver;
                    info->pComment = comment;
                    info->pLocation = location;
                    info->pDevMode = static_cast<LPDEVMODEW>(devMode);
                    info->pSepFile = separator;
                    info->pPrintProcessor = processor;
                    info->pDatatype = datatype;
                    info->pParameters = parameters;
                    info->Attributes = record->attributes;
                });
}

BOOL SetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD command) {
    Lock hold(WinHostStore::Instance().Mutex());
    WinHostStore::Instance().NoteWriteRequest();
    WinPrinterRecord* record = nullptr;
    if (DWORD error = ResolvePrinter(printer, PRINTER_ACCESS_ADMINISTER, record)) return Fail(error);
    if (level != 2) return Fail(ERROR_INVALID_LEVEL);
    if (buffer == nullptr || command != 0) return Fail(ERROR_INVALID_PARAMETER);
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer);
    if (info->pDevMode != nullptr && info->pDevMode->dmSize < offsetof(DEVMODEW, dmFields) + sizeof(DWORD))
        return Fail(ERROR_INVALID_PARAMETER);
    if (info->pDevMode != nullptr) {
        const auto* bytes = reinterpret_cast<const BYTE*>(info->pDevMode);
        record->devMode.assign(bytes, bytes + DevModeBytes(info->pDevMode));
    }
    if (info->pPortName != nullptr) record->portName = WinText::View(info->pPortName);
    if (info->pLocation != nullptr) record->location = WinText::View(info->pLocation);
    if (info->pComment != nullptr) record->comment = WinText::View(info->pComment);
    if (info->pDatatype != nullptr) record->datatype = WinText::View(info->pDatatype);
    return TRUE;
}

BOOL GetPrinterDriverW(HANDLE printer, LPWSTR environment, DWORD level, LPBYTE buffer, DWORD bufferSize,
                       LPDWORD needed) {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    WinPrinterRecord* record = nullptr;
    if (DWORD error = ResolvePrinter(printer, 0, record)) return Fail(error);
    if (level != 2) return Fail(ERROR_INVALID_LEVEL);
    const std::u16string_view env = environment != nullptr ? WinText::View(environment) : kDefaultEnvironment;
    const WinDriverRecord* driver = store.FindDriver(record->driverName, env);
    if (driver == nullptr) return Fail(ERROR_UNKNOWN_PRINTER_DRIVER);
    return Pack(sizeof(DRIVER_INFO_2W), buffer, bufferSize, needed,
                [&](WinPackedBuffer& packer, LPBYTE base) {
                    auto* info = reinterpret_cast<DRIVER_INFO_2W*>(base);
                    LPWSTR name = packer.AddString(driver->name);
                    LPWSTR env = packer.AddString(driver->environment);
                    LPWSTR path = packer.AddString(driver->driverPath);
                    LPWSTR data = packer.AddString(driver->dataFile);
                    LPWSTR config = packer.AddString(driver->configFile);
                    if (info == nullptr) return;
                    *info = DRIVER_INFO_2W{driver->version, name, env, path, data, config};
                });
}

DWORD GetPrinterDataW(HANDLE printer, LPWSTR valueName, LPDWORD type, LPBYTE data, DWORD size,
                      LPDWORD needed) {
    Lock hold(WinHostStore::Instance().Mutex());
    WinPrinterRecord* record = nullptr;
    if (DWORD error = ResolvePrinter(printer, 0, record)) return error;
    if (needed == nullptr) return ERROR_INVALID_PARAMETER;
    auto key = DataKey(*record, false);
    const WinRegistryValue* value = key ? key->FindValue(WinText::View(valueName)) : nullptr;
    if (value == nullptr) return ERROR_FILE_NOT_FOUND;
    if (type != nullptr) *type = value->type;
    *needed = static_cast<DWORD>(value->data.size());
    if (size < value->data.size() || (data == nullptr && !value->data.empty())) return ERROR_MORE_DATA;
    if (!value->data.empty()) std::memcpy(data, value->data.data(), value->data.size());
    return ERROR_SUCCESS;
}

DWORD SetPrinterDataW(HANDLE printer, LPWSTR valueName, DWORD type, LPBYTE data, DWORD size) {
    Lock hold(WinHostStore::Instance().Mutex());
    WinHostStore::Instance().NoteWriteRequest();
    WinPrinterRecord* record = nullptr;
    if (DWORD error = ResolvePrinter(printer, PRINTER_ACCESS_ADMINISTER, record)) return error;
    if (data == nullptr && size != 0) return ERROR_INVALID_PARAMETER;
    if (DWORD error = WinHostStore::Instance().ValueWriteFailure(WinText::View(valueName))) return error;
    DataKey(*record, true)
        ->SetValue(WinText::View(valueName), type,
                   size > 0 ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>());
    return ERROR_SUCCESS;
}

DWORD DeletePrinterDataW(HANDLE printer, LPWSTR valueName) {
    Lock hold(WinHostStore::Instance().Mutex());
    WinHostStore::Instance().NoteWriteRequest();
    WinPrinterRecord* record = nullptr;
    if (DWORD error = ResolvePrinter(printer, PRINTER_ACCESS_ADMINISTER, record)) return error;
    auto key = DataKey(*record, false);
    return key && key->DeleteValue(WinText::View(valueName)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

BOOL EnumFormsW(HANDLE printer, DWORD level, LPBYTE forms, DWORD bufferSize, LPDWORD needed,
                LPDWORD returned) {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    if (DWORD error = ResolveForForms(printer, false)) return Fail(error);
    if (level != 1) return Fail(ERROR_INVALID_LEVEL);
    if (returned == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    const auto& all = store.State().forms;
    *returned = 0;
    const BOOL ok = Pack(all.size() * sizeof(FORM_INFO_1W), forms, bufferSize, needed,
                         [&](WinPackedBuffer& packer, LPBYTE base) {
                             auto* out = reinterpret_cast<FORM_INFO_1W*>(base);
                             for (size_t i = 0; i < all.size(); ++i)
                                 FillForm(packer, out != nullptr ? out + i : nullptr, all[i]);
                         });
    if (ok) *returned = static_cast<DWORD>(all.size());
    return ok;
}

BOOL GetFormW(HANDLE printer, LPWSTR formName, DWORD level, LPBYTE form, DWORD bufferSize, LPDWORD needed) {
    Lock hold(WinHostStore::Instance().Mutex());
    if (DWORD error = ResolveForForms(printer, false)) return Fail(error);
    if (level != 1) return Fail(ERROR_INVALID_LEVEL);
    const WinFormRecord* record = FindForm(WinText::View(formName));
    if (record == nullptr) return Fail(ERROR_INVALID_FORM_NAME);
    return Pack(sizeof(FORM_INFO_1W), form, bufferSize, needed, [&](WinPackedBuffer& packer, LPBYTE base) {
        FillForm(packer, reinterpret_cast<FORM_INFO_1W*>(base), *record);
    });
}

BOOL AddFormW(HANDLE printer, DWORD level, LPBYTE form) {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    if (DWORD error = ResolveForForms(printer, true)) return Fail(error);
    if (level != 1) return Fail(ERROR_INVALID_LEVEL);
    if (form == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    const auto* info = reinterpret_cast<const FORM_INFO_1W*>(form);
    const std::u16string_view name = WinText::View(info->pName);
    if (name.empty()) return Fail(ERROR_INVALID_FORM_NAME);
    if (!ValidFormSize(*info)) return Fail(ERROR_INVALID_FORM_SIZE);
    if (FindForm(name) != nullptr) return Fail(ERROR_FILE_EXISTS);
    store.State().forms.push_back(RecordOf(name, *info));
    return TRUE;
}

BOOL SetFormW(HANDLE printer, LPWSTR formName, DWORD level, LPBYTE form) {
    Lock hold(WinHostStore::Instance().Mutex());
    if (DWORD error = ResolveForForms(printer, true)) return Fail(error);
    if (level != 1) return Fail(ERROR_INVALID_LEVEL);
    if (form == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    WinFormRecord* record = FindForm(WinText::View(formName));
    if (record == nullptr) return Fail(ERROR_INVALID_FORM_NAME);
    if (record->flags & FORM_BUILTIN) return Fail(ERROR_INVALID_PARAMETER);
    const auto* info = reinterpret_cast<const FORM_INFO_1W*>(form);
    if (!ValidFormSize(*info)) return Fail(ERROR_INVALID_FORM_SIZE);
    *record = RecordOf(record->name, *info);
    return TRUE;
}

BOOL DeleteFormW(HANDLE printer, LPWSTR formName) {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    if (DWORD error = ResolveForForms(printer, true)) return Fail(error);
    WinFormRecord* record = FindForm(WinText::View(formName));
    if (record == nullptr) return Fail(ERROR_INVALID_FORM_NAME);
    if (record->flags & FORM_BUILTIN) return Fail(ERROR_INVALID_PARAMETER);
    auto& forms = store.State().forms;
    forms.erase(forms.begin() + (record - forms.data()));
    return TRUE;
}
