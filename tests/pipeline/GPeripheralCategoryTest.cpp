// The device operations by category, for the operations whose argument
// classes this layer and the model hold: flush and error commands, value,
// string, enum and range attributes. tests/device/ plays those of the job
// commands, paper and the job-control stage; graphics, render states and
// writers have no classes yet, and a reference to one cannot be had without
// an object.
#include <gtest/gtest.h>

#include <memory>

#include "model/GEnumAttribute.h"
#include "model/GRangeAttribute.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "pipeline/GDeviceOperand.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GNoCommand.h"
#include "pipeline/GPeripheral.h"
#include "tests/pipeline/DeviceCategoryTests.h"

using namespace categorytest;

INSTANTIATE_TEST_SUITE_P(
    Pipeline, DeviceCategoryTest,
    testing::Values(
        // Any command can stand for the flush command (class id 718).
        Case<&GPeripheral::OnFlush>("OnFlush", Category::Command,
                                    [] { return std::make_unique<GNoCommand>(); }),
        Case<&GPeripheral::OnErrorCommand>("OnErrorCommand", Category::Command,
                                           [] { return std::make_unique<GErrorCommand>(7, nullptr); }),
        Case<&GPeripheral::OnValueAttribute>("OnValueAttribute", Category::RenderState,
                                             [] { return std::make_unique<GValueAttribute>(3, 100); }),
        // The one OverridingDevice takes itself here.
        Case<&GPeripheral::OnStringAttribute>("OnStringAttribute", Category::RenderState,
                                              [] { return std::make_unique<GStringAttribute>("text", 101); }),
        Case<&GPeripheral::OnEnumAttribute>("OnEnumAttribute", Category::RenderState,
                                            [] { return std::make_unique<GEnumAttribute>(102); }),
        Case<&GPeripheral::OnRangeAttribute>("OnRangeAttribute", Category::RenderState,
                                             [] {
                                                 return std::make_unique<GRangeAttribute>(0, 10, 1, 5, 103);
                                             })),
    OperationName);

TEST(GDeviceOperandTest, AnswersItsObjectOnlyAsTheClassItsOperationNames) {
    GStringAttribute text("text", 101);
    const GDeviceOperand string = GDeviceOperand::Of<&GPeripheral::OnStringAttribute>(text);
    EXPECT_EQ(string.As<GStringAttribute>(), &text);
    EXPECT_EQ(string.As<GValueAttribute>(), nullptr);
    EXPECT_EQ(string.As<GAttribute>(), nullptr); // a base class: never converted

    GNoCommand command;
    const GDeviceOperand flush = GDeviceOperand::Of<&GPeripheral::OnFlush>(command);
    EXPECT_EQ(flush.As<GCommand>(), &command);
    EXPECT_EQ(flush.As<GNoCommand>(), nullptr); // the object's own class is not the operation's
}
