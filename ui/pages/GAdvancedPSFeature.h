#pragma once
// The job-control and error options of the Advanced PS dialog, 1 meaning
// on: Ctrl-D before the job (577) and after it (578), PJL job commands
// (579), compressed bitmaps (580) and the PostScript error page (581), in
// the order of the dialog's boxes. Its state is the level the rules left
// for sending PJL job commands.
#include <cstddef>

#include "ui/pages/GValueGroupFeature.h"

class GAdvancedPSFeature : public GValueGroupFeature {
public:
    static constexpr size_t kSendPjlPlace = 2;

    explicit GAdvancedPSFeature(GUIModel* model);

    uint16_t GetState() override;
};
