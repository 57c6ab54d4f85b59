// Behaviour every leaf attribute shares (the value, range, string and
// display-string attributes, with the display string and the choice list
// alongside): graph round trips on every carrier, Apply's device dispatch,
// and setters that never mark an attribute changed.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "LeafAttributeTestSupport.h"
#include "model/GDisplayString.h"
#include "model/GDisplayStringAttribute.h"
#include "model/GEnumAttribute.h"
#include "model/GRangeAttribute.h"
#include "model/GStringAttribute.h"
#include "model/GValue32Attribute.h"
#include "model/GValueAttribute.h"

using namespace leaftest;

namespace {

struct Sample {
    const char* name;
    std::function<MPersistentObject*()> make;
};

GEnumAttribute* MakeChoices() {
    auto* list = new GEnumAttribute(33);
    list->Add(new GStringAttribute("Letter", 1));
    list->Add(new GStringAttribute("A4", 2));
    list->Add(new GStringAttribute("Legal", 3));
    list->SelectNext();
    list->SelectNext();
    return list;
}

std::vector<Sample> Samples() {
    return {
        {"GValueAttribute", [] { return new GValueAttribute(0xFFFE, 101); }},
        {"GValue32Attribute", [] { return new GValue32Attribute(0xFEDCBA98, 102); }},
        {"GRangeAttribute", [] { return new GRangeAttribute(-300, 2000, 25, -275, 103); }},
        {"GStringAttribute", [] { return new GStringAttribute("Quarterly report (draft)", 104); }},
        {"GStringAttribute empty", [] { return new GStringAttribute("", 105); }},
        {"GDisplayString", [] { return new GDisplayString(0x4321, "Tray 1", "Manual feed"); }},
        {"GDisplayStringAttribute", [] { return new GDisplayStringAttribute(106, 77, "Upper", ""); }},
        {"GEnumAttribute", [] { return MakeChoices(); }},
        {"GEnumAttribute empty", [] { return new GEnumAttribute(107); }},
    };
}

} // namespace

TEST(GAttributeLeavesTest, EachClassRoundTripsOnEveryCarrier) {
    for (const Sample& sample : Samples()) {
        GCountedPtr original(sample.make());
        if (auto* attribute = dynamic_cast<GAttribute*>(original.Get())) {
            attribute->SetChanged(0); // the flag travels too
        }
        for (Carrier carrier : kCarriers) {
            SCOPED_TRACE(std::string(sample.name) + " on " + CarrierName(carrier));
            const std::string bytes = SaveGraph(original.Get(), carrier);
            if (carrier == Carrier::File) {
                EXPECT_EQ(original->RecursiveStoreSize(), bytes.size());
            }
            std::unique_ptr<MPersistentObject> restored(RestoreGraph(bytes, carrier));
            ASSERT_NE(restored, nullptr);
            EXPECT_EQ(restored->IsA(), original->IsA());
            EXPECT_TRUE(restored->IsEqualId(original.Get()));
            EXPECT_EQ(restored->GetSerial(), original->GetSerial());
            if (auto* attribute = dynamic_cast<GAttribute*>(restored.get())) {
                EXPECT_EQ(attribute->GetChanged(), 0u);
            }
        }
    }
}

TEST(GAttributeLeavesTest, ApplyCallsTheMatchingDeviceOperationOnce) {
    constexpr int kNone = -1;
    const struct {
        const char* name;
        std::function<GAttribute*()> make;
        int operation;
    } cases[] = {
        {"value", [] { return new GValueAttribute(1, 1); }, RecordingPeripheral::kValue},
        {"string", [] { return new GStringAttribute("x", 1); }, RecordingPeripheral::kString},
        {"range", [] { return new GRangeAttribute(0, 5, 1, 2, 1); }, RecordingPeripheral::kRange},
        {"enumeration", [] { return MakeChoices(); }, RecordingPeripheral::kEnum},
        {"32-bit value", [] { return new GValue32Attribute(1, 1); }, kNone},
        {"display string", [] { return new GDisplayStringAttribute(1, 2, "a", "b"); }, kNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GCountedPtr held(c.make());
        auto* attribute = static_cast<GAttribute*>(held.Get());
        RecordingPeripheral device;
        device.status = 0x0BAD;
        const uint16_t status = attribute->Apply(device);
        if (c.operation == kNone) {
            EXPECT_EQ(status, 0);
            EXPECT_EQ(device.TotalCalls(), 0);
        } else {
            EXPECT_EQ(status, 0x0BAD);
            EXPECT_EQ(device.TotalCalls(), 1);
            EXPECT_EQ(device.calls[c.operation], 1);
            EXPECT_EQ(device.last, attribute);
        }
        // A leaf keeps its flag; the choice list clears its own.
        EXPECT_EQ(attribute->GetChanged(), c.operation == RecordingPeripheral::kEnum ? 0u : 1u);
    }
}

TEST(GAttributeLeavesTest, SettersNeverMarkAnAttributeChanged) {
    GValueAttribute value(1, 1);
    GValue32Attribute value32(1, 1);
    GRangeAttribute range(0, 10, 1, 5, 1);
    GStringAttribute text("a", 1);
    GDisplayStringAttribute display(1, 2, "a", "b");
    GEnumAttribute list(1);
    list.Add(new GValueAttribute(1, 2));
    list.Add(new GValueAttribute(2, 2));
    const struct {
        const char* name;
        GAttribute* attribute;
        std::function<void()> set;
    } cases[] = {
        {"SetValue", &value, [&] { value.SetValue(9); }},
        {"SetBool", &value, [&] { value.SetBool(0); }},
        {"SetValue 32", &value32, [&] { value32.SetValue(9); }},
        {"range setters", &range,
         [&] {
             range.SetMin(-1);
             range.SetMax(20);
             range.SetStep(3);
             range.SetValue(7);
             range.Increment();
             range.Decrement();
         }},
        {"SetValue text", &text, [&] { text.SetValue(RWCString("b")); }},
        {"SetText", &text, [&] { text.SetText(nullptr); }},
        {"SetDisplayString", &display, [&] { display.SetDisplayString(GDisplayString(3, "c", "d")); }},
        {"selection", &list,
         [&] {
             list.SelectNext();
             list.SelectPrevious();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.attribute->SetChanged(0);
        c.set();
        EXPECT_EQ(c.attribute->GetChanged(), 0u);
    }
    EXPECT_EQ(range.GetValue(), 7); // the setters did run
    EXPECT_EQ(list.GetSelection(), list.GetChildren().At(0).Get());
}
