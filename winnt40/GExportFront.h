#pragma once
// The common road of the printer-interface exports: mark activity on the
// module's keep-alive, name the printer, have the driver server hand out
// the printer's driver instance, call it, and give it back. The work is the
// instance's; the front only finds it and returns it, on every path.
//
// Two roads keep an instance beyond one call: a property sheet (the
// instance travels in the call-back block's UserData from INIT to DESTROY,
// its cookie in the instance) and a device context's document events (the
// cookie in the module's document-event table from CREATEDCPRE to DELETEDC,
// with the keep-alive's hold set while any is held).
//
// No exception leaves the front: an export answers its failure value.
#include <cstdint>

#include "driver/GDriver.h"
#include "rw/RWWString.h"
#include "winapi/WinCommonUI.h"
#include "winapi/WinTypes.h"

class GExportFront {
public:
    static constexpr const char* kSourceName = "nt40qddi";
    static constexpr uint32_t kLockError = 301;
    static constexpr uint32_t kUnlockError = 302;

    // Runs call on the instance of the printer named by (printer, name)
    // and releases it; noInstance when there is none or the call throws.
    template <typename Result, typename Call>
    static Result Run(HANDLE printer, const RWWString& name, Result noInstance, Call call) noexcept {
        try {
            MarkActivity();
            uint32_t cookie = 0;
            GDriver* driver = Get(printer, name, &cookie);
            if (driver == nullptr) return noInstance;
            const Releaser releaser{cookie};
            return call(*driver);
        } catch (...) {
            return noInstance;
        }
    }

    // The property-sheet road; device selects DrvDevicePropertySheets.
    static LONG PropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, bool device) noexcept;
    // DrvDocumentEvent's road, with the document-event table.
    static INT DocumentEvent(HANDLE printer, HDC dc, INT escape, ULONG inSize, void* input, ULONG outSize,
                             void* output) noexcept;

    static void MarkActivity();
    // The driver server's instance for the identity of (printer, name), or
    // null; its cookie in *cookie.
    static GDriver* Get(HANDLE printer, const RWWString& name, uint32_t* cookie);
    static void Release(uint32_t cookie);

private:
    struct Releaser {
        uint32_t cookie;
        ~Releaser() { Release(cookie); }
    };

    static LONG SheetCall(GDriver& driver, PPROPSHEETUI_INFO info, LPARAM lParam, bool device);
    static LONG OpenSheetCall(PPROPSHEETUI_INFO info, LPARAM lParam, HANDLE printer, bool device);
    static GDriver* StartDocumentEvents(HANDLE printer, INT escape, uint32_t& cookie);
    static void EndDocumentEvents(HANDLE printer, uint32_t cookie);
    // The table lock; a failure is reported and answered false.
    static bool LockTable(int line);
    static void UnlockTable(int line);
};
