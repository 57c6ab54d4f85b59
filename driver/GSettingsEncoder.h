#pragma once
// The writing half of the settings encoding: one object per GSettingsCodec::
// Encode call. The record format is documented once, at the top of
// driver/GSettingsCodec.h.
#include <cstdint>

class GOutputStream;
class GSettingsCodec;
class MPersistentObject;
class RWCString;
class RWVirtualOutStream;

class GSettingsEncoder {
public:
    // codec gives the form (its compact flag); out and position as for
    // GSettingsCodec::Encode.
    GSettingsEncoder(const GSettingsCodec& codec, RWVirtualOutStream& out, GOutputStream& position);

    // The lead-in; then the root through WriteComposite.
    int32_t WriteStream(const MPersistentObject* root);
    // A composite node: 1 when it and all its children were written (a null
    // node writes nothing and answers 1), 0 otherwise.
    int32_t WriteComposite(const MPersistentObject* node);

    // Longest string a record can carry (n = characters + 1 is a u16).
    static constexpr uint32_t kMaxStringLength = 0xFFFE;
    // Largest value of a composite's u16 length field.
    static constexpr uint32_t kMaxCompositeLength = 0xFFFF;

private:
    int32_t WriteChild(const MPersistentObject& child);
    int32_t WriteLeaf(const MPersistentObject& leaf, uint16_t typeCode);
    int32_t WriteValue(const MPersistentObject& leaf);
    int32_t WriteString(const MPersistentObject& leaf);
    int32_t WriteRange(const MPersistentObject& leaf);
    int32_t WriteDisplayString(const MPersistentObject& leaf);
    int32_t WriteChromalist(const MPersistentObject& leaf);
    int32_t WriteAssociation(const MPersistentObject& leaf);
    int32_t WriteResourceMapping(const MPersistentObject& leaf);
    int32_t WriteCustomMediaSize(const MPersistentObject& leaf);
    int32_t WriteFormToTrayDatabase(const MPersistentObject& leaf);
    // Closes a composite whose length field stands at start.
    int32_t CloseComposite(int64_t start, int32_t result);

    void WriteTag(uint8_t tag);
    void WriteVersion(uint32_t version);
    void WriteId(uint32_t id);
    void WriteText(const RWCString& text);
    bool Good() const;

    const GSettingsCodec& codec_;
    RWVirtualOutStream& out_;
    GOutputStream& position_;
};
