#pragma once
// One user-defined paper size (class 775, "GCustomMediaSize"): a paper id in
// the custom range 16384 to 17383, a name, and a width and height in one of
// the four units of device/GPaperUnits.h. Turned into a media at a given
// resolution and orientation by MakeCustomMedia (device/GCustomMedia.h).
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (1), i16 paper id, name (as the class library saves a narrow
//   string), i32 unit, u32 width, u32 height
// Another version reads nothing more.
#include <cstdint>

#include "model/GAttribute.h"
#include "model/MPersistentClass.h"
#include "paper/GPair.h"
#include "rw/RWCString.h"
#include "rw/RWCarrier.h"

class GCustomMediaSize : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GCustomMediaSize, GAttribute, 775)
    RW_DECLARE_GUTS()

public:
    static constexpr uint16_t kFirstCustomPaperId = 16384;
    static constexpr uint16_t kLastCustomPaperId = 17383;

    // Paper id 0, empty name, unit 0, size 0 by 0.
    explicit GCustomMediaSize(uint32_t id = 0);
    // Every field as given.
    GCustomMediaSize(uint16_t paperId, const RWCString& name, uint32_t unit, uint32_t width, uint32_t height,
                     uint32_t id = 0);
    // From a size in dots: width := widthDots × 100 / x resolution (1/100
    // inch, the remainder dropped), the same for the height, then
    // SetUnit(unit). A resolution of 0 gives a length of 0 on its axis.
    GCustomMediaSize(uint16_t paperId, const RWCString& name, uint16_t xResolution, uint16_t yResolution,
                     uint32_t unit, uint32_t widthDots, uint32_t heightDots, uint32_t id = 0);
    GCustomMediaSize(const GCustomMediaSize& other) = default;
    GCustomMediaSize& operator=(const GCustomMediaSize& other) = default;
    ~GCustomMediaSize() override;

    // GAttribute + 22 + the name's length.
    uint32_t BinaryStoreSize() const override;

    // The same object; or the same class, id, paper id and name, and equal
    // sizes: as stored in the same unit, else compared in 1/1000 mm.
    bool IsEqualId(const MPersistentObject* other) const override;
    // No device takes a custom size: status 0.
    uint16_t Apply(GPeripheral& device) override;

    void SetPaperId(uint16_t paperId) { paperId_ = paperId; }
    void SetName(const RWCString& name) { name_ = name; }
    // In the current unit, nothing converted.
    void SetSize(uint32_t width, uint32_t height) { size_ = {width, height}; }
    void SetSize(const GSizePair& size) { size_ = size; }
    // All three stored as given.
    void Set(uint32_t unit, uint32_t width, uint32_t height);
    void Set(uint32_t unit, const GSizePair& size);
    // Converts the size into unit and keeps it in that unit.
    void SetUnit(uint32_t unit);

    uint16_t GetPaperId() const { return paperId_; }
    const RWCString& GetName() const { return name_; }
    uint32_t GetUnit() const { return unit_; }
    void GetSize(GSizePair& size) const { size = size_; }
    // The size in unit (ConvertPaperUnits).
    void GetSizeInUnit(GSizePair& size, uint32_t unit) const;
    // The size in dots at the given resolutions (PaperSizeToDots).
    void GetSizeInDots(GSizePair& size, uint16_t xResolution, uint16_t yResolution) const;

private:
    uint16_t paperId_ = 0;
    RWCString name_;
    uint32_t unit_ = 0;
    GSizePair size_;
};
