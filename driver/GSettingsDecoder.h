#pragma once
// The reading half of the settings encoding: one object per GSettingsCodec::
// Decode call. The record format and the reading rules are documented once,
// at the top of driver/GSettingsCodec.h.
//
// The input is untrusted: every read is checked, nothing is read past the
// end of the data, a composite's length only ever moves the reader forward,
// and recursion follows the reference tree (a nested composite is read only
// below a reference node, whose depth bounds it).
#include <cstdint>
#include <memory>
#include <unordered_map>

class GInputStream;
class GSettingsCodec;
class MPersistentObject;
class RWCString;
class RWVirtualInStream;

class GSettingsDecoder {
public:
    GSettingsDecoder(const GSettingsCodec& codec, RWVirtualInStream& in, GInputStream& position);

    // The lead-in and the top-level node; null when either cannot be read.
    std::unique_ptr<MPersistentObject> ReadStream(MPersistentObject* reference);

private:
    // The child table of one composite: id -> (type code, provided).
    struct Entry {
        uint16_t typeCode;
        bool provided;
    };
    using ChildTable = std::unordered_map<uint32_t, Entry>;

    bool ReadLeadIn();
    std::unique_ptr<MPersistentObject> ReadComposite(uint8_t tag, MPersistentObject* referenceParent);
    ChildTable MakeChildTable(MPersistentObject* reference, uint32_t compositeId) const;
    void ReadChildren(MPersistentObject& node, MPersistentObject* reference, ChildTable& table, int64_t end);
    static bool Accepts(const MPersistentObject& node, const MPersistentObject& child,
                        const ChildTable& table);
    static void AddDefaults(MPersistentObject& node, MPersistentObject& reference, const ChildTable& table);
    std::unique_ptr<MPersistentObject> ReadChild(uint8_t tag, MPersistentObject* reference);

    std::unique_ptr<MPersistentObject> ReadValue(uint8_t tag);
    std::unique_ptr<MPersistentObject> ReadString();
    std::unique_ptr<MPersistentObject> ReadRange();
    std::unique_ptr<MPersistentObject> ReadDisplayString();
    std::unique_ptr<MPersistentObject> ReadChromalist(uint8_t tag);
    std::unique_ptr<MPersistentObject> ReadCustomMediaSize();
    std::unique_ptr<MPersistentObject> ReadFormToTrayDatabase();

    std::unique_ptr<MPersistentObject> ReadAssociationList();
    std::unique_ptr<MPersistentObject> ReadAssociationValue(uint16_t key, uint16_t kind, bool& inStep);
    std::unique_ptr<MPersistentObject> ReadResourceMappingList();
    // Version, id and length of a top-level list; false unless version 1.
    bool ReadListHeader(uint32_t& id);
    // Restores one object graph under the settings class allowlist; null
    // for the nil object and for a graph that could not be read (inStep is
    // then false: the reader no longer knows where the next record starts).
    std::unique_ptr<MPersistentObject> ReadObjectGraph(bool& inStep);

    // Skips forward to end (the byte after a composite's terminator); never
    // backwards, never past the end of the data.
    void SkipTo(int64_t end);

    bool ReadU8(uint8_t& value);
    bool ReadU16(uint16_t& value);
    bool ReadU32(uint32_t& value);
    bool ReadVersion(uint32_t& version);
    bool ReadId(uint32_t& id);
    bool ReadText(RWCString& text);
    int64_t Tell();

    const GSettingsCodec& codec_;
    RWVirtualInStream& in_;
    GInputStream& position_;
};
