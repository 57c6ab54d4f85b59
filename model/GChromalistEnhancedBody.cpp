#include "model/GChromalistEnhancedBody.h"

#include <algorithm>

#include "model/GChromalistOptions.h"
#include "model/GCodecForm.h"

GChromalistEnhancedBody::GChromalistEnhancedBody(const Layout& layout) : layout_(&layout) {
    std::copy_n(layout.defaults, layout.codeCount, codes_);
}

GChromalistEnhancedBody::GChromalistEnhancedBody(const Layout& layout, uint32_t id)
    : GChromalistAttribute(id), layout_(&layout) {
    std::copy_n(layout.defaults, layout.codeCount, codes_);
}

GChromalistEnhancedBody::GChromalistEnhancedBody(const Layout& layout, uint32_t id, const uint8_t* codes)
    : GChromalistAttribute(id), layout_(&layout) {
    std::copy_n(codes, layout.codeCount, codes_);
}

GChromalistEnhancedBody::~GChromalistEnhancedBody() = default;

uint8_t* GChromalistEnhancedBody::Cell(int32_t kind, int32_t field, bool& accepted) {
    accepted = kind >= 0 && kind <= 3 && field >= 0 && field <= 4;
    if (!accepted) {
        return nullptr;
    }
    for (int i = 0; i < layout_->codeCount; ++i) {
        const CodeCell& cell = layout_->cells[i];
        if (cell.field == field && (cell.kind == kAnyKind || cell.kind == kind)) {
            return &codes_[i];
        }
    }
    return nullptr; // accepted, no code behind it
}

int32_t GChromalistEnhancedBody::GetOption(int32_t kind, int32_t field, uint8_t& value) const {
    return GChromalistOptions::Get(*this, kind, field, value);
}

int32_t GChromalistEnhancedBody::SetOption(int32_t kind, int32_t field, uint8_t value) {
    return GChromalistOptions::Set(*this, kind, field, value);
}

bool GChromalistEnhancedBody::HasStoredOption(int32_t kind, int32_t field) const {
    return GChromalistOptions::HasStored(*this, kind, field);
}

bool GChromalistEnhancedBody::SameOptions(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA()) {
        return false;
    }
    const auto* body = dynamic_cast<const GChromalistEnhancedBody*>(other);
    return body != nullptr && body->layout_ == layout_ &&
           std::equal(codes_, codes_ + layout_->codeCount, body->codes_);
}

void GChromalistEnhancedBody::AssignOptions(const MPersistentObject* other) {
    const auto* body = dynamic_cast<const GChromalistEnhancedBody*>(other);
    if (body == nullptr || body == this || body->layout_ != layout_) {
        return;
    }
    std::copy_n(body->codes_, layout_->codeCount, codes_);
}

bool GChromalistEnhancedBody::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    return other != nullptr && other->GetId() == GetId() && SameOptions(other);
}

uint32_t GChromalistEnhancedBody::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + 2 * static_cast<uint32_t>(layout_->codeCount);
}

// The base's six codes are not part of this saved form: the GAttribute part
// is written directly.
template <class Carrier> void GChromalistEnhancedBody::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    const uint8_t* codes[kMaxCodes];
    for (int i = 0; i < layout_->codeCount; ++i) {
        codes[i] = &codes_[i];
    }
    SaveCodes(carrier, codes, static_cast<size_t>(layout_->codeCount));
}

template <class Carrier> void GChromalistEnhancedBody::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) {
        return;
    }
    uint8_t* codes[kMaxCodes];
    for (int i = 0; i < layout_->codeCount; ++i) {
        codes[i] = &codes_[i];
    }
    RestoreCodes(carrier, codes, static_cast<size_t>(layout_->codeCount));
}

RW_DEFINE_GUTS(GChromalistEnhancedBody)

void GChromalistEnhancedBody::EncodeRecord(const GCodecForm& codec, const GChromalistEnhancedBody* object,
                                           RWVirtualOutStream& stream) {
    if (object == nullptr) {
        return;
    }
    WriteCodecHeader(codec, stream, object->layout_->codecTag, object->GetId());
    for (int i = 0; i < object->layout_->codeCount; ++i) {
        stream << static_cast<unsigned char>(object->codes_[i]);
    }
}

bool GChromalistEnhancedBody::DecodeRecord(const GCodecForm& codec, RWVirtualInStream& stream,
                                           const Layout& layout, uint32_t& id, uint8_t* codes) {
    if (!ReadCodecHeader(codec, stream, id)) {
        return false;
    }
    for (int i = 0; i < layout.codeCount; ++i) {
        unsigned char byte = 0;
        stream >> byte;
        codes[i] = byte;
    }
    return stream.good(); // a cut-off record builds nothing
}
