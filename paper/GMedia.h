#pragma once
// One paper size as the printer sees it at one resolution and orientation
// (class 1002, "GMedia"): the sheet's outer size, the imageable area inside
// it and the paper size id. Every length is in dots of the media's own x and
// y resolution; the right and bottom margins are not stored but follow from
// the size, the imageable size and the origin.
//
// Media are freely copied: code that turns or adapts a media makes a new one
// and never changes the one a pool holds.
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (1), name, i16 width, i16 height, i16 imageable width,
//   i16 imageable height, i16 imageable left, i16 imageable top,
//   i32 orientation, u16 x resolution, u16 y resolution, u16 extra word,
//   second name, media type, i16 paper id
// (each name as the class library saves a narrow string). Another version
// reads nothing more.
#include <cstdint>

#include "model/GAttribute.h"
#include "model/GSettingIds.h"
#include "model/MPersistentClass.h"
#include "paper/GPair.h"
#include "rw/RWCString.h"
#include "rw/RWCarrier.h"

class GMedia : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GMedia, GAttribute, 1002)
    RW_DECLARE_GUTS()

public:
    static constexpr uint16_t kDefaultResolution = 600;

    // Id 190, empty names, every length 0, orientation 0, 600 by 600 dpi,
    // extra word 0, paper id 0.
    GMedia();
    // A null second name or media type is the empty one.
    GMedia(const RWCString& name, const GShortPair& size, const GShortPair& imageableSize,
           const GShortPair& imageableOrigin, int32_t orientation, int16_t paperId, uint16_t xResolution,
           uint16_t yResolution, uint32_t id = GSettingId::kPoolMedia, uint16_t extraWord = 0,
           const char* secondName = nullptr, const char* mediaType = nullptr);
    // Id, serial, changed and every field.
    GMedia(const GMedia& other) = default;
    GMedia& operator=(const GMedia& other) = default;
    ~GMedia() override;

    // GAttribute + 40 + the lengths of the three names.
    uint32_t BinaryStoreSize() const override;

    // The same object; or the same class and id and every field equal.
    bool IsEqualId(const MPersistentObject* other) const override;
    // The device's media operation; its status.
    uint16_t Apply(GPeripheral& device) override;

    const RWCString& GetName() const { return fields_.name; }
    const GShortPair& GetSize() const { return fields_.size; }
    const GShortPair& GetImageableSize() const { return fields_.imageableSize; }
    const GShortPair& GetImageableOrigin() const { return fields_.imageableOrigin; }
    int32_t GetOrientation() const { return fields_.orientation; }
    uint16_t GetXResolution() const { return fields_.xResolution; }
    uint16_t GetYResolution() const { return fields_.yResolution; }
    uint16_t GetExtraWord() const { return fields_.extraWord; }
    const RWCString& GetSecondName() const { return fields_.secondName; }
    const RWCString& GetMediaType() const { return fields_.mediaType; }
    int16_t GetPaperId() const { return fields_.paperId; }

    // {left, top, left + imageable width, top + imageable height}, each
    // limited to 0..65535.
    void GetImageableRect(uint16_t& left, uint16_t& top, uint16_t& right, uint16_t& bottom) const;
    // {left + imageable width, top + imageable height}, limited to the
    // 16-bit range.
    void GetImageableFarCorner(GShortPair& corner) const;
    // The right and bottom margins: {width - imageable width - left,
    // height - imageable height - top}, limited to the 16-bit range.
    void GetFarMargins(GShortPair& margins) const;

    // Returns the value set.
    uint16_t SetExtraWord(uint16_t value) { return fields_.extraWord = value; }
    void SetSecondName(const RWCString& name) { fields_.secondName = name; }
    void SetMediaType(const RWCString& type) { fields_.mediaType = type; }
    void SetPaperId(uint16_t paperId) { fields_.paperId = static_cast<int16_t>(paperId); }

private:
    // The media's own fields, in their saved order; equal when every field
    // is (names byte for byte).
    struct Fields {
        RWCString name;
        GShortPair size;
        GShortPair imageableSize;
        GShortPair imageableOrigin;
        int32_t orientation = 0;
        uint16_t xResolution = kDefaultResolution;
        uint16_t yResolution = kDefaultResolution;
        uint16_t extraWord = 0;
        RWCString secondName;
        RWCString mediaType;
        int16_t paperId = 0;

        friend bool operator==(const Fields& a, const Fields& b) = default;
    };

    Fields fields_;
};
