// The seed inputs of the command-graph fuzz target
// (fuzz/CommandGraphRestoreFuzz.cpp) are written by the library: this test
// builds each seed graph, saves it on the raw binary and portable streams,
// checks that the library restores it, and fails unless
// fuzz/corpus/CommandGraphRestoreFuzz/ holds it with the same bytes. Run with
// QV_WRITE_FUZZ_SEEDS=1 in the environment, it writes the seeds there.
//
// Serial numbers are given in the order the graph is walked, so a seed's
// bytes do not depend on what the process made before.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "device/GPeripheralComposite.h"
#include "device/GPeripheralProxy.h"
#include "device/GPrinter.h"
#include "driver/GDynamicLibrary.h"
#include "job/GCommandComposite.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GDownloadHeaderCommand.h"
#include "job/GErrorCommand.h"
#include "job/GJobAbort.h"
#include "job/GNoCommand.h"
#include "job/GNullCommand.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "job/GPassThroughCommand.h"
#include "model/GAttributeComposite.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "tests/job/JobTestSupport.h"
#include "tests/model/LeafAttributeTestSupport.h"

using namespace jobtest;
using leaftest::Carrier;

namespace fs = std::filesystem;

namespace {

// Numbers every persistent object the graph holds, in a fixed walk order.
class SerialNumbering {
public:
    void Number(MPersistentObject* object) {
        if (object == nullptr || !seen_.insert(object).second) return;
        object->SetSerial(next_++);
        if (auto* command = dynamic_cast<GCommand*>(object)) NumberCommand(*command);
        if (auto* device = dynamic_cast<GPeripheral*>(object)) NumberDevice(*device);
        if (auto* list = dynamic_cast<GAttributeComposite*>(object)) NumberAll(list->GetChildren());
        if (auto* list = dynamic_cast<MPersistentComposite*>(object)) NumberAll(list->GetChildren());
    }

private:
    void NumberAll(const GCountedPtrVector& children) {
        for (uint32_t i = 0; i < children.Count(); ++i)
            Number(children.At(i).Get());
    }
    void NumberCommand(GCommand& command) {
        Number(command.GetState());
        if (auto* list = dynamic_cast<GCommandComposite*>(&command))
            Number(const_cast<MPersistentComposite*>(&list->GetList()));
        if (auto* error = dynamic_cast<GErrorCommand*>(&command)) Number(error->GetObject());
    }
    void NumberDevice(GPeripheral& device) {
        Number(device.GetDefaultState());
        Number(device.GetCurrentState());
        Number(device.GetChildren());
        for (uint32_t i = 0; i < device.GetListenerCount(); ++i)
            Number(device.GetListener(i));
        if (auto* composite = dynamic_cast<GPeripheralComposite*>(&device)) {
            Number(composite->AsComposite());
            Number(composite->GetOwnCurrentState());
            Number(composite->GetOwnDefaultState());
            Number(composite->GetOwnChildren());
        }
        if (auto* proxy = dynamic_cast<GPeripheralProxy*>(&device)) Number(proxy->GetLibrary());
    }

    std::set<MPersistentObject*> seen_;
    uint32_t next_ = 1;
};

const uint8_t kPjl[] = "@PJL ECHO seed\r\n";

GCountedPtr PageSeed() {
    auto* state = new GState(0);
    state->Add(new GValueAttribute(1, 257));
    auto* page = new GCommandComposite();
    page->Append(new GPageStart(state, 0));
    page->Append(new GNullCommand(state, 0));
    page->Append(new GPageEnd(state, 0));
    return GCountedPtr(page);
}

GCountedPtr DocumentSeed() {
    static TestJobContext job(7); // outlives the seed's commands
    auto* document = new GCommandComposite(3);
    document->Append(new GDocumentStart(u"Report", "stored", u"file:out.prn", &job, nullptr, 0));
    document->Append(new GPageStart());
    document->Append(new GPassThroughCommand(kPjl, sizeof kPjl - 1, GPassThroughCommand::kPclXlWriter));
    document->Append(new GDownloadHeaderCommand(2, 0));
    document->Append(new GPageEnd());
    document->Append(new GDocumentEnd(u"Report", u"file:out.prn", 0));
    document->Append(new GJobAbort());
    document->Append(new GNoCommand());
    return GCountedPtr(document);
}

GCountedPtr ErrorSeed() {
    return GCountedPtr(new GErrorCommand(0x259, new GDocumentStart(u"doc", u"dest", nullptr, 0)));
}

GCountedPtr PrinterSeed() {
    auto* printer = new GPrinter(u"printer", nullptr, nullptr, 0);
    auto* stage = new GPeripheralComposite(GPrinter::kJobControlStageId);
    stage->GetOwnDefaultState()->Add(new GStringAttribute("PJL", 282));
    printer->Add(stage);
    printer->Add(new GPeripheralComposite(GPrinter::kWriterId));
    printer->Add(new GPeripheralProxy(u"QVADDON.DLL", GPeripheral::kPdlPcl, GPeripheral::kAddOnPerCommand));
    return GCountedPtr(printer);
}

struct Seed {
    std::string name;
    std::string bytes;
};

std::vector<Seed> Seeds() {
    const std::pair<const char*, std::function<GCountedPtr()>> graphs[] = {
        {"page", PageSeed}, {"document", DocumentSeed}, {"error", ErrorSeed}, {"printer", PrinterSeed}};
    std::vector<Seed> seeds;
    for (const auto& [name, make] : graphs) {
        GCountedPtr graph = make();
        SerialNumbering().Number(graph.Get());
        seeds.push_back({std::string(name) + "-raw", leaftest::SaveGraph(graph.Get(), Carrier::Raw)});
        seeds.push_back(
            {std::string(name) + "-portable", leaftest::SaveGraph(graph.Get(), Carrier::Portable)});
    }
    return seeds;
}

std::string FileContents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(CommandFuzzSeedsTest, TheCommittedSeedsAreWhatTheLibraryWrites) {
    const fs::path folder = fs::path(QV_SOURCE_DIR) / "fuzz" / "corpus" / "CommandGraphRestoreFuzz";
    const char* write = std::getenv("QV_WRITE_FUZZ_SEEDS");
    const bool writing = write != nullptr && std::string(write) == "1";
    if (writing) fs::create_directories(folder);
    for (const Seed& seed : Seeds()) {
        SCOPED_TRACE(seed.name);
        const Carrier carrier = seed.name.ends_with("-raw") ? Carrier::Raw : Carrier::Portable;
        GCountedPtr restored(leaftest::RestoreGraph(seed.bytes, carrier));
        EXPECT_TRUE(restored);
        if (writing) {
            std::ofstream(folder / seed.name, std::ios::binary) << seed.bytes;
        } else {
            EXPECT_EQ(FileContents(folder / seed.name), seed.bytes);
        }
    }
}
