#pragma once
// The resource libraries the framework's tests load: the module's own
// (QVUIRES.DLL, code page 1252) and two doubles of right-to-left builds,
// HEBREW.DLL (1255, with strings, a picture and its mask, and a dialog with
// a tab strip) and ARABIC.DLL (1256, version information only); DIALOGS.DLL
// with the page, sub-dialog and timed dialog of the dialog tests.
#include <memory>

#include "ui/framework/GResourceLibrary.h"
#include "winapi/host/WinHostStore.h"

inline constexpr char16_t kOwnResourceLibrary[] = u"QVUIRES.DLL";
inline constexpr char16_t kHebrewResourceLibrary[] = u"HEBREW.DLL";
inline constexpr char16_t kArabicResourceLibrary[] = u"ARABIC.DLL";
inline constexpr char16_t kSlowResourceLibrary[] = u"SLOW.DLL";
inline constexpr char16_t kDialogsResourceLibrary[] = u"DIALOGS.DLL";

inline void RegisterResourceLibraries() {
    WinHostStore& store = WinHostStore::Instance();
    store.RegisterModule(kOwnResourceLibrary, QV_RESOURCE_LIBRARY_PATH);
    store.RegisterModule(kHebrewResourceLibrary, QV_TEST_MODULE_DIR "/libqvreshebrew.so");
    store.RegisterModule(kArabicResourceLibrary, QV_TEST_MODULE_DIR "/libqvresarabic.so");
    store.RegisterModule(kSlowResourceLibrary, QV_TEST_MODULE_DIR "/libqvresslow.so");
    store.RegisterModule(kDialogsResourceLibrary, QV_TEST_MODULE_DIR "/libqvresdialogs.so");
}

// One use of a resource library for the life of a test; released when the
// load counted.
class HeldResourceLibrary {
public:
    explicit HeldResourceLibrary(const char16_t* name) : loaded_(LoadResourceLibrary(name)) {}
    ~HeldResourceLibrary() {
        if (loaded_ == 1) ReleaseResourceLibrary();
    }
    HeldResourceLibrary(const HeldResourceLibrary&) = delete;
    HeldResourceLibrary& operator=(const HeldResourceLibrary&) = delete;
    int32_t Loaded() const { return loaded_; }

private:
    int32_t loaded_;
};

// The module's own resource library registered and held for a test.
inline std::unique_ptr<HeldResourceLibrary> HoldOwnResourceLibrary() {
    RegisterResourceLibraries();
    return std::make_unique<HeldResourceLibrary>(kOwnResourceLibrary);
}
