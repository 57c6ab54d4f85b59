#pragma once
// The device interface of the job pipeline: every stage a played command
// stream passes through (page filters, peripheral composites, the printer,
// the job-control stage, the writers) is a GPeripheral. It is itself a
// persistent attribute (kind id 760).
//
// Double dispatch: an attribute's Apply calls the one device operation of
// its own type with itself. Each operation answers a 16-bit status, 0 for
// success; the base answers 0, so a device overrides only the operations it
// cares about.
//
// Only the attribute operations are declared so far; the device model adds
// the rest of the interface (commands, graphics, document and page events,
// states, listeners).
#include <cstdint>

#include "model/GAttribute.h"
#include "model/MPersistentClass.h"

class GValueAttribute;
class GStringAttribute;
class GEnumAttribute;
class GRangeAttribute;
class GMedia;
class GTray;

class GPeripheral : public GAttribute {
    MPERSISTENT_KIND_MEMBERS(GPeripheral, GAttribute, 760)

public:
    GPeripheral() = default;
    explicit GPeripheral(uint32_t id) : GAttribute(id) {}
    GPeripheral(const GPeripheral& other) = default;
    GPeripheral& operator=(const GPeripheral& other) = default;
    ~GPeripheral() override;

    // The attribute operations, in the device's order: value, string,
    // enumeration, range.
    virtual uint16_t OnValueAttribute(GValueAttribute& attribute);
    virtual uint16_t OnStringAttribute(GStringAttribute& attribute);
    virtual uint16_t OnEnumAttribute(GEnumAttribute& attribute);
    virtual uint16_t OnRangeAttribute(GRangeAttribute& attribute);
    // The paper model's operations: a media, an input tray.
    virtual uint16_t OnMedia(GMedia& media);
    virtual uint16_t OnTray(GTray& tray);
};
