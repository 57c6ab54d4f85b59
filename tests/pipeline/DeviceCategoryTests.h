#pragma once
// The device operations by category, tested over a table of operations. The
// tests are written once here; each layer's test program instantiates them
// (INSTANTIATE_TEST_SUITE_P with DeviceCategoryTest) with the operations whose
// argument classes it links, so include this from one file of a program.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "pipeline/GDeviceOperand.h"
#include "pipeline/GPeripheral.h"

namespace categorytest {

enum class Category { Graphic, Command, RenderState, StageOffer };

// Overrides the four category operations only. Notes each arrival and
// answers a status of its own for each category, so the status an operation
// answers tells which category took it.
class CategoryDevice : public GPeripheral {
public:
    struct Arrival {
        Category category;
        GDeviceOperand operand;
    };

    static uint16_t StatusOf(Category category) {
        return static_cast<uint16_t>(0x100 + static_cast<int>(category));
    }

    uint16_t OnGraphic(const GDeviceOperand& graphic) override { return Note(Category::Graphic, graphic); }
    uint16_t OnCommandOperation(const GDeviceOperand& command) override {
        return Note(Category::Command, command);
    }
    uint16_t OnRenderState(const GDeviceOperand& state) override {
        return Note(Category::RenderState, state);
    }
    uint16_t OnStageOffer(const GDeviceOperand& stage) override { return Note(Category::StageOffer, stage); }

    std::vector<Arrival> arrivals;

private:
    uint16_t Note(Category category, const GDeviceOperand& operand) {
        arrivals.push_back({category, operand});
        return StatusOf(category);
    }
};

// Also takes one operation of each table itself, as a device that cares about
// a single operation would.
class OverridingDevice : public CategoryDevice {
public:
    static constexpr uint16_t kStatus = 0x77;

    uint16_t OnStringAttribute(GStringAttribute&) override { return Take("OnStringAttribute"); }
    uint16_t OnMedia(GMedia&) override { return Take("OnMedia"); }

    // The operations its own overrides took.
    std::vector<std::string> taken;

private:
    uint16_t Take(const char* operation) {
        taken.push_back(operation);
        return kStatus;
    }
};

// Hands every category on to the next device, as a filter would.
class ForwardingDevice : public GPeripheral {
public:
    explicit ForwardingDevice(GPeripheral& next) : next_(next) {}

    uint16_t OnGraphic(const GDeviceOperand& graphic) override { return graphic.PlayOn(next_); }
    uint16_t OnCommandOperation(const GDeviceOperand& command) override { return command.PlayOn(next_); }
    uint16_t OnRenderState(const GDeviceOperand& state) override { return state.PlayOn(next_); }
    uint16_t OnStageOffer(const GDeviceOperand& stage) override { return stage.PlayOn(next_); }

private:
    GPeripheral& next_;
};

// What playing one operation once did.
struct Played {
    uint16_t status = 0;
    // Whether the observer's last arrival carried the very object played, as
    // the class its operation names.
    bool carried = false;
};

// One device operation, the category its default must reach, and a play of
// it with a new object of its class.
struct OperationCase {
    std::string operation;
    Category category;
    std::function<Played(GPeripheral& device, const CategoryDevice& observer)> play;
};

inline void PrintTo(const OperationCase& c, std::ostream* os) {
    *os << c.operation;
}

// The case of Operation, played with the object make answers (a unique_ptr).
template <auto Operation, class Make> OperationCase Case(const char* name, Category category, Make make) {
    return {name, category, [make](GPeripheral& device, const CategoryDevice& observer) {
                using Argument = GDeviceOperand::Argument<Operation>;
                auto object = make();
                Argument& argument = *object;
                Played played;
                played.status = (device.*Operation)(argument);
                played.carried = !observer.arrivals.empty() &&
                                 observer.arrivals.back().operand.As<Argument>() == &argument;
                return played;
            }};
}

// The instantiations' test names.
inline std::string OperationName(const testing::TestParamInfo<OperationCase>& info) {
    return info.param.operation;
}

class DeviceCategoryTest : public testing::TestWithParam<OperationCase> {};

// The observer saw the operation played exactly once, through its own
// category, carrying its object.
inline void ExpectArrivedOnce(const CategoryDevice& observer, const OperationCase& c, const Played& played) {
    ASSERT_EQ(observer.arrivals.size(), 1u);
    EXPECT_EQ(observer.arrivals[0].category, c.category);
    EXPECT_TRUE(played.carried);
}

// Played once, the operation arrives through its own category and answers
// that category's status.
TEST_P(DeviceCategoryTest, ArrivesOnceThroughItsCategory) {
    const OperationCase& c = GetParam();
    CategoryDevice device;
    const Played played = c.play(device, device);
    ExpectArrivedOnce(device, c, played);
    EXPECT_EQ(played.status, CategoryDevice::StatusOf(c.category));
}

// A single operation a device overrides goes to the override alone; every
// other one still reaches its category.
TEST_P(DeviceCategoryTest, AnOverrideTakesItsOperationAndTheRestStillArrive) {
    const OperationCase& c = GetParam();
    OverridingDevice device;
    const Played played = c.play(device, device);
    if (!device.taken.empty()) {
        EXPECT_EQ(device.taken, std::vector<std::string>{c.operation});
        EXPECT_TRUE(device.arrivals.empty());
        EXPECT_EQ(played.status, OverridingDevice::kStatus);
    } else {
        ExpectArrivedOnce(device, c, played);
    }
}

// Handed on with PlayOn, it reaches the next device through the same
// operation (so its same category) with the same object, and the next
// device's status comes back.
TEST_P(DeviceCategoryTest, PlayOnHandsTheSameOperationOn) {
    const OperationCase& c = GetParam();
    CategoryDevice next;
    ForwardingDevice filter(next);
    const Played played = c.play(filter, next);
    ExpectArrivedOnce(next, c, played);
    EXPECT_EQ(played.status, CategoryDevice::StatusOf(c.category));
}

// The base's categories succeed.
TEST_P(DeviceCategoryTest, TheBaseAnswersZero) {
    GPeripheral device;
    const CategoryDevice noObserver;
    EXPECT_EQ(GetParam().play(device, noObserver).status, 0);
}

} // namespace categorytest
