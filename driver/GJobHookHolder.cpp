#include "driver/GJobHookHolder.h"

#include <new>

#include "driver/GDriverContext.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/GetVersionNumbers.h"
#include "model/MPersistentObject.h"
#include "winapi/WinGdi.h"

namespace {

constexpr uint16_t kDefaultJobType = 2;
constexpr uint16_t kDefaultCopies = 1;

// The 16-bit value of setting id inside node nodeId of tree, or fallback.
uint16_t FindValue(MPersistentObject* tree, uint32_t nodeId, uint32_t id, uint16_t fallback) {
    MPersistentObject* node = tree != nullptr ? tree->FindById(nodeId) : nullptr;
    auto* value = node != nullptr ? dynamic_cast<GValueAttribute*>(node->FindById(id)) : nullptr;
    return value != nullptr ? value->GetValue() : fallback;
}

} // namespace

GJobHookHolder::GJobHookHolder() = default;

GJobHookHolder::~GJobHookHolder() = default;

GJobHookHolder::JobBlock GJobHookHolder::MakeJobBlock(GDriverContext* context, MPersistentObject* settings) {
    uint32_t version = 0;
    GetVersionNumbers(&version, nullptr);
    const uint16_t copies =
        FindValue(settings, GSettingId::kDocumentGroup, GSettingId::kCopies, kDefaultCopies);
    MPersistentObject* configuration = context != nullptr ? context->GetConfiguration() : nullptr;
    const uint16_t jobType =
        FindValue(configuration, GSettingId::kPrinterNode, GSettingId::kJobHookJobType, kDefaultJobType);
    JobBlock block{};
    block[1] = 4;
    block[2] = (version >> 16) | (static_cast<uint32_t>(copies) << 16);
    block[3] = jobType;
    return block;
}

void GJobHookHolder::BeginJob(GDriverContext* context, MPersistentObject* settings,
                              const DOCINFOW* document) {
    hook_.reset();
    hook_.reset(new (std::nothrow) GJobHookModule());
    if (hook_ == nullptr) return;
    const RWWString printer = context != nullptr ? context->GetPrinterName() : RWWString();
    const RWWString port = context != nullptr ? context->GetPortName() : RWWString();
    const WCHAR* documentName =
        document != nullptr && document->lpszDocName != nullptr ? document->lpszDocName : u"";
    const WCHAR* output =
        document != nullptr && document->lpszOutput != nullptr ? document->lpszOutput : port.Data();
    const JobBlock block = MakeJobBlock(context, settings);
    if (!hook_->BeginJob(u"Application", documentName, printer.Data(), output, output, block.data())) {
        hook_.reset();
    }
}

void GJobHookHolder::EndPage(GDriverContext*, MPersistentObject*) {
    if (hook_ != nullptr) hook_->EndPage();
}

void GJobHookHolder::EndJob(GDriverContext*, MPersistentObject*) {
    Finish(0);
}

void GJobHookHolder::AbortJob(GDriverContext*, MPersistentObject*) {
    Finish(1);
}

void GJobHookHolder::Finish(uint32_t aborted) {
    if (hook_ == nullptr) return;
    hook_->EndJob(aborted);
    hook_.reset();
}
