#pragma once
// "Display Job ID when printing" (1033). The user's last choice is kept
// outside the settings, as the local job storage of the printer under the
// user's registry key; the first read of each feature takes it over: no
// local job storage (0 or no value) shows the job ID (1), local job
// storage does not (0). Later reads answer 1033 as it stands.
#include "ui/framework/GValueFeature.h"

class GDisplayJobIdFeature : public GValueFeature {
public:
    explicit GDisplayJobIdFeature(GUIModel* model);

    int16_t GetValue() override;

private:
    bool loaded_ = false;
};
