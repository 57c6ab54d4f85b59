#pragma once
// One paper input source of the printer (class 1001, "GTray"): the common
// fields of device/GPaperHolder.h and, when known, the media loaded in it,
// which the tray owns (copying a tray copies its media).
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (written as 1), the common fields, i32 media present (1) or
//   absent (0), the media as a nested object when present, the display
//   string as a nested object
// Versions 0 and 1 are read; a version-0 record has no display string and
// keeps the default one. A newer version reads nothing more. A media flag
// other than 0 and 1, or a nil media or display string, fails the restore; a
// nested object of another class than its member's, or one the graph names
// a second time, is refused (REF): the tray owns both outright.
#include <cstdint>
#include <memory>

#include "model/MPersistentClass.h"
#include "paper/GMedia.h"
#include "paper/GPaperHolder.h"
#include "rw/RWCarrier.h"

class GTray : public GPaperHolder {
    MPERSISTENT_CLASS_MEMBERS(GTray, GPaperHolder, 1001)
    RW_DECLARE_GUTS()

public:
    // Empty name, bin id 0, id 0, every other field at its default.
    GTray();
    GTray(const RWCString& name, int16_t binId, uint32_t id = 0);
    // Takes ownership of media (null allowed); a default display string.
    GTray(const RWCString& name, int16_t binId, int32_t value1, int32_t value2, int32_t capacity,
          int32_t threshold, std::unique_ptr<GMedia> media, uint32_t id = 0);
    // The display string from its id and two texts (a null text is empty).
    GTray(uint16_t displayStringId, const RWCString& name, int16_t binId, int32_t value1, int32_t value2,
          int32_t capacity, int32_t threshold, std::unique_ptr<GMedia> media, const char* displayText1,
          const char* displayText2, uint32_t id = 0);
    // Id, serial, changed and every field; the media into a new GMedia.
    GTray(const GTray& other);
    GTray& operator=(const GTray& other);
    ~GTray() override;

    // GAttribute + 30 + the name's length + the display string's nested size
    // + the media's nested size when there is one.
    uint32_t BinaryStoreSize() const override;

    // The same object; or the same class and id, the common fields equal, and
    // media both absent or both present and equal.
    bool IsEqualId(const MPersistentObject* other) const override;
    // The device's tray operation; its status.
    uint16_t Apply(GPeripheral& device) override;

    static constexpr uint32_t ClassVersion() { return 1; }

    using GPaperHolder::SetValue1;

    // Borrowed, null when none.
    GMedia* GetMedia() const { return media_.get(); }
    // Deletes the current media and takes media (null allowed).
    void SetMedia(std::unique_ptr<GMedia> media) { media_ = std::move(media); }
    // Hands the media to the caller (null when none); the tray has none.
    std::unique_ptr<GMedia> TakeMedia() { return std::move(media_); }

private:
    std::unique_ptr<GMedia> media_;
};
