#pragma once
// The printer's accessories as its product table lists them (composite 1401
// of the printer configuration): per accessory its identifier, part
// number, model code, role and output-unit kind. The option controls and
// the availability rules recognise an accessory by a text compare with
// these entries; no accessory text is written into code.
#include <cstdint>
#include <vector>

#include "rw/RWCString.h"

class GUIModel;

class GAccessoryTable {
public:
    // Roles of the input units.
    static constexpr int16_t kLargeInputTrayRole = 1;
    static constexpr int16_t kEnvelopeFeederRole = 2;
    // Roles of the output units: stapler/stacker, binder, booklet maker,
    // mailbox, job separator, stacker.
    static constexpr int16_t kStaplerStackerRole = 3;
    static constexpr int16_t kBinderRole = 4;
    static constexpr int16_t kBookletMakerRole = 5;
    static constexpr int16_t kMailboxRole = 6;
    static constexpr int16_t kJobSeparatorRole = 7;
    static constexpr int16_t kStackerRole = 8;

    struct Entry {
        RWCString identifier;
        RWCString partNumber;
        RWCString modelCode;
        int16_t role = 0;
        int16_t kind = 0;
    };

    // The entries of the model's printer configuration, in table order
    // (none without a table; an entry lacking a member reads it as empty or 0).
    explicit GAccessoryTable(GUIModel* model);

    const std::vector<Entry>& Entries() const { return entries_; }
    // The part number of the first finishing unit; empty when there is none.
    RWCString FinishingPartNumber() const;
    // The kind of the first accessory with a kind whose model code is
    // modelCode; 0 when none is.
    int16_t OutputUnitKind(const RWCString& modelCode) const;
    // The kind of the first accessory with a kind that unitName names
    // exactly, by its identifier, part number or model code; 0 when none
    // does or the name is empty.
    int16_t KindOfUnit(const RWCString& unitName) const;
    // The role of the first accessory whose identifier is unitName exactly
    // (the installed-unit texts 315 and 316 name a unit this way); 0 when
    // none is or the name is empty.
    int16_t RoleOfUnit(const RWCString& unitName) const;
    // Whether unitName names an output accessory (roles 3 to 8).
    bool IsOutputUnit(const RWCString& unitName) const;

private:
    std::vector<Entry> entries_;
};
