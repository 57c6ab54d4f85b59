#include "paper/GCustomMedia.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GDots.h"
#include "paper/GMarginPool.h"
#include "paper/GMedia.h"
#include "paper/GPaperUnits.h"

namespace {

struct Margins {
    uint32_t unit = kPaperUnitMicrometre;
    GSizePair nearSide; // left, top
    GSizePair farSide;  // right, bottom
};

// The 16-bit value of the value attribute with id inside node, if any.
std::optional<uint16_t> ValueIn(MPersistentObject* node, uint32_t id) {
    if (node == nullptr) {
        return std::nullopt;
    }
    const auto* value = dynamic_cast<const GValueAttribute*>(node->FindById(id));
    if (value == nullptr) {
        return std::nullopt;
    }
    return value->GetValue();
}

// The group of the pool's first record for orientation, if any.
bool MarginsFromPool(const GMarginPool& pool, int32_t orientation, Margins& margins) {
    const GMarginRecord* record = pool.GetRecord(0);
    if (record == nullptr || orientation < 0 || orientation > 270 || orientation % 90 != 0) {
        return false;
    }
    const size_t group = static_cast<size_t>(orientation / 90) * 4;
    margins.unit = kPaperUnitMicrometre;
    margins.nearSide = {(*record)[group], (*record)[group + 1]};
    margins.farSide = {(*record)[group + 2], (*record)[group + 3]};
    return true;
}

// A stored margin is signed; a negative one would put the printable area
// off the sheet.
uint32_t NonNegative(uint16_t stored) {
    return static_cast<uint32_t>(std::max<int16_t>(static_cast<int16_t>(stored), 0));
}

bool MarginsFromNode(MPersistentObject* node, Margins& margins) {
    const std::optional<uint16_t> left = ValueIn(node, GSettingId::kCustomMarginLeft);
    const std::optional<uint16_t> top = ValueIn(node, GSettingId::kCustomMarginTop);
    const std::optional<uint16_t> right = ValueIn(node, GSettingId::kCustomMarginRight);
    const std::optional<uint16_t> bottom = ValueIn(node, GSettingId::kCustomMarginBottom);
    if (!left || !top || !right || !bottom) {
        return false;
    }
    margins.unit = kPaperUnitTenThousandthInch;
    margins.nearSide = {NonNegative(*left), NonNegative(*top)};
    margins.farSide = {NonNegative(*right), NonNegative(*bottom)};
    return true;
}

Margins FindMargins(MPersistentObject* source, int32_t orientation) {
    Margins margins;
    if (source == nullptr) {
        return margins;
    }
    // A pool present decides alone, even when it gives no margins.
    if (const auto* pool =
            dynamic_cast<const GMarginPool*>(source->FindById(GSettingId::kCustomSizeMarginPool))) {
        if (!MarginsFromPool(*pool, orientation, margins)) {
            margins = Margins{};
        }
        return margins;
    }
    if (!MarginsFromNode(source->FindById(GSettingId::kCustomMargins), margins)) {
        margins = Margins{};
    }
    return margins;
}

GShortPair ToLengths(const GSizePair& dots) {
    return {GClampToLength(dots.x), GClampToLength(dots.y)};
}

int32_t OrientationIn(MPersistentObject* settings) {
    return static_cast<int16_t>(ValueIn(settings, GSettingId::kOrientation).value_or(0));
}

} // namespace

std::unique_ptr<GMedia> MakeCustomMedia(const GCustomMediaSize& custom, MPersistentObject* marginSource,
                                        uint16_t xResolution, uint16_t yResolution, int32_t orientation) {
    if (xResolution == 0 || yResolution == 0) {
        return nullptr;
    }
    const Margins margins = FindMargins(marginSource, orientation);

    GSizePair sheetDots;
    custom.GetSizeInDots(sheetDots, xResolution, yResolution);
    if (orientation == 90 || orientation == 270) {
        std::swap(sheetDots.x, sheetDots.y);
    }
    const GShortPair sheet = ToLengths(sheetDots);
    const GShortPair origin =
        ToLengths(PaperSizeToDots(margins.unit, margins.nearSide, xResolution, yResolution));
    const GShortPair far =
        ToLengths(PaperSizeToDots(margins.unit, margins.farSide, xResolution, yResolution));
    const GShortPair imageable{GClampToLength(int64_t{sheet.x} - far.x - origin.x),
                               GClampToLength(int64_t{sheet.y} - far.y - origin.y)};

    return std::make_unique<GMedia>(custom.GetName(), sheet, imageable, origin, orientation,
                                    static_cast<int16_t>(custom.GetPaperId()), xResolution, yResolution);
}

std::unique_ptr<GMedia> MakeCustomMediaWithOrientation(const GCustomMediaSize& custom,
                                                       MPersistentObject* settings,
                                                       MPersistentObject* marginSource, uint16_t xResolution,
                                                       uint16_t yResolution) {
    return MakeCustomMedia(custom, marginSource, xResolution, yResolution, OrientationIn(settings));
}

std::unique_ptr<GMedia> MakeCustomMediaFromSettings(const GCustomMediaSize& custom,
                                                    MPersistentObject* settings,
                                                    MPersistentObject* marginSource) {
    MPersistentObject* resolution =
        settings != nullptr ? settings->FindById(GSettingId::kResolution) : nullptr;
    const std::optional<uint16_t> x = ValueIn(resolution, GSettingId::kXResolution);
    const std::optional<uint16_t> y = ValueIn(resolution, GSettingId::kYResolution);
    if (!x || !y) {
        return nullptr;
    }
    return MakeCustomMedia(custom, marginSource, *x, *y, OrientationIn(settings));
}
