// The job header of the model printers, as their built data files
// (resources/printers) configure the job-control stage: its configuration
// (the stage's children group, with the printer's resolution list 206) and
// the printing group 246 of the printer's state.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "device/GPJL.h"
#include "job/GDocumentStart.h"
#include "model/GAttributeComposite.h"
#include "model/GChildWalks.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "tests/device/JobTestSupport.h"
#include "tests/support/ModelDataFile.h"

using namespace jobtest;

namespace {

// One model printer's data file, restored as the driver restores it.
class ModelPrinter {
public:
    explicit ModelPrinter(const std::string& name) { root_.Reset(RestoreModelDataFile(name)); }

    // The printer node of the configuration tree.
    MPersistentObject* Node() const {
        MPersistentObject* tree = root_ ? root_->FindById(GSettingId::kConfigurationTree) : nullptr;
        return tree != nullptr ? tree->FindById(GSettingId::kPrinterNode) : nullptr;
    }
    // The job-control stage's configuration: its own group and what it holds.
    MPersistentComposite* StageConfiguration() const {
        MPersistentObject* stage = Child(Node(), GSettingId::kJobControlStage);
        return dynamic_cast<MPersistentComposite*>(Child(stage, GSettingId::kPeripheralConfiguration));
    }
    // The printing group of the printer's state.
    GAttributeComposite* PrintingGroup() const {
        MPersistentObject* state = Child(Node(), GSettingId::kPeripheralState);
        return dynamic_cast<GAttributeComposite*>(Child(state, GSettingId::kPrintingStateGroup));
    }

private:
    static MPersistentObject* Child(MPersistentObject* node, uint32_t id) {
        MPersistentObject* found = nullptr;
        GForEachChild(node, [&](MPersistentObject& child) {
            if (found == nullptr && child.GetId() == id) found = &child;
        });
        return found;
    }

    GCountedPtr root_;
};

// The header's RESOLUTION and BITSPERPIXEL lines, in order.
std::vector<std::string> ResolutionLines(const std::string& header) {
    std::vector<std::string> lines;
    std::istringstream in(header);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("@PJL SET RESOLUTION=", 0) == 0 || line.rfind("@PJL SET BITSPERPIXEL=", 0) == 0)
            lines.push_back(line);
    }
    return lines;
}

// The printer's resolution list with its first entry moved to the end.
void MoveFirstResolutionLast(MPersistentComposite& configuration) {
    MPersistentObject* list = configuration.FindById(GSettingId::kResolutions);
    ASSERT_NE(list, nullptr);
    MPersistentObject* first = nullptr;
    GForEachChild(list, [&](MPersistentObject& entry) {
        if (first == nullptr) first = &entry;
    });
    ASSERT_NE(first, nullptr);
    std::unique_ptr<MPersistentObject> taken = list->Remove(first);
    ASSERT_NE(taken, nullptr);
    list->Add(taken.release());
}

} // namespace

TEST(GPJLDataFileTest, ResolutionAndBitsPerPixelLinesOfTheModelPrinters) {
    // Both data files list their resolutions in 206 of the job-control
    // stage's configuration and leave 955 out of the printing group:
    //   QVCOLOR: 600/600 at 2 bits, 1200/1200 at 1 bit, 600/600 at 1 bit;
    //   QVMONO:  600/600 at 1 bit.
    // The colour list's 600 dpi 2-bit entry (its first) makes every colour
    // header carry BITSPERPIXEL with the job's own depth; the monochrome list
    // has no 2-bit entry, so only 955 could add the line there.
    const std::string resolution600 = "@PJL SET RESOLUTION=600\r";
    const std::string resolution1200 = "@PJL SET RESOLUTION=1200\r";
    const std::string bits1 = "@PJL SET BITSPERPIXEL=1\r";
    const std::string bits2 = "@PJL SET BITSPERPIXEL=2\r";
    const struct {
        const char* printer;
        uint16_t dpi;
        uint16_t bits;
        bool twoBitEntryLast; // the colour list turned so its 2-bit entry is not the first
        int bitsLineSwitch;   // 955, or -1 for none
        std::vector<std::string> lines;
    } cases[] = {
        {"QVCOLOR", 600, 1, false, -1, {resolution600, bits1}},
        {"QVCOLOR", 600, 2, false, -1, {resolution600, bits2}},
        {"QVCOLOR", 1200, 1, false, -1, {resolution1200, bits1}},
        {"QVCOLOR", 600, 1, true, -1, {resolution600, bits1}},
        {"QVMONO", 600, 1, false, -1, {resolution600}},
        {"QVMONO", 600, 2, false, -1, {resolution600}},
        // 955: bit 1 asks for the line at 600 dpi, bit 0 at 300 dpi, both
        // only for 1-bit jobs.
        {"QVMONO", 600, 1, false, 2, {resolution600, bits1}},
        {"QVMONO", 600, 1, false, 1, {resolution600}},
        {"QVMONO", 600, 2, false, 2, {resolution600}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.printer) + " " + std::to_string(c.dpi) + " dpi, " +
                     std::to_string(c.bits) + " bits, 955 " + std::to_string(c.bitsLineSwitch) +
                     (c.twoBitEntryLast ? ", turned" : ""));
        const ModelPrinter printer(c.printer);
        MPersistentComposite* configuration = printer.StageConfiguration();
        GAttributeComposite* printing = printer.PrintingGroup();
        ASSERT_NE(configuration, nullptr);
        ASSERT_NE(printing, nullptr);
        if (c.twoBitEntryLast) MoveFirstResolutionLast(*configuration);

        GPJL pjl(GSettingId::kJobControlStage);
        pjl.SetChildren(configuration);
        GAttributeComposite* group = pjl.FindAttribute(GSettingId::kPrintingStateGroup);
        ASSERT_NE(group, nullptr);
        group->AssignFrom(printing);
        ASSERT_EQ(group->FindById(GSettingId::kBitsPerPixelLine), nullptr);
        MPersistentObject* resolution = group->FindById(GSettingId::kResolution);
        ASSERT_NE(GPJL::FindValue(resolution, GSettingId::kXResolution), nullptr);
        ASSERT_NE(GPJL::FindValue(resolution, GSettingId::kBitsPerPixel), nullptr);
        GPJL::FindValue(resolution, GSettingId::kXResolution)->SetValue(c.dpi);
        GPJL::FindValue(resolution, GSettingId::kBitsPerPixel)->SetValue(c.bits);
        if (c.bitsLineSwitch >= 0)
            group->Add(
                new GValueAttribute(static_cast<uint16_t>(c.bitsLineSwitch), GSettingId::kBitsPerPixelLine));

        TestJobContext job(1);
        auto channel = std::make_shared<MemoryChannel>();
        auto* start = new GDocumentStart(u"report", u"LPT1:", &job, 0);
        start->SetChannel(channel);
        pjl.Process(GCountedPtr(start));
        EXPECT_EQ(ResolutionLines(channel->bytes), c.lines);
    }
}
