#pragma once
// A page for the option controls that no tab places: dialog 400 of
// SPARE.DLL (tests/ui/pages/modules/qvresspare.cpp), made as the sheet
// makes a page (its record, PropertyPageProc), with the module's own
// resource library loaded for the strings the controls show.
#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/framework/DialogTestSupport.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/pages/BuiltPageFixture.h"
#include "ui/framework/GPropertyPage.h"
#include "winapi/WinModule.h"
#include "winapi/WinWindow.h"

namespace sparetest {

inline constexpr char16_t kSpareLibrary[] = u"SPARE.DLL";
inline constexpr WORD kSpareTemplate = 400;
inline constexpr WORD kStackerTemplate = 450;
inline constexpr int kStripId = 401;
inline constexpr int kHalftoneListId = 402;
inline constexpr int kColourMapListId = 403;
inline constexpr int kBitBoxId = 404;
inline constexpr int kSevenId = 405;
inline constexpr int kEightId = 406;
inline constexpr int kStackerButtonId = 407;
inline constexpr int kIcmComboId = 408;
inline constexpr int kFinishingBoxId = 409;

// The resource libraries, SPARE.DLL loaded for its templates.
class SpareLibraries {
public:
    SpareLibraries() {
        RegisterResourceLibraries();
        WinHostStore::Instance().RegisterModule(kSpareLibrary, QV_TEST_MODULE_DIR "/libqvresspare.so");
        own_ = std::make_unique<HeldResourceLibrary>(kOwnResourceLibrary);
        spare_ = LoadLibraryW(kSpareLibrary);
        EXPECT_EQ(own_->Loaded(), 1);
        EXPECT_NE(spare_, nullptr);
    }
    ~SpareLibraries() {
        if (spare_ != nullptr) FreeLibrary(spare_);
    }
    SpareLibraries(const SpareLibraries&) = delete;
    SpareLibraries& operator=(const SpareLibraries&) = delete;
    HMODULE Spare() const { return spare_; }

private:
    std::unique_ptr<HeldResourceLibrary> own_;
    HMODULE spare_ = nullptr;
};

// One page over dialog 400 (or another template of an instance); its window
// exists from Open() until the page is destroyed.
class SparePage {
public:
    SparePage(GUIModel* model, HINSTANCE instance, WORD templateId = kSpareTemplate)
        : page_(std::make_unique<GPropertyPage>(&record_.record, instance, templateId, model, 0, 0)) {}
    ~SparePage() { Close(); }
    SparePage(const SparePage&) = delete;
    SparePage& operator=(const SparePage&) = delete;

    void Add(std::unique_ptr<GWrapper> wrapper) { page_->AddControl(std::move(wrapper)); }
    // Makes the window (WM_INITDIALOG attaches and shows every control).
    HWND Open() {
        window_ = pagetest::OpenPageWindow(record_.record);
        return window_;
    }
    void Close() {
        if (window_ != nullptr) DestroyWindow(window_);
        window_ = nullptr;
    }
    // The page comes to the front again: every control is shown anew.
    void Activate() { pagetest::ActivatePage(window_); }
    HWND Window() const { return window_; }
    GPropertyPage& Page() { return *page_; }
    // Ends the page object (its controls) while the window may stay.
    void DropPage() { page_.reset(); }

private:
    dialogtest::PageRecord record_;
    std::unique_ptr<GPropertyPage> page_;
    HWND window_ = nullptr;
};

} // namespace sparetest
