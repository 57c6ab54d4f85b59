// GDevMode: the public fields of an incoming DEVMODE brought into the
// printer's range before they are merged into the settings, so that the
// DEVMODE written from them passes the driver's own validation.
//
// Only a field the validation refuses is touched:
// - copies: clamped to the printer's copies range (setting 199);
// - duplex: simplex;
// - paper: the printer's default paper;
// - orientation, resolution, source and colour: left out of the merge, so
//   the settings keep the value they hold.
// A repaired field the validation still refuses is left out as well. Custom
// paper sizes and collation need nothing here: the merge keeps them within
// the printer's limits.
#include <algorithm>

#include "driver/GDevMode.h"
#include "driver/GDriverContext.h"
#include "driver/GSettingValues.h"
#include "model/GRangeAttribute.h"
#include "model/GSettingIds.h"

namespace {

// The DEVMODE orientation of the settings' angle.
SHORT OrientationOfSettings(MPersistentObject* settings) {
    const uint16_t angle = GSettingValues::Get(settings, GSettingId::kOrientation).value_or(0);
    return angle == 90 || angle == 270 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

} // namespace

void GDevMode::BringIntoRange(DEVMODEW& dm, MPersistentObject* settings) {
    if (CheckOrientation(dm) != 0) dm.dmFields &= ~DM_ORIENTATION;
    // The paper is checked at the orientation the merge leaves.
    if ((dm.dmFields & DM_ORIENTATION) == 0) dm.dmOrientation = OrientationOfSettings(settings);

    using Check = uint32_t (GDevMode::*)(const DEVMODEW&);
    using Repair = void (GDevMode::*)(DEVMODEW&);
    struct Field {
        Check check;
        Repair repair; // null: the field is left out
        DWORD bits;
    };
    constexpr Field kFields[] = {
        {&GDevMode::CheckResolution, nullptr, DM_PRINTQUALITY | DM_YRESOLUTION},
        {&GDevMode::CheckPaperSize, &GDevMode::UseDefaultPaper, DM_PAPERSIZE},
        {&GDevMode::CheckSource, nullptr, DM_DEFAULTSOURCE},
        {&GDevMode::CheckCopies, &GDevMode::ClampCopies, DM_COPIES},
        {&GDevMode::CheckColour, nullptr, DM_COLOR},
        {&GDevMode::CheckDuplex, &GDevMode::UseSimplex, DM_DUPLEX},
    };
    for (const Field& field : kFields) {
        if ((this->*field.check)(dm) == 0) continue;
        if (field.repair != nullptr) (this->*field.repair)(dm);
        if (field.repair == nullptr || (this->*field.check)(dm) != 0) dm.dmFields &= ~field.bits;
    }
}

void GDevMode::UseDefaultPaper(DEVMODEW& dm) {
    uint16_t paper = 0;
    if (context_ != nullptr && context_->PaperIdToDmPaper(context_->GetDefaultPaperId(), paper) == 1)
        dm.dmPaperSize = static_cast<SHORT>(paper);
}

void GDevMode::ClampCopies(DEVMODEW& dm) {
    MPersistentObject* printer = context_ == nullptr ? nullptr : context_->GetPrinter();
    const auto* range =
        printer == nullptr
            ? nullptr
            : dynamic_cast<const GRangeAttribute*>(printer->FindById(GSettingId::kCopiesRange));
    if (range != nullptr && range->GetMin() <= range->GetMax())
        dm.dmCopies = std::clamp<SHORT>(dm.dmCopies, range->GetMin(), range->GetMax());
}

void GDevMode::UseSimplex(DEVMODEW& dm) {
    dm.dmDuplex = DMDUP_SIMPLEX;
}
