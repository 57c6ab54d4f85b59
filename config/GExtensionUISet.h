#pragma once
// The user-interface extension modules of one property sheet: the modules
// named under attribute 63 of the sheet's settings (the system's own module
// among them), loaded in name order, asked for their pages through
// UI_INITIALIZE and ended through UI_DESTROY. The pages go into the
// GUIData: page records of 40 bytes, each with a PageLink.
//
// Modules load on the first operation and stay loaded until Destroy or the
// set's destruction (which releases them without UI_DESTROY).
#include <cstdint>
#include <memory>
#include <vector>

#include "config/GExtensionUIManager.h"
#include "winapi/WinTypes.h"

struct GUIData;

class GExtensionUISet {
public:
    GExtensionUISet() = default;
    virtual ~GExtensionUISet();
    GExtensionUISet(const GExtensionUISet&) = delete;
    GExtensionUISet& operator=(const GExtensionUISet&) = delete;

    // Releases the modules held, then loads those the block's settings
    // name; the number loaded.
    uint32_t Load(GUIData* data);
    // Every module counts its pages (UI_INITIALIZE with no pages), then the
    // records are made and every module fills its share; a module whose
    // pages would not fit is destroyed at once. The number of pages filled
    // (0: no pages).
    int16_t AddPages(GUIData* data);
    // One page record; UI_INITIALIZE (data, mode) on the first module
    // only. 1.
    int16_t InitializeFirst(GUIData* data, uint16_t mode);
    // UI_DESTROY on every module, the page records freed, the modules
    // released. A null block does nothing.
    void Destroy(GUIData* data);
    uint32_t GetModuleCount() const { return static_cast<uint32_t>(modules_.size()); }

private:
    void LoadWhenNeeded(GUIData* data);
    // count zeroed records of 40 bytes, each with a new PageLink.
    static void MakePages(GUIData* data, uint16_t count);
    static void FreePages(GUIData* data);

    std::vector<std::unique_ptr<GExtensionUIManager>> modules_;
};
