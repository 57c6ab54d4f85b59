// GDevMode: the conversions between a settings tree and the public DEVMODE
// fields, and the validation of public fields against the printer.
#include <algorithm>
#include <optional>

#include "driver/GDevMode.h"
#include "driver/GDriverContext.h"
#include "driver/GSettingValues.h"
#include "model/GChildWalks.h"
#include "model/GRangeAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "paper/GFormToTrayDatabase.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"

using namespace GSettingValues;

namespace {

constexpr uint16_t kCustomPaperId = 16384;
constexpr DWORD kMatchingPresent = DM_MEDIATYPE; // the ICM method travels under this bit
constexpr DWORD kIntentPresent = DM_DITHERTYPE;
constexpr uint16_t kSpecVersion400 = 0x0400;
constexpr uint16_t kSpecVersion401 = 0x0401;

void SetField(DEVMODEW& devmode, DWORD bit, bool present) {
    if (present) {
        devmode.dmFields |= bit;
    } else {
        devmode.dmFields &= ~bit;
    }
}

// Dots at dpi to tenths of a millimetre; 0 for a resolution of 0.
int32_t DotsToTenthsMm(int32_t dots, int32_t dpi) {
    return dpi <= 0 ? 0 : dots * 254 / dpi;
}

int32_t AngleToPortraitOrLandscape(int32_t angle) {
    return angle == 0 || angle == 180 ? 0 : 90;
}

// Sets id under node to value, adding a new value attribute when missing.
void SetOrAdd(MPersistentObject* node, uint32_t id, uint16_t value) {
    if (!Set(node, id, value)) node->Add(new GValueAttribute(value, id));
}

bool ListHoldsValue(MPersistentObject* list, uint16_t wanted) {
    bool found = false;
    GForEachChild(list, [&](MPersistentObject& child) {
        const auto* value = dynamic_cast<const GValueAttribute*>(&child);
        if (value != nullptr && value->GetValue() == wanted) found = true;
    });
    return found;
}

// The resolution node's setting when the node exists, else the tree's.
MPersistentObject* ResolutionScope(MPersistentObject* settings) {
    MPersistentObject* node = settings->FindById(GSettingId::kResolution);
    return node != nullptr ? node : settings;
}

} // namespace

// ---- Settings to public fields ----------------------------------------------

int32_t GDevMode::SettingsToPublic(MPersistentObject* settings, DEVMODEW* devmode) {
    if (settings == nullptr || devmode == nullptr) return 0;
    OrientationToPublic(settings, *devmode);
    PaperToPublic(settings, *devmode);
    const std::optional<int16_t> copies = GetSigned(settings, GSettingId::kCopies);
    SetField(*devmode, DM_COPIES, copies.has_value());
    if (copies) devmode->dmCopies = *copies;
    SourceToPublic(settings, *devmode);
    ResolutionToPublic(settings, *devmode);
    ColourToPublic(settings, *devmode);
    ColourMatchingToPublic(settings, *devmode);
    DuplexToPublic(settings, *devmode);
    CollateToPublic(settings, *devmode);
    return 1;
}

void GDevMode::OrientationToPublic(MPersistentObject* settings, DEVMODEW& devmode) {
    const std::optional<uint16_t> angle = Get(settings, GSettingId::kOrientation);
    SetField(devmode, DM_ORIENTATION, angle.has_value());
    if (!angle) return;
    if (*angle == 0 || *angle == 180) devmode.dmOrientation = DMORIENT_PORTRAIT;
    if (*angle == 90 || *angle == 270) devmode.dmOrientation = DMORIENT_LANDSCAPE;
}

void GDevMode::PaperToPublic(MPersistentObject* settings, DEVMODEW& devmode) {
    const std::optional<uint16_t> paper = Get(settings, GSettingId::kPaper);
    uint16_t dmPaper = 0;
    const bool mapped = paper && context_ != nullptr && context_->PaperIdToDmPaper(*paper, dmPaper) == 1;
    SetField(devmode, DM_PAPERSIZE, mapped);
    if (mapped) devmode.dmPaperSize = static_cast<int16_t>(dmPaper);
    if (!paper) return;
    if (*paper == kCustomPaperId) {
        const std::optional<uint16_t> width = Get(settings, GSettingId::kCustomPaperWidth);
        const std::optional<uint16_t> length = Get(settings, GSettingId::kCustomPaperHeight);
        SetField(devmode, DM_PAPERWIDTH, width.has_value());
        SetField(devmode, DM_PAPERLENGTH, length.has_value());
        if (width) devmode.dmPaperWidth = static_cast<int16_t>(*width);
        if (length) devmode.dmPaperLength = static_cast<int16_t>(*length);
        return;
    }
    if (context_ == nullptr || (context_->GetApplicationFlags() & 0x200) == 0) return;
    GMediaPool* pool = context_->GetMediaPool();
    const int32_t x = Get(settings, GSettingId::kXResolution).value_or(0);
    const int32_t y = Get(settings, GSettingId::kYResolution).value_or(0);
    if (pool == nullptr || x <= 0 || y <= 0) return;
    const auto id = static_cast<int16_t>(context_->MapPaperIdForSettings(settings, *paper));
    const GMedia* media = pool->FindMedia(id, 0, static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    if (media == nullptr) return;
    devmode.dmPaperWidth = static_cast<int16_t>(DotsToTenthsMm(media->GetSize().x, x));
    devmode.dmPaperLength = static_cast<int16_t>(DotsToTenthsMm(media->GetSize().y, y));
    devmode.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
}

void GDevMode::SourceToPublic(MPersistentObject* settings, DEVMODEW& devmode) {
    const std::optional<uint16_t> tray = Get(settings, GSettingId::kPaperSource);
    auto* mappings = context_ == nullptr
                         ? nullptr
                         : dynamic_cast<GResourceMappingList*>(context_->GetResourceMappingList());
    const GResourceMapping* mapping = tray && mappings != nullptr ? mappings->FindBySecond(*tray) : nullptr;
    SetField(devmode, DM_DEFAULTSOURCE, mapping != nullptr);
    if (mapping != nullptr) devmode.dmDefaultSource = static_cast<int16_t>(mapping->GetFirst());
    if (const GStringAttribute* name = FindText(settings, GSettingId::kMediaType)) {
        int16_t bin = 0;
        if (BinFromSourceName(name->GetValue(), bin) != 0) {
            devmode.dmDefaultSource = bin;
            devmode.dmFields |= DM_DEFAULTSOURCE;
        }
    }
}

void GDevMode::ResolutionToPublic(MPersistentObject* settings, DEVMODEW& devmode) {
    const std::optional<int16_t> x = GetSigned(settings, GSettingId::kXResolution);
    const std::optional<int16_t> y = GetSigned(settings, GSettingId::kYResolution);
    if (!x || !y) {
        devmode.dmFields &= ~(DM_PRINTQUALITY | DM_YRESOLUTION);
        return;
    }
    const std::optional<int16_t> mode = GetSigned(settings, GSettingId::kQualityCode);
    if (!mode || *mode > 0) {
        devmode.dmPrintQuality = *x;
        devmode.dmYResolution = *y;
        devmode.dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
        return;
    }
    int16_t quality = 0;
    if (QualityFromResolution(settings, *x, *y, quality) == 0) return;
    devmode.dmPrintQuality = quality;
    devmode.dmYResolution = *y;
    devmode.dmFields |= DM_PRINTQUALITY;
    devmode.dmFields &= ~DM_YRESOLUTION;
}

void GDevMode::ColourToPublic(MPersistentObject* settings, DEVMODEW& devmode) {
    if (!IsNonZero(settings, GSettingId::kColourModeOffered)) {
        devmode.dmColor = DMCOLOR_COLOR;
        devmode.dmFields |= DM_COLOR;
        return;
    }
    const std::optional<uint16_t> mode = Get(settings, GSettingId::kGreyscale);
    if (!mode) {
        devmode.dmFields &= ~DM_COLOR;
        return;
    }
    devmode.dmColor = *mode == 1 || *mode == 3 ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
    const int32_t capability = context_ == nullptr ? 0 : context_->IsColour();
    SetField(devmode, DM_COLOR, capability == 0 || capability == 1);
}

void GDevMode::ColourMatchingToPublic(MPersistentObject* settings, DEVMODEW& devmode) {
    const std::optional<uint16_t> matching = Get(settings, GSettingId::kColourMatching);
    if (!matching) {
        devmode.dmFields &= ~kMatchingPresent;
    } else if (*matching != 1) {
        devmode.dmFields |= kMatchingPresent;
        devmode.dmICMMethod = 1;
    } else {
        const uint16_t method = Get(settings, GSettingId::kColourMatchingMethod).value_or(0);
        if (method == 0) {
            devmode.dmFields |= kMatchingPresent;
            devmode.dmICMMethod = 1;
        } else if (method <= 3) {
            devmode.dmFields |= kMatchingPresent;
            devmode.dmICMMethod = 2;
            devmode.dmICMIntent = 2;
        } else {
            devmode.dmFields &= ~kMatchingPresent;
        }
    }
    const std::optional<uint16_t> intent = Get(settings, GSettingId::kColourMatchingIntent);
    if (!intent || *intent > 3) {
        devmode.dmFields &= ~kMatchingPresent;
        return;
    }
    constexpr DWORD kIntents[] = {2, 1, 3, 4};
    devmode.dmFields |= kIntentPresent;
    devmode.dmICMIntent = kIntents[*intent];
}

void GDevMode::DuplexToPublic(MPersistentObject* settings, DEVMODEW& devmode) {
    const std::optional<uint16_t> duplex = Get(settings, GSettingId::kDuplex);
    SetField(devmode, DM_DUPLEX, duplex.has_value());
    if (!duplex) return;
    if (*duplex == 1) {
        devmode.dmDuplex = devmode.dmOrientation == DMORIENT_PORTRAIT ? DMDUP_HORIZONTAL : DMDUP_VERTICAL;
    } else if (*duplex == 2) {
        devmode.dmDuplex = devmode.dmOrientation == DMORIENT_LANDSCAPE ? DMDUP_HORIZONTAL : DMDUP_VERTICAL;
    } else {
        devmode.dmDuplex = DMDUP_SIMPLEX;
    }
}

void GDevMode::CollateToPublic(MPersistentObject* settings, DEVMODEW& devmode) {
    MPersistentObject* printer = context_ == nullptr ? nullptr : context_->GetPrinter();
    const std::optional<uint16_t> collate = Get(settings, GSettingId::kCollate);
    const bool supported = IsNonZero(printer, GSettingId::kCollationSupported) && collate.has_value();
    SetField(devmode, DM_COLLATE, supported);
    devmode.dmCollate = supported && *collate == 1 ? kCollateTrue : kCollateFalse;
}

// ---- Public fields to settings ----------------------------------------------

int32_t GDevMode::PublicToSettings(const DEVMODEW* devmode, MPersistentObject* settings) {
    if (devmode == nullptr || settings == nullptr) return 0;
    DEVMODEW dm = PublicPartOf(*devmode);
    BringIntoRange(dm, settings);
    if (dm.dmFields & DM_ORIENTATION) OrientationToSettings(dm, settings);
    if (dm.dmFields & DM_DEFAULTSOURCE) SourceToSettings(dm, settings);
    if ((dm.dmFields & DM_PRINTQUALITY) && ((dm.dmFields & DM_YRESOLUTION) || dm.dmPrintQuality < 0))
        ResolutionToSettings(dm, settings);
    if (dm.dmFields & DM_PAPERSIZE) PaperToSettings(dm, settings);
    if (dm.dmFields & DM_COPIES)
        Set(settings, GSettingId::kCopies, static_cast<uint16_t>(dm.dmCopies > 0 ? dm.dmCopies : 1));
    ColourToSettings(dm, settings);
    if (dm.dmFields & DM_DUPLEX) DuplexToSettings(dm, settings);
    CollateToSettings(dm, settings);
    return 1;
}

void GDevMode::OrientationToSettings(const DEVMODEW& dm, MPersistentObject* settings) {
    if (dm.dmOrientation != DMORIENT_PORTRAIT && dm.dmOrientation != DMORIENT_LANDSCAPE) return;
    MPersistentObject* printer = context_ == nullptr ? nullptr : context_->GetPrinter();
    const uint16_t current = Get(settings, GSettingId::kOrientation).value_or(0);
    const bool rotated = current == 180 || current == 270;
    const bool quarterTurns = IsNonZero(printer, GSettingId::kQuarterTurnsAllowed);
    uint16_t wanted = 0;
    uint16_t fallback = 0;
    if (dm.dmOrientation == DMORIENT_PORTRAIT) {
        wanted = rotated || (quarterTurns && (current == 270 || current == 90)) ? 180 : 0;
        fallback = 0;
    } else {
        wanted = rotated || (quarterTurns && (current == 180 || current == 0)) ? 270 : 90;
        fallback = 90;
    }
    MPersistentObject* allowed = printer == nullptr ? nullptr : printer->FindById(GSettingId::kOrientations);
    if (ListHoldsValue(allowed, wanted)) {
        Set(settings, GSettingId::kOrientation, wanted);
    } else if (ListHoldsValue(allowed, fallback)) {
        Set(settings, GSettingId::kOrientation, fallback);
    }
}

void GDevMode::SourceToSettings(const DEVMODEW& dm, MPersistentObject* settings) {
    auto* mappings = context_ == nullptr
                         ? nullptr
                         : dynamic_cast<GResourceMappingList*>(context_->GetResourceMappingList());
    const GResourceMapping* mapping =
        mappings == nullptr ? nullptr : mappings->FindByFirst(static_cast<uint16_t>(dm.dmDefaultSource));
    if (mapping != nullptr) {
        Set(settings, GSettingId::kPaperSource, static_cast<uint16_t>(mapping->GetSecond()));
        return;
    }
    RWCString name;
    GStringAttribute* source = FindText(settings, GSettingId::kMediaType);
    if (source != nullptr && SourceNameFromBin(settings, dm.dmDefaultSource, name) != 0)
        source->SetValue(name);
}

void GDevMode::ResolutionToSettings(const DEVMODEW& dm, MPersistentObject* settings) {
    MPersistentObject* scope = ResolutionScope(settings);
    const int32_t currentX = GetSigned(scope, GSettingId::kXResolution).value_or(0);
    const int32_t currentY = GetSigned(scope, GSettingId::kYResolution).value_or(0);
    int32_t x = currentX;
    int32_t y = currentY;
    if (dm.dmPrintQuality < 0) {
        int32_t variant = 0;
        if (ResolutionFromQuality(settings, dm.dmPrintQuality, x, y, variant) == 0) {
            x = currentX;
            y = currentY;
        }
    } else {
        if (context_ != nullptr && context_->AcceptsResolution(dm.dmPrintQuality, dm.dmYResolution) != 0) {
            x = dm.dmPrintQuality;
            y = dm.dmYResolution;
        }
        if (Find(scope, GSettingId::kQualityCode) != nullptr) {
            int16_t quality = 0;
            if (QualityFromResolution(settings, x, y, quality) == 0) {
                x = currentX;
                y = currentY;
                if (QualityFromResolution(settings, x, y, quality) == 0) quality = dm.dmPrintQuality;
            }
            Set(scope, GSettingId::kQualityCode, static_cast<uint16_t>(quality));
        }
    }
    Set(scope, GSettingId::kXResolution, static_cast<uint16_t>(x));
    Set(scope, GSettingId::kYResolution, static_cast<uint16_t>(y));

    // The variant and extra word follow the printer's entry for (x, y).
    MPersistentObject* printer = context_ == nullptr ? nullptr : context_->GetPrinter();
    MPersistentObject* entries = printer == nullptr ? nullptr : printer->FindById(GSettingId::kResolutions);
    const std::optional<uint16_t> variant = Get(scope, GSettingId::kBitsPerPixel);
    const std::optional<uint16_t> extra = Get(scope, GSettingId::kFineResolutionDetail);
    bool variantListed = false;
    bool extraListed = false;
    uint16_t lastVariant = 1;
    uint16_t lastExtra = 0;
    GForEachChild(entries, [&](MPersistentObject& entry) {
        if (GetSigned(&entry, GSettingId::kXResolution) != x ||
            GetSigned(&entry, GSettingId::kYResolution) != y)
            return;
        const std::optional<uint16_t> entryVariant = Get(&entry, GSettingId::kBitsPerPixel);
        const std::optional<uint16_t> entryExtra = Get(&entry, GSettingId::kFineResolutionDetail);
        variantListed = variantListed || (variant && entryVariant == variant);
        extraListed = extraListed || (extra && entryExtra == extra);
        lastVariant = entryVariant.value_or(lastVariant);
        lastExtra = entryExtra.value_or(lastExtra);
    });
    if (!variantListed) Set(scope, GSettingId::kBitsPerPixel, lastVariant);
    if (!extraListed) Set(scope, GSettingId::kFineResolutionDetail, lastExtra);
}

void GDevMode::PaperToSettings(const DEVMODEW& dm, MPersistentObject* settings) {
    if (context_ == nullptr) return;
    uint16_t paper = 0;
    if (context_->DmPaperToPaperId(dm.dmPaperSize, paper) != 1) {
        paper = static_cast<uint16_t>(context_->GetDefaultPaperId());
    }
    Set(settings, GSettingId::kPaper, paper);
    if (paper != kCustomPaperId) return;

    const int32_t x = GetXResolution();
    const int32_t y = GetYResolution();
    std::optional<int32_t> width;
    std::optional<int32_t> length;
    if (dm.dmFields & DM_PAPERWIDTH) {
        width = dm.dmPaperWidth;
        length = dm.dmPaperLength;
        // Within the printer's smallest and largest custom sizes.
        if (GMediaPool* custom = context_->FindPrinterSetting189()) {
            const auto ux = static_cast<uint16_t>(x);
            const auto uy = static_cast<uint16_t>(y);
            if (const GMedia* minimum = custom->FindMedia(GMediaPool::kSmallestSheet, 0, ux, uy)) {
                width = std::max(*width, DotsToTenthsMm(minimum->GetSize().x, x));
                length = std::max(*length, DotsToTenthsMm(minimum->GetSize().y, y));
            }
            if (const GMedia* maximum = custom->FindMedia(GMediaPool::kLargestSheet, 0, ux, uy)) {
                width = std::min(*width, DotsToTenthsMm(maximum->GetSize().x, x));
                length = std::min(*length, DotsToTenthsMm(maximum->GetSize().y, y));
            }
        }
    } else if (GMediaPool* pool = context_->GetMediaPool()) {
        const auto id =
            static_cast<int16_t>(context_->MapPaperIdForSettings(settings, context_->GetDefaultPaperId()));
        const int32_t angle = Get(settings, GSettingId::kOrientation).value_or(0);
        if (const GMedia* media =
                pool->FindMedia(id, angle, static_cast<uint16_t>(x), static_cast<uint16_t>(y))) {
            width = DotsToTenthsMm(media->GetSize().x, x);
            length = DotsToTenthsMm(media->GetSize().y, y);
        }
    }
    if (width) SetOrAdd(settings, GSettingId::kCustomPaperWidth, static_cast<uint16_t>(std::max(*width, 0)));
    if (length)
        SetOrAdd(settings, GSettingId::kCustomPaperHeight, static_cast<uint16_t>(std::max(*length, 0)));
}

void GDevMode::ColourToSettings(const DEVMODEW& dm, MPersistentObject* settings) {
    const int32_t capability = context_ == nullptr ? 0 : context_->IsColour();
    if ((dm.dmFields & DM_COLOR) && Get(settings, GSettingId::kColourModeOffered) == 1 &&
        Find(settings, GSettingId::kGreyscale) != nullptr) {
        if (dm.dmColor == DMCOLOR_MONOCHROME) Set(settings, GSettingId::kGreyscale, capability == 2 ? 3 : 1);
        if (dm.dmColor == DMCOLOR_COLOR)
            Set(settings, GSettingId::kGreyscale, capability == 1 ? 0 : capability == 0 ? 1 : 3);
    }
    const bool matching = Get(settings, GSettingId::kColourMatching) == 1;
    if ((dm.dmFields & kMatchingPresent) && matching &&
        Find(settings, GSettingId::kColourMatchingMethod) != nullptr) {
        const bool perceptual = dm.dmICMMethod >= 2 && dm.dmICMMethod <= 4;
        Set(settings, GSettingId::kColourMatchingMethod, perceptual ? 1 : 0);
    }
    if ((dm.dmFields & kIntentPresent) && matching &&
        Find(settings, GSettingId::kColourMatchingIntent) != nullptr) {
        constexpr uint16_t kIntents[] = {0, 1, 0, 2, 3}; // by dmICMIntent 0..4
        Set(settings, GSettingId::kColourMatchingIntent, dm.dmICMIntent <= 4 ? kIntents[dm.dmICMIntent] : 0);
    }
}

void GDevMode::DuplexToSettings(const DEVMODEW& dm, MPersistentObject* settings) {
    const uint16_t angle = Get(settings, GSettingId::kOrientation).value_or(0);
    const bool upright = angle == 0 || angle == 180;
    uint16_t duplex = 0;
    if (dm.dmDuplex == DMDUP_VERTICAL) duplex = upright ? 2 : 1;
    if (dm.dmDuplex == DMDUP_HORIZONTAL) duplex = upright ? 1 : 2;
    Set(settings, GSettingId::kDuplex, duplex);
    const std::optional<uint16_t> booklet = Get(settings, GSettingId::kSymmetricMarginsWithDuplex);
    if (duplex != 0 && booklet) Set(settings, GSettingId::kSymmetricDuplexMargins, *booklet == 1 ? 1 : 0);
}

void GDevMode::CollateToSettings(const DEVMODEW& dm, MPersistentObject* settings) {
    MPersistentObject* printer = context_ == nullptr ? nullptr : context_->GetPrinter();
    if ((dm.dmFields & DM_COLLATE) == 0 || dm.dmCollate == kCollateFalse) {
        Set(settings, GSettingId::kCollate, 0);
    } else if (dm.dmCollate == kCollateTrue) {
        Set(settings, GSettingId::kCollate, IsNonZero(printer, GSettingId::kCollationSupported) ? 1 : 0);
    }
}

// ---- Validation ---------------------------------------------------------------

int32_t GDevMode::ValidatePublic(const DEVMODEW* devmode, int32_t checkAll, uint32_t* badFields) {
    uint32_t ignored = 0;
    uint32_t& bad = badFields != nullptr ? *badFields : ignored;
    bad = 0;
    if (devmode == nullptr) return 0;
    const DEVMODEW dm = PublicPartOf(*devmode);
    if (dm.dmSpecVersion < GDevModeImage::kOldestSpecVersion || dm.dmSize < 68) return 0;

    using Check = uint32_t (GDevMode::*)(const DEVMODEW&);
    constexpr Check kChecks[] = {
        &GDevMode::CheckOrientation, &GDevMode::CheckResolution, &GDevMode::CheckPaperDimensions,
        &GDevMode::CheckPaperSize,   &GDevMode::CheckSource,     &GDevMode::CheckCopies,
        &GDevMode::CheckColour,      &GDevMode::CheckDuplex,     &GDevMode::CheckCollateAndForm};
    int32_t result = 1;
    for (const Check check : kChecks) {
        const uint32_t bits = (this->*check)(dm);
        if (bits == 0) continue;
        result = 0;
        bad |= bits;
        if (checkAll != 1) break; // after the first bad field only when asked
    }
    return result;
}

uint32_t GDevMode::CheckOrientation(const DEVMODEW& dm) {
    const bool known = dm.dmOrientation == DMORIENT_PORTRAIT || dm.dmOrientation == DMORIENT_LANDSCAPE;
    return (dm.dmFields & DM_ORIENTATION) && !known ? DM_ORIENTATION : 0;
}

uint32_t GDevMode::CheckColour(const DEVMODEW& dm) {
    const bool known = dm.dmColor == DMCOLOR_MONOCHROME || dm.dmColor == DMCOLOR_COLOR;
    return (dm.dmFields & DM_COLOR) && !known ? DM_COLOR : 0;
}

uint32_t GDevMode::CheckResolution(const DEVMODEW& dm) {
    if ((dm.dmFields & DM_PRINTQUALITY) == 0) return 0;
    if (dm.dmPrintQuality <= 0 || (dm.dmFields & DM_YRESOLUTION) == 0) {
        int32_t x = 0;
        int32_t y = 0;
        int32_t variant = 0;
        // No tree: a validation must not apply a preset's settings.
        if (ResolutionFromQuality(nullptr, dm.dmPrintQuality, x, y, variant) != 0) return 0;
        return dm.dmFields & (DM_PRINTQUALITY | DM_YRESOLUTION);
    }
    const bool accepted =
        context_ != nullptr && context_->AcceptsResolution(dm.dmPrintQuality, dm.dmYResolution) != 0;
    return accepted ? 0 : DM_PRINTQUALITY | DM_YRESOLUTION;
}

uint32_t GDevMode::CheckPaperDimensions(const DEVMODEW& dm) {
    if ((dm.dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH)) == 0) return 0;
    int32_t minWidth = 0;
    int32_t minLength = 0;
    int32_t maxWidth = 32767;
    int32_t maxLength = 32767;
    GMediaPool* custom = context_ == nullptr ? nullptr : context_->FindPrinterSetting189();
    const int32_t x = GetXResolution();
    const int32_t y = GetYResolution();
    if (custom != nullptr) {
        const auto ux = static_cast<uint16_t>(x);
        const auto uy = static_cast<uint16_t>(y);
        if (const GMedia* minimum = custom->FindMedia(GMediaPool::kSmallestSheet, 0, ux, uy)) {
            minWidth = DotsToTenthsMm(minimum->GetSize().x, x);
            minLength = DotsToTenthsMm(minimum->GetSize().y, y);
        }
        if (const GMedia* maximum = custom->FindMedia(GMediaPool::kLargestSheet, 0, ux, uy)) {
            maxWidth = DotsToTenthsMm(maximum->GetSize().x, x);
            maxLength = DotsToTenthsMm(maximum->GetSize().y, y);
        }
    }
    uint32_t bits = 0;
    if (dm.dmPaperWidth < minWidth || dm.dmPaperWidth > maxWidth) bits |= DM_PAPERWIDTH;
    if (dm.dmPaperLength < minLength || dm.dmPaperLength > maxLength) bits |= DM_PAPERLENGTH;
    return bits;
}

uint32_t GDevMode::CheckPaperSize(const DEVMODEW& dm) {
    if ((dm.dmFields & DM_PAPERSIZE) == 0) return 0;
    if (context_ == nullptr) return DM_PAPERSIZE;
    const int32_t orientation = dm.dmOrientation == DMORIENT_PORTRAIT ? 0 : 90;
    const int32_t x = GetXResolution();
    const int32_t y = GetYResolution();
    if (context_->AcceptsPaper(orientation, x, y, 1, dm.dmPaperSize) == 1) return 0;
    MPersistentObject* printer = context_->GetPrinter();
    if (IsNonZero(printer, GSettingId::kRelaxedPaperCheck) &&
        context_->AcceptsPaper(orientation, x, y, 0, dm.dmPaperSize) == 1)
        return 0;
    return DM_PAPERSIZE;
}

uint32_t GDevMode::CheckSource(const DEVMODEW& dm) {
    if ((dm.dmFields & DM_DEFAULTSOURCE) == 0) return 0;
    MPersistentObject* printer = context_ == nullptr ? nullptr : context_->GetPrinter();
    auto* forms = printer == nullptr
                      ? nullptr
                      : dynamic_cast<GFormToTrayDatabase*>(printer->FindById(GSettingId::kFormToTray));
    if (forms != nullptr && forms->HasAssignments() != 0) {
        return dm.dmDefaultSource == DMBIN_FORMSOURCE ? 0 : DM_DEFAULTSOURCE;
    }
    const bool known = dm.dmDefaultSource != DMBIN_FORMSOURCE && context_ != nullptr &&
                       context_->AcceptsBin(dm.dmDefaultSource) != 0;
    return known ? 0 : DM_DEFAULTSOURCE;
}

uint32_t GDevMode::CheckCopies(const DEVMODEW& dm) {
    if ((dm.dmFields & DM_COPIES) == 0) return 0;
    MPersistentObject* printer = context_ == nullptr ? nullptr : context_->GetPrinter();
    auto* range = printer == nullptr
                      ? nullptr
                      : dynamic_cast<GRangeAttribute*>(printer->FindById(GSettingId::kCopiesRange));
    return range != nullptr && !range->Contains(dm.dmCopies) ? DM_COPIES : 0;
}

uint32_t GDevMode::CheckDuplex(const DEVMODEW& dm) {
    if ((dm.dmFields & DM_DUPLEX) == 0) return 0;
    const SHORT ownOrientation = image_.dm.dmOrientation;
    int16_t value = 0;
    switch (dm.dmDuplex) {
    case DMDUP_SIMPLEX:
        value = 0;
        break;
    case DMDUP_VERTICAL:
        value = ownOrientation == DMORIENT_PORTRAIT ? 2 : 1;
        break;
    case DMDUP_HORIZONTAL:
        value = ownOrientation == DMORIENT_LANDSCAPE ? 2 : 1;
        break;
    default:
        return DM_DUPLEX;
    }
    MPersistentObject* printer = context_ == nullptr ? nullptr : context_->GetPrinter();
    auto* range = printer == nullptr
                      ? nullptr
                      : dynamic_cast<GRangeAttribute*>(printer->FindById(GSettingId::kDuplexRange));
    return range != nullptr && !range->Contains(value) ? DM_DUPLEX : 0;
}

uint32_t GDevMode::CheckCollateAndForm(const DEVMODEW& dm) {
    if (dm.dmSize < GDevModeImage::kPublicSize ||
        (dm.dmSpecVersion != kSpecVersion400 && dm.dmSpecVersion != kSpecVersion401))
        return 0;
    uint32_t bits = 0;
    if ((dm.dmFields & DM_COLLATE) && dm.dmCollate != kCollateFalse) {
        MPersistentObject* printer = context_ == nullptr ? nullptr : context_->GetPrinter();
        if (dm.dmCollate != kCollateTrue || !IsNonZero(printer, GSettingId::kCollationSupported))
            bits |= DM_COLLATE;
    }
    if ((dm.dmFields & DM_FORMNAME) &&
        IsKnownFormName(
            dm.dmFormName, GetXResolution(), GetYResolution(),
            AngleToPortraitOrLandscape(GetSigned(settings_.get(), GSettingId::kOrientation).value_or(0)),
            0) == 0)
        bits |= DM_FORMNAME;
    return bits;
}
