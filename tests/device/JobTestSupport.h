#pragma once
// Doubles shared by the job-command and peripheral-chain tests: a device
// that records every command operation it is handed (with a status to
// answer per operation), the flush command no class of the system defines,
// an in-memory output channel, a channel provider, a job context with its
// job-key table, and a test stage that can pose as a writer.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/GPeripheralComposite.h"
#include "driver/GChannelProvider.h"
#include "driver/GJobContextTable.h"
#include "job/GDocumentStart.h"
#include "job/GJobContext.h"
#include "model/GState.h"
#include "pipeline/GCommand.h"
#include "pipeline/GOutputChannel.h"
#include "pipeline/GPeripheral.h"

namespace jobtest {

// One shared record of calls, "name:Operation", in order.
using CallLog = std::vector<std::string>;

// Records each command operation (and the transform and value settings) as
// "name:Operation" and answers the status set for that operation (0 when
// none is set). The document and page operations also move the state word
// as the base does.
class RecordingDevice : public GPeripheral {
public:
    explicit RecordingDevice(std::string name = "device", CallLog* log = nullptr, uint32_t id = 0)
        : GPeripheral(id), name_(std::move(name)), log_(log != nullptr ? log : &ownLog_) {}

    std::map<std::string, uint16_t> statuses;
    // Makes the operation disable this device when it runs.
    std::string disableOn;

    const CallLog& Log() const { return *log_; }
    // The operations this device recorded, without its name.
    std::vector<std::string> Operations() const {
        std::vector<std::string> operations;
        const std::string prefix = name_ + ":";
        for (const std::string& call : *log_)
            if (call.rfind(prefix, 0) == 0) operations.push_back(call.substr(prefix.size()));
        return operations;
    }

    uint16_t OnPathGraphic(GPathGraphic&) override { return Record("OnPathGraphic"); }
    uint16_t OnPolyBezierGraphic(GPolyBezierGraphic&) override { return Record("OnPolyBezierGraphic"); }
    uint16_t OnPolygonGraphic(GPolygonGraphic&) override { return Record("OnPolygonGraphic"); }
    uint16_t OnRectangleGraphic(GRectangleGraphic&) override { return Record("OnRectangleGraphic"); }
    uint16_t OnRasterGraphic(GRasterGraphic&) override { return Record("OnRasterGraphic"); }
    uint16_t OnTextStringGraphic(GTextStringGraphic&) override { return Record("OnTextStringGraphic"); }
    uint16_t OnDownloadFace(GDownloadFace&) override { return Record("OnDownloadFace"); }
    uint16_t OnDocumentStart(GDocumentStart& command) override {
        GPeripheral::OnDocumentStart(command);
        return Record("OnDocumentStart");
    }
    uint16_t OnDocumentEnd(GDocumentEnd& command) override {
        GPeripheral::OnDocumentEnd(command);
        return Record("OnDocumentEnd");
    }
    uint16_t OnFlush(GCommand&) override { return Record("OnFlush"); }
    uint16_t OnPageStart(GPageStart& command) override {
        GPeripheral::OnPageStart(command);
        return Record("OnPageStart");
    }
    uint16_t OnPageEnd(GPageEnd& command) override {
        GPeripheral::OnPageEnd(command);
        return Record("OnPageEnd");
    }
    uint16_t OnJobAbort(GJobAbort& command) override {
        GPeripheral::OnJobAbort(command);
        return Record("OnJobAbort");
    }
    uint16_t OnErrorCommand(GErrorCommand&) override { return Record("OnErrorCommand"); }
    uint16_t OnPassThroughCommand(GPassThroughCommand&) override { return Record("OnPassThroughCommand"); }
    uint16_t OnDownloadHeaderCommand(GDownloadHeaderCommand&) override {
        return Record("OnDownloadHeaderCommand");
    }
    uint16_t OnValueAttribute(GValueAttribute&) override { return Record("OnValueAttribute"); }
    uint16_t OnTransformAttribute(GTransformAttribute&) override { return Record("OnTransformAttribute"); }

private:
    uint16_t Record(const char* operation) {
        log_->push_back(name_ + ":" + operation);
        if (disableOn == operation) Disable();
        auto found = statuses.find(operation);
        return found != statuses.end() ? found->second : 0;
    }

    std::string name_;
    CallLog ownLog_;
    CallLog* log_;
};

// The job command of class id 718 that no class of the system defines.
class FlushCommand : public GCommand {
    MPERSISTENT_CLASS_MEMBERS(FlushCommand, GCommand, 718)

public:
    FlushCommand() = default;
    uint16_t Accept(GPeripheral& device) override { return device.OnFlush(*this); }
};

// A job's bytes in memory, with what was done to the channel.
class MemoryChannel : public GOutputChannel {
public:
    explicit MemoryChannel(bool open = true) : open_(open) {}

    uint16_t Open(const RWWString& documentName) override {
        events.push_back("Open");
        document = documentName;
        return openStatus;
    }
    int IsOpen() const override { return open_ ? 1 : 0; }
    uint16_t Write(const void* data, size_t length) override {
        bytes.append(static_cast<const char*>(data), length);
        return 0;
    }
    uint16_t EndPage() override {
        events.push_back("EndPage");
        return 0;
    }
    uint16_t Close() override {
        events.push_back("Close");
        return closeStatus;
    }
    uint16_t Abort() override {
        events.push_back("Abort");
        return abortStatus;
    }

    std::vector<std::string> events;
    std::string bytes;
    RWWString document;
    uint16_t openStatus = 0;
    uint16_t closeStatus = 0;
    uint16_t abortStatus = 0;

private:
    bool open_;
};

// Answers the channel it is given, and remembers what it was asked; installed
// while it lives.
class TestChannelProvider : public GChannelProvider {
public:
    TestChannelProvider() { GChannelProvider::Install(this); }
    ~TestChannelProvider() override { GChannelProvider::Install(nullptr); }

    std::shared_ptr<GOutputChannel> OpenChannel(GJobContext* context, const RWWString& destination) override {
        ++calls;
        askedContext = context;
        askedDestination = destination;
        return channel;
    }

    std::shared_ptr<GOutputChannel> channel;
    int calls = 0;
    GJobContext* askedContext = nullptr;
    RWWString askedDestination;
};

class TestJobContext : public GJobContext {
public:
    explicit TestJobContext(uint32_t key) : key_(key) {}
    uint32_t GetJobKey() const override { return key_; }
    void GetSecondName(RWWString& name) const override { name = RWWString(); }
    MPersistentObject* GetPrinterConfiguration() override { return nullptr; }
    uint32_t GetDefaultPaperId() override { return 0; }

protected:
    GPeripheral* GetConfigurationTree() override { return nullptr; }

private:
    uint32_t key_;
};

// The driver server's job-side table as the tests fill it; installed while
// it lives.
class TestJobTable : public GJobContextTable {
public:
    TestJobTable() { GJobContextTable::Install(this); }
    ~TestJobTable() override { GJobContextTable::Install(nullptr); }

    GJobContext* Lookup(uint32_t key) override {
        auto found = jobs.find(key);
        return found != jobs.end() ? found->second : nullptr;
    }

    std::map<uint32_t, GJobContext*> jobs;
};

// A stage of a printer (job-control stage or writer) that records what it
// plays and what is done to its add-ons. As a writer it answers the writer
// kind 765. Not registered: a test that saves one registers it itself.
class TestStage : public GPeripheralComposite {
public:
    static constexpr RWClassID kClassId = 0x7E31;
    static RWCollectable* Create() { return new TestStage(); }
    RWCollectable* NewSpecies() const override { return new TestStage(); }
    RWCollectable* Copy() const override { return new TestStage(*this); }
    RWClassID IsA() const override { return kClassId; }

    TestStage() = default;
    TestStage(std::string name, CallLog* log, uint32_t id, bool writer)
        : GPeripheralComposite(id), name_(std::move(name)), log_(log), writer_(writer) {
        SetName(RWWString(name_.c_str(), RWWString::Ascii));
    }
    TestStage(const TestStage& other) = default;

    bool IsKindOf(RWClassID classId) const override {
        return classId == kClassId || (writer_ && classId == 765) || GPeripheralComposite::IsKindOf(classId);
    }
    // Plays as a plain device, so the tests see the operations it is handed.
    GCountedPtr Process(const GCountedPtr& command) override { return GPeripheral::Process(command); }

    void RebuildAddOns() override { Note("RebuildAddOns"); }
    void RemoveAddOns() override { Note("RemoveAddOns"); }
    uint16_t OnDocumentStart(GDocumentStart& command) override {
        GPeripheral::OnDocumentStart(command);
        return Note("OnDocumentStart");
    }
    uint16_t OnDocumentEnd(GDocumentEnd& command) override {
        GPeripheral::OnDocumentEnd(command);
        return Note("OnDocumentEnd");
    }
    uint16_t OnPageStart(GPageStart&) override { return Note("OnPageStart"); }
    uint16_t OnPageEnd(GPageEnd&) override { return Note("OnPageEnd"); }
    uint16_t OnJobAbort(GJobAbort&) override { return Note("OnJobAbort"); }
    uint16_t OnFlush(GCommand&) override { return Note("OnFlush"); }
    uint16_t OnPassThroughCommand(GPassThroughCommand&) override { return Note("OnPassThroughCommand"); }

    std::map<std::string, uint16_t> statuses;

private:
    uint16_t Note(const char* operation) {
        if (log_ != nullptr) log_->push_back(name_ + ":" + operation);
        auto found = statuses.find(operation);
        return found != statuses.end() ? found->second : 0;
    }

    std::string name_;
    CallLog* log_ = nullptr;
    bool writer_ = false;
};

} // namespace jobtest
