// Double dispatch: every command class calls exactly the one device
// operation of its class (or none, for lists and empty commands), and the
// device's status comes back unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GDownloadHeaderCommand.h"
#include "job/GJobAbort.h"
#include "job/GNullCommand.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "job/GPassThroughCommand.h"
#include "pipeline/GCommandComposite.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GNoCommand.h"
#include "rw/RWCString.h"
#include "rw/RWFactory.h"
#include "tests/device/JobTestSupport.h"

using namespace jobtest;

namespace {

struct DispatchCase {
    const char* name;
    std::function<GCommand*()> make;
    const char* operation; // empty: no device operation
};

const uint8_t kBytes[] = {1, 2, 3};

std::vector<DispatchCase> Cases() {
    return {
        {"GCommandComposite",
         [] {
             auto* list = new GCommandComposite();
             list->Append(new GPageStart());
             return list;
         },
         ""},
        {"GNoCommand", [] { return new GNoCommand(); }, ""},
        {"GNullCommand", [] { return new GNullCommand(new GState(244), 0); }, ""},
        {"GDocumentStart", [] { return new GDocumentStart(u"doc", u"file:out", nullptr, 0); },
         "OnDocumentStart"},
        {"GDocumentEnd", [] { return new GDocumentEnd(); }, "OnDocumentEnd"},
        {"GPageStart", [] { return new GPageStart(); }, "OnPageStart"},
        {"GPageEnd", [] { return new GPageEnd(); }, "OnPageEnd"},
        {"GJobAbort", [] { return new GJobAbort(); }, "OnJobAbort"},
        {"GErrorCommand", [] { return new GErrorCommand(7, nullptr); }, "OnErrorCommand"},
        {"GPassThroughCommand", [] { return new GPassThroughCommand(kBytes, 3, 767); },
         "OnPassThroughCommand"},
        {"GDownloadHeaderCommand", [] { return new GDownloadHeaderCommand(2, 0); },
         "OnDownloadHeaderCommand"},
        {"flush (718)", [] { return new FlushCommand(); }, "OnFlush"},
    };
}

} // namespace

TEST(GCommandDispatchTest, EachCommandCallsExactlyItsOwnOperationAndAnswersItsStatus) {
    for (const DispatchCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        GCountedPtr command(c.make());
        RecordingDevice device;
        const std::string operation = c.operation;
        if (!operation.empty()) device.statuses[operation] = 0x1234;

        const uint16_t status = command.As<GCommand>()->Accept(device);

        if (operation.empty()) {
            EXPECT_TRUE(device.Operations().empty());
            EXPECT_EQ(status, 0);
        } else {
            EXPECT_EQ(device.Operations(), std::vector<std::string>{operation});
            EXPECT_EQ(status, 0x1234);
        }
    }
}

TEST(GCommandDispatchTest, KindTestsAnswerTheClassItsBasesAndTheRoots) {
    struct KindCase {
        std::function<GCommand*()> make;
        RWClassID classId;
        std::vector<RWClassID> kinds;
        const char* name;
    };
    const KindCase cases[] = {
        {[] { return new GCommandComposite(); }, 605, {605, 601, 751}, "GCommandComposite"},
        {[] { return new GNoCommand(); }, 715, {715, 601, 751}, "GNoCommand"},
        {[] { return new GNullCommand(); }, 712, {712, 601, 751}, "GNullCommand"},
        {[] { return new GDocumentStart(); }, 705, {705, 704, 601, 751}, "GDocumentStart"},
        {[] { return new GDocumentEnd(); }, 706, {706, 704, 601, 751}, "GDocumentEnd"},
        {[] { return new GPageStart(); }, 709, {709, 708, 601, 751}, "GPageStart"},
        {[] { return new GPageEnd(); }, 710, {710, 708, 601, 751}, "GPageEnd"},
        {[] { return new GJobAbort(); }, 713, {713, 601, 751}, "GJobAbort"},
        {[] { return new GErrorCommand(); }, 714, {714, 601, 751}, "GErrorCommand"},
        {[] { return new GPassThroughCommand(); }, 608, {608, 601, 751}, "GPassThroughCommand"},
        {[] { return new GDownloadHeaderCommand(); }, 610, {610, 601, 751}, "GDownloadHeaderCommand"},
    };
    for (const KindCase& c : cases) {
        GCountedPtr command(c.make());
        SCOPED_TRACE(c.classId);
        EXPECT_EQ(command->IsA(), c.classId);
        for (RWClassID kind : c.kinds) {
            EXPECT_TRUE(command->IsKindOf(kind)) << kind;
        }
        for (RWClassID other : {602, 704, 708, 753, 758})
            if (std::find(c.kinds.begin(), c.kinds.end(), other) == c.kinds.end()) {
                EXPECT_FALSE(command->IsKindOf(other)) << other;
            }
        // The factory makes each under its class id and knows it by its name.
        std::unique_ptr<RWCollectable> made(RWCreateFromFactory(c.classId));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->IsA(), c.classId);
        EXPECT_EQ(RWStringIdToClassId(RWStringID(c.name)), c.classId);
    }
}
