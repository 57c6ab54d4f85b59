#pragma once
// Builds the paper model of a printer description (device/):
//
//   media-pool ID {                       a GMediaPool: one GMedia per paper,
//     resolutions 600 1200x1200 ...       orientation and resolution, in that
//     orientations 0 90 180 270           order; sizes in dots at the media's
//     margins L T R B                     resolution, rounded half up
//     paper PAPER-ID "name" W H [margins L T R B | imageable W H at L T]
//   }
//   media ID PAPER-ID "name" W H [margins ... | imageable ...]
//         [resolution 600] [orientation 0]   one GMedia
//   margin-pool ID L T R B                a GMarginPool record (1/1000 mm)
//   form-to-tray ID                       an empty GFormToTrayDatabase
//   custom-size ID PAPER-ID "name" W H    a GCustomMediaSize in 1/1000 mm
//   device ID "name" input|output fixed|optional [installed] [identify N]
//          [keyed] [display STRING-ID "text1" "text2"] {
//     set KEY [current] { tray ... | bin ... }
//   }
//   tray ID BIN-ID "name" [capacity N] [display STRING-ID "text1" "text2"]
//   bin ID BIN-ID "name" [capacity N] [delivery K] [display ...]
//
// Lengths carry their unit (in, mm, pt, um). Margins and imageable areas are
// given for the portrait sheet; for the other orientations the sheet turns
// counter-clockwise: at 90 degrees its top margin becomes the left one (left,
// top, right, bottom = top, right, bottom, left), at 180 the margins swap
// sides, at 270 the left margin becomes the top one. A tray's capacity is
// also its expected capacity (its first extra word), which installed-options
// discovery compares with the capacity the printer reports.
//
// Refused, with the statement's line: an imageable area larger than its
// paper, margins that leave no imageable area, a size that does not fit the
// media's 16-bit dots, a paper before the pool's resolutions and
// orientations, an orientation other than 0, 90, 180 or 270, a tray in an
// output unit or a bin in an input unit, a set key used twice.
#include <cstdint>
#include <string>

#include "model/GCountedPtr.h"
#include "tools/printerdesc/DescriptionStatement.h"

class DescriptionArguments;
class GPaperHandlingDevice;

class PaperModelBuilder {
public:
    // True for the kinds this builder makes.
    static bool Makes(const std::string& kind);
    static GCountedPtr Make(const DescriptionStatement& statement);

private:
    struct DisplayText {
        uint16_t displayId = 0;
        std::string displayText1;
        std::string displayText2;
    };
    struct DeviceOptions {
        bool input = true;
        uint32_t optional = 0;
        uint32_t installed = 0;
        int32_t identify = 0;
        int32_t keyed = 0;
        DisplayText display;
    };

    static GCountedPtr Media(const DescriptionStatement& statement);
    static GCountedPtr MediaPool(const DescriptionStatement& statement);
    static GCountedPtr MarginPool(const DescriptionStatement& statement);
    static GCountedPtr FormToTray(const DescriptionStatement& statement);
    static GCountedPtr CustomSize(const DescriptionStatement& statement);
    static GCountedPtr Device(const DescriptionStatement& statement);
    static GCountedPtr Holder(const DescriptionStatement& statement);
    static DeviceOptions ReadDeviceOptions(const DescriptionArguments& arguments);
    static void AddSets(GPaperHandlingDevice& device, const DescriptionStatement& statement, bool input);
};
