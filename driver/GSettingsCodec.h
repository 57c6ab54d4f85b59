#pragma once
// The settings encoding: the tag-length-value byte format in which a
// settings tree travels in the DEVMODE blob (before compression) and in the
// objects kept in the spooler's printer data.
//
// ===========================================================================
// Record format
// ===========================================================================
//
// Little-endian throughout, no padding. Two forms differ only in the width
// of the header fields written "ver" and "id" below:
//   compact (form 0, DEVMODE blobs):      ver u16, id u16 (the id's low 16
//                                         bits; zero-extended on reading)
//   wide    (form 1, printer-data objects): ver u32, id u32
// Every other field has the same width in both forms:
//   u8, u16, u32   1, 2, 4 bytes; i16 as its two's-complement pattern
//   text           u32 L, u32 L again, then L characters, no terminator
//                  (the class library's narrow-string save)
//
// Stream:  20 bytes 0x73 ("s" x 20), then one top-level node (tag 1, 2, 9,
//          12, 15 or 16). Nothing follows the top-level node.
//
// Composite node (tags 1, 2, 9, 12, 15, 16):
//   u8 tag | ver 1 | id | u16 length | children... | u8 0
//   length counts from its own first byte through the terminator, plus one:
//   2 + (bytes of the children) + 1 + 1. A reader standing before the
//   length field at p finds the byte after the terminator at p + length - 1.
//   The writer puts 0 there first and patches it once the children are out.
//
// Records by tag (class id):
//    1 GAttributeComposite (757)   composite node
//    2 GState (758)                composite node
//    3 GValueAttribute (763)       id, u16 value        (value not 0..20)
//    4 GChromalistAttribute (792)  ver 1, id, 6 x u8 codes
//    5 GRangeAttribute (762)       ver 1, id, i16 max, i16 min, u16 step, i16 value
//    6 GDisplayStringAttribute (787) ver 1, id, text 1, u16 string id, text 2
//    7 GStringAttribute (776)      id, u16 n = (characters + 1) mod 65536,
//                                  the characters, u8 0
//    8 GFormToTrayDatabase (1012)  ver 1, id, u16 default media type,
//                                  u16 default tray, tag-10 entries, u8 0
//                                  (no length field)
//    9 GEnumAttribute (764)        composite node (selection not carried)
//   10 GFormToTrayAssociation (1013), inside 8 only:
//                                  ver 1, id, u16 form key, u16 media type, u16 tray
//   11 GCustomMediaSize (775)      ver 1, id, u16 paper id, text name,
//                                  u16 unit, u32 width, u32 height
//   12 GDeviceFontListComposite (873) composite node, top level only
//   14 GDeviceFontList (856), inside 12 only: ver 3, object graph
//   15 MAssociationList (772)      composite node, top level only
//   16 GResourceMappingList (1005) composite node, top level only
//   17 MPersistentAssociation (771), inside 15 only:
//                                  ver 1, id, u16 key, u16 kind, value:
//                                  kind 0 text (GStringAttribute),
//                                  1 u16 (GValueAttribute), 2 text
//                                  (GSelectionString), 9 object graph (other)
//   18 GResourceMapping (1004), inside 16 only:
//                                  ver 1, id, u16 first, u16 second, u32 value
//   19 GChromalistEnhancedAttribute (797)     ver 1, id, 8 x u8 codes
//   20 GChromalistEnhancedAttributeVer2 (1201) ver 1, id, 10 x u8 codes
//   110..130 GValueAttribute (763) with value v = tag - 110 (0..20): id only
//   0 ends a composite's children; 13, 21..109 and 131..255 are not used.
// Chromalist codes follow the option reader's cells: 792 (0,0) (0,1) (1,0)
// (1,1) (2,0) (2,1); 797 the same, then (3,2) (3,3); 1201 (0,0) (0,1) (0,3)
// (1,0) (1,1) (1,3) (2,0) (2,1) (2,3) (3,2).
// Not carried: changed flags, serial numbers, an enumeration's selection and
// element class, the version words of values and strings, an association's
// wide name.
//
// Record order per class: a composite writes its children in its own child
// order; a form-to-tray database its associations in the database's order.
//
// Reading keeps only what the printer's defaults know: every composite is
// matched by id against a reference tree (the defaults plus a few
// templates), a child is kept when the reference node has a child of the
// same id and kind, and defaults the stream lacks are added as copies.
//
// Refused when writing (result 0, nothing wrong on the wire): a string of
// 65,535 characters or more; a composite longer than a u16 length can say
// (its length field is left 0 and the stream is failed).
// Reading is bounded: a record that cannot be read (unknown tag, wrong
// version, data ending early) ends its composite, whose remaining bytes are
// skipped by its length, never past the end of the data and never
// backwards; an association value of kind 9 is read and dropped so that
// its list stays in step; object graphs are restored with the settings
// class allowlist (model/GSettingsClassFilter.h).
// ===========================================================================
#include <cstdint>
#include <memory>

#include "model/GCodecForm.h"

class GAttributeComposite;
class GDriverContext;
class GInputStream;
class GOutputStream;
class MPersistentObject;
class RWVirtualInStream;
class RWVirtualOutStream;

// The compact flag (GCodecForm) is 1 while a call uses the compact form,
// 0 for the wide form; every Encode and Decode sets it from its form.
class GSettingsCodec : public GCodecForm {
public:
    // Form selectors.
    static constexpr uint16_t kCompactForm = 0;
    static constexpr uint16_t kWideForm = 1;
    // The lead-in: kLeadInLength bytes of kLeadInByte.
    static constexpr uint8_t kLeadInByte = 0x73;
    static constexpr int kLeadInLength = 20;

    // Compact flag 1, no reference tree.
    GSettingsCodec();
    explicit GSettingsCodec(uint32_t compactMode);
    GSettingsCodec(const GSettingsCodec&) = delete;
    GSettingsCodec& operator=(const GSettingsCodec&) = delete;
    ~GSettingsCodec() override;

    // Writes the lead-in and root (null: the lead-in only) into out; position
    // is the stream object beneath out (write position, seek to patch
    // lengths). 1 when the whole tree was written; 0 for another form (nothing
    // written), a root that is not a composite kind, or a child that cannot
    // be written (the stream then ends early but every composite is closed).
    int32_t Encode(const MPersistentObject* root, RWVirtualOutStream& out, GOutputStream& position,
                   uint16_t form);
    // Reads a tree from in, positioned at the lead-in; position reports the
    // read position of the stream object beneath in. The first call builds
    // the reference tree from context (null: a reference without defaults).
    // The caller owns the result; null for another form (nothing read), a
    // bad lead-in or a top-level node that cannot be read.
    std::unique_ptr<MPersistentObject> Decode(RWVirtualInStream& in, GInputStream& position,
                                              GDriverContext* context, uint16_t form);

    // The reference tree, once a Decode has built it.
    const GAttributeComposite* GetReferenceTree() const { return reference_.get(); }

private:
    bool SelectForm(uint16_t form);

    std::unique_ptr<GAttributeComposite> reference_;
};
