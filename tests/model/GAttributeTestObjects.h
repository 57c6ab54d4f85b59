#pragma once
// A recording device and a small attribute class shared by the attribute
// tests.
#include <cstdint>
#include <vector>

#include "model/GAttribute.h"
#include "model/GEnumAttribute.h"
#include "model/GRangeAttribute.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentClass.h"
#include "pipeline/GPeripheral.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

namespace attrtest {

// Remembers every attribute operation it is called with, in order, and
// answers the status set for that kind of attribute.
class RecordingDevice : public GPeripheral {
public:
    enum Kind : char { Value = 'v', String = 's', Enum = 'e', Range = 'r' };
    struct Call {
        char kind;
        const GAttribute* attribute;
    };

    uint16_t Apply(GPeripheral&) override { return 0; }
    uint16_t OnValueAttribute(GValueAttribute& a) override { return Record(Value, a, valueStatus); }
    uint16_t OnStringAttribute(GStringAttribute& a) override { return Record(String, a, stringStatus); }
    uint16_t OnEnumAttribute(GEnumAttribute& a) override { return Record(Enum, a, enumStatus); }
    uint16_t OnRangeAttribute(GRangeAttribute& a) override { return Record(Range, a, rangeStatus); }

    std::vector<Call> calls;
    uint16_t valueStatus = 0;
    uint16_t stringStatus = 0;
    uint16_t enumStatus = 0;
    uint16_t rangeStatus = 0;

private:
    uint16_t Record(char kind, const GAttribute& attribute, uint16_t status) {
        calls.push_back({kind, &attribute});
        return status;
    }
};

// An attribute with one field of its own, counting its live instances.
// Equal when class, id and value are.
class TestAttribute : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(TestAttribute, GAttribute, 0x7E10)

public:
    static inline int live = 0;

    TestAttribute() { ++live; }
    explicit TestAttribute(uint32_t id, uint32_t value = 0) : GAttribute(id), value(value) { ++live; }
    TestAttribute(const TestAttribute& other) : GAttribute(other), value(other.value) { ++live; }
    TestAttribute& operator=(const TestAttribute&) = default;
    ~TestAttribute() override { --live; }

    bool IsEqualId(const MPersistentObject* other) const override {
        const auto* attribute = dynamic_cast<const TestAttribute*>(other);
        return attribute != nullptr && attribute->IsA() == IsA() && attribute->GetId() == GetId() &&
               attribute->value == value;
    }
    uint16_t Apply(GPeripheral&) override {
        ++applied;
        return status;
    }

    uint32_t value = 0;
    uint16_t status = 0;
    int applied = 0;
};

inline void RegisterAttributeTestClasses() {
    GAddToFactory<TestAttribute>();
}

} // namespace attrtest
