#include "device/GPJL.h"

#include <cstdio>
#include <memory>

#include "driver/GChannelProvider.h"
#include "driver/GDateTime.h"
#include "driver/GOSFactory.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GJobAbort.h"
#include "job/GJobContext.h"
#include "model/GSelectionString.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GStringConversion.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "paper/GMedia.h"
#include "pipeline/GOutputChannel.h"

namespace {

constexpr uint32_t kGroupIds[] = {GSettingId::kGraphicBundleGroup, GSettingId::kPageStateGroup,
                                  GSettingId::kPrintingStateGroup};

} // namespace

GPJL::GPJL() {
    EnsureGroups();
}

GPJL::GPJL(uint32_t id) : GPeripheralComposite() {
    SetId(id);
    EnsureGroups();
}

GPJL::GPJL(const GPJL& other)
    : GPeripheralComposite(other), appliedMedia_(other.appliedMedia_), jobName_(other.jobName_),
      flushAfterHeader_(other.flushAfterHeader_) {}

GPJL& GPJL::operator=(const GPJL& other) {
    if (this == &other) return *this;
    GPeripheralComposite::operator=(other);
    appliedMedia_ = other.appliedMedia_;
    jobName_ = other.jobName_;
    flushAfterHeader_ = other.flushAfterHeader_;
    return *this;
}

GPJL::~GPJL() = default;

uint32_t GPJL::BinaryStoreSize() const {
    return GPeripheralComposite::BinaryStoreSize() + 4 + appliedMedia_.BinaryStoreSize() +
           static_cast<uint32_t>(jobName_.size()) + 4;
}

template <class Carrier> void GPJL::SaveGutsTo(Carrier& carrier) const {
    GPeripheralComposite::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    appliedMedia_.SaveGuts(carrier);
    RWSaveString(carrier, RWCString(jobName_.c_str()));
}

template <class Carrier> void GPJL::RestoreGutsFrom(Carrier& carrier) {
    GPeripheralComposite::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) return;
    appliedMedia_.RestoreGuts(carrier);
    RWCString name;
    RWRestoreString(carrier, name);
    jobName_.assign(name.Data(), name.Length());
}

uint16_t GPJL::OnMedia(GMedia& media) {
    appliedMedia_.Add(static_cast<MPersistentObject*>(media.Copy()));
    return 0;
}

RW_DEFINE_GUTS(GPJL)

void GPJL::EnsureGroups() {
    for (GState* state : {GetDefaultState(), GetCurrentState()}) {
        if (state == nullptr) continue;
        for (uint32_t id : kGroupIds)
            if (state->FindById(id) == nullptr) state->Add(new GState(id));
    }
}

GAttributeComposite* GPJL::PjlGroup() {
    return FindAttribute(GSettingId::kPrintingStateGroup);
}

GValueAttribute* GPJL::FindValue(MPersistentObject* node, uint32_t id) {
    return node != nullptr ? dynamic_cast<GValueAttribute*>(node->FindById(id)) : nullptr;
}

GStringAttribute* GPJL::FindString(MPersistentObject* node, uint32_t id) {
    return node != nullptr ? dynamic_cast<GStringAttribute*>(node->FindById(id)) : nullptr;
}

// --- Line forms -----------------------------------------------------------------

bool GPJL::IsPJLQuotable(std::string_view text) {
    for (unsigned char byte : text)
        if (byte == '"' || (byte < 32 && byte != 9)) return false;
    return true;
}

void GPJL::AppendText(std::string& text, std::string_view bytes) {
    text.append(bytes);
}

void GPJL::AppendLine(std::string& text, std::string_view line) {
    text += "@PJL ";
    text += line;
    text += "\r\n";
}

void GPJL::AppendSetLine(std::string& text, std::string_view line) {
    text += "@PJL SET ";
    text += line;
    text += "\r\n";
}

void GPJL::AppendUEL(std::string& text) {
    text += "\x1b%-12345X";
}

int GPJL::AppendHexBytes(const char* bytes, std::string& text) {
    char digits[4];
    for (; bytes != nullptr && *bytes != '\0'; ++bytes) {
        std::snprintf(digits, sizeof digits, "%x", static_cast<unsigned char>(*bytes) & 0x7F);
        text += digits;
    }
    return 0;
}

// --- Playing ----------------------------------------------------------------------

GCountedPtr GPJL::Process(const GCountedPtr& command) {
    return GPeripheral::Process(command);
}

GCountedPtr GPJL::HandleCommand(const GCountedPtr& command) {
    auto* played = command.As<GCommand>();
    if (played == nullptr) return command;
    const RWClassID kind = played->IsA();
    if (kind != GDocumentStart::kClassId && kind != GDocumentEnd::kClassId && kind != GJobAbort::kClassId)
        return command;
    const GValueAttribute* enabled = FindValue(PjlGroup(), GSettingId::kSendPjl);
    if (enabled != nullptr && enabled->GetValue() == 0) return command;
    return GPeripheral::HandleCommand(command);
}

uint16_t GPJL::OnJobAbort(GJobAbort& command) {
    SetIdle();
    GPeripheral::OnJobAbort(command);
    return 0;
}

uint16_t GPJL::OpenChannel(GDocumentStart& command) {
    if (command.GetChannel() == nullptr) {
        std::shared_ptr<GOutputChannel> made =
            GChannelProvider::Open(command.GetJobContext(), command.GetDestination());
        SetChannel(made, true);
        if (made == nullptr || made->IsOpen() == 0) return kNoChannel;
        command.SetChannel(made);
    } else if (GetChannel() != command.GetChannel()) {
        SetChannel(command.GetChannel(), OwnsChannel() != 0);
    }
    if (OwnsChannel() != 0) return GetChannel()->Open(command.GetDocumentName());
    return 0;
}

uint16_t GPJL::OnDocumentStart(GDocumentStart& command) {
    GOSFactory* platform = GOSFactory::Instance();
    if (platform != nullptr && platform->QueryService(0, 0, 0) != 0) flushAfterHeader_ = 0;
    if (const uint16_t status = OpenChannel(command); status != 0) return status;
    GAttributeComposite* group = PjlGroup();
    std::string text;
    AppendUEL(text);
    WriteJobName(text, command);
    if (group != nullptr) {
        WriteComments(text, *group);
        WriteUserAndDisplay(text, *group);
        WriteCopiesAndQuality(text, *group);
        WriteDuplex(text, *group, command);
        if (const GValueAttribute* back = FindValue(group, GSettingId::kPrintOnBackSide))
            AppendSetLine(text, back->GetValue() != 0 ? "PRINTONBACKSIDE=ON" : "PRINTONBACKSIDE=OFF");
        WriteUsage(command, text, *group);
        if (const GValueAttribute* quality = FindValue(group, GSettingId::kPrintQuality)) {
            static constexpr const char* kWords[] = {"DRAFT", "FASTNORMAL", "NORMAL", "BEST"};
            const int value = static_cast<int16_t>(quality->GetValue());
            if (value >= -2 && value <= 1)
                AppendSetLine(text, std::string("PRINTQUALITY=") + kWords[value + 2]);
        }
        WriteTimeStamp(text, *group);
        WriteMachineLines(text, *group);
        WriteGrayscale(text);
    }
    WriteOutputBins(text, group);
    if (group != nullptr) {
        WritePageProtect(text, *group);
        WritePaper(text, *group, command);
        WriteMedia(text, *group);
        WriteJobStorage(text, *group, command);
    }
    appliedMedia_.RemoveAll();
    if (group != nullptr) WriteResolution(text, *group);
    WriteDeviceModelInfo(text);
    WriteDryTime(text);
    WriteTransparencyInterleave(text);
    WriteImageShift(text);
    for (GPeripheral* child : GetAllChildren())
        child->Process(GCountedPtr(&command));
    if (group != nullptr) WriteRawLines(text, *group);
    WriteLanguage(text);
    if (const uint16_t status = GetChannel()->Write(text.data(), text.size()); status != 0) return status;
    SetInDocument();
    return 0;
}

uint16_t GPJL::OnDocumentEnd(GDocumentEnd& command) {
    SetIdle();
    for (GPeripheral* child : GetAllChildren())
        child->Process(GCountedPtr(&command));
    std::string text;
    AppendUEL(text);
    if (GAttributeComposite* group = PjlGroup()) WriteRawLines(text, *group);
    AppendLine(text, "EOJ NAME=\"" + jobName_ + "\"");
    const GValueAttribute* noClosingUel = FindValue(GetChildren(), GSettingId::kNoClosingUel);
    if (noClosingUel == nullptr || noClosingUel->GetValue() == 0) AppendUEL(text);
    if (GetChannel() == nullptr) return kNoChannel;
    if (const uint16_t status = GetChannel()->Write(text.data(), text.size()); status != 0) return status;
    if (OwnsChannel() != 0) return GetChannel()->Close();
    return 0;
}
