#include "paper/GTray.h"

#include "paper/GRestoreOwned.h"
#include "pipeline/GPeripheral.h"

namespace {

std::unique_ptr<GMedia> CopyOf(const GMedia* media) {
    return media != nullptr ? std::make_unique<GMedia>(*media) : nullptr;
}

} // namespace

GTray::GTray() : GPaperHolder(RWCString(), 0, 0) {}

GTray::GTray(const RWCString& name, int16_t binId, uint32_t id) : GPaperHolder(name, binId, id) {}

GTray::GTray(const RWCString& name, int16_t binId, int32_t value1, int32_t value2, int32_t capacity,
             int32_t threshold, std::unique_ptr<GMedia> media, uint32_t id)
    : GPaperHolder(name, binId, value1, value2, capacity, threshold, GDisplayString(), id),
      media_(std::move(media)) {}

GTray::GTray(uint16_t displayStringId, const RWCString& name, int16_t binId, int32_t value1, int32_t value2,
             int32_t capacity, int32_t threshold, std::unique_ptr<GMedia> media, const char* displayText1,
             const char* displayText2, uint32_t id)
    : GPaperHolder(name, binId, value1, value2, capacity, threshold,
                   GDisplayString(displayStringId, displayText1, displayText2), id),
      media_(std::move(media)) {}

GTray::GTray(const GTray& other) : GPaperHolder(other), media_(CopyOf(other.media_.get())) {}

GTray& GTray::operator=(const GTray& other) {
    if (this != &other) {
        // The copy is made first, so a failed allocation leaves this tray
        // as it was.
        std::unique_ptr<GMedia> media = CopyOf(other.media_.get());
        GPaperHolder::operator=(other);
        media_ = std::move(media);
    }
    return *this;
}

GTray::~GTray() = default;

uint32_t GTray::BinaryStoreSize() const {
    uint32_t size = GAttribute::BinaryStoreSize() + 4 + HolderStoreSize() + 4 + DisplayStringStoreSize();
    if (media_) {
        size += RWObjectStoreSize(media_.get());
    }
    return size;
}

bool GTray::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || !GAttribute::IsEqualId(other)) {
        return false;
    }
    const auto& tray = static_cast<const GTray&>(*other);
    if (!SameHolder(tray) || (media_ == nullptr) != (tray.media_ == nullptr)) {
        return false;
    }
    return media_ == nullptr || media_->IsEqualId(tray.media_.get());
}

uint16_t GTray::Apply(GPeripheral& device) {
    return device.OnTray(*this);
}

// --- Persistence ---------------------------------------------------------------

template <class Carrier> void GTray::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    SaveHolder(carrier);
    RWSaveI32(carrier, media_ ? 1 : 0);
    if (media_) {
        RWSaveObject(carrier, media_.get());
    }
    SaveDisplayString(carrier);
}

template <class Carrier> void GTray::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    uint32_t version = 0;
    if (!GReadClassVersion(carrier, version, ClassVersion(), 0) || !RestoreHolder(carrier)) {
        return;
    }
    media_.reset();
    int32_t present = 0;
    if (!RWRestoreI32(carrier, present)) {
        return;
    }
    if (present != 0 && present != 1) {
        GMarkRestoreFailed(carrier); // no flag the save writes
        return;
    }
    if (present == 1) {
        media_ = GRestoreOwned<GMedia>(carrier);
        if (media_ == nullptr) {
            GMarkRestoreFailed(carrier); // a nil media behind a present flag
            return;
        }
    }
    // Version-0 records end here and keep the default display string.
    if (version == 1) {
        RestoreDisplayString(carrier);
    }
}

RW_DEFINE_GUTS(GTray)
