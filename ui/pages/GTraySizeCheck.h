#pragma once
// Whether some tray of the printer feeds a paper size, from the defaults of
// the UI model: the tray-size table (978; its entries' first word is a tray
// id, their values paper ids) read for the trays of the paper-handling
// units (90). The paper-size list leaves out sizes that no tray feeds.
#include <cstdint>

class GUIModel;
class MPersistentObject;

class GTraySizeCheck {
public:
    explicit GTraySizeCheck(GUIModel* model) : model_(model) {}

    // 1 when there is no tray-size table (every size is listed); 0 without
    // paper-handling units; else 1 when an entry of a tray of a unit holds
    // the paper id. A custom size passes at the first entry of a tray.
    int32_t IsSizeInSomeTray(uint16_t paperId) const;
    // The same over the strict table (979), where custom sizes have no pass.
    int32_t IsSizeInSomeTrayStrict(uint16_t paperId) const;

private:
    int32_t Check(uint32_t tableId, uint16_t paperId, bool customPasses) const;
    bool TrayFeeds(MPersistentObject& table, int16_t trayId, uint16_t paperId, bool customPasses) const;

    GUIModel* model_;
};
