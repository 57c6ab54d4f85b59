#include "job/GDocumentStart.h"

#include "driver/GJobContextTable.h"
#include "job/GJobContext.h"
#include "pipeline/GPeripheral.h"

GDocumentStart::GDocumentStart() : GDocumentCommand(0) {}

GDocumentStart::GDocumentStart(const RWWString& documentName, const RWWString& destination,
                               GJobContext* jobContext, uint32_t id)
    : GDocumentCommand(documentName, destination, id), jobContext_(jobContext) {}

GDocumentStart::GDocumentStart(const RWWString& documentName, const RWCString& jobName,
                               const RWWString& destination, GJobContext* jobContext, GState* state,
                               uint32_t id)
    : GDocumentCommand(documentName, destination, state, id), jobContext_(jobContext), jobName_(jobName) {}

GDocumentStart::GDocumentStart(const GDocumentStart& other)
    : GDocumentCommand(other), jobContext_(other.jobContext_), restoredKey_(other.restoredKey_),
      jobKey_(other.jobKey_), jobName_(other.jobName_) {}

GDocumentStart& GDocumentStart::operator=(const GDocumentStart& other) {
    if (this != &other) {
        GDocumentCommand::operator=(other);
        jobContext_ = other.jobContext_;
        restoredKey_ = other.restoredKey_;
        jobKey_ = other.jobKey_;
        jobName_ = other.jobName_;
    }
    return *this;
}

GDocumentStart::~GDocumentStart() = default;

GJobContext* GDocumentStart::GetJobContext() const {
    if (jobContext_ != nullptr) return jobContext_;
    return restoredKey_ ? GJobContextTable::Find(jobKey_) : nullptr;
}

uint32_t GDocumentStart::JobKey() const {
    return jobContext_ != nullptr ? jobContext_->GetJobKey() : jobKey_;
}

uint32_t GDocumentStart::BinaryStoreSize() const {
    return GDocumentCommand::BinaryStoreSize() + 8 + (HasJobContext() ? 4 : 0);
}

template <class Carrier> void GDocumentStart::SaveGutsTo(Carrier& carrier) const {
    GDocumentCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveU32(carrier, HasJobContext() ? 1 : 0);
    if (HasJobContext()) RWSaveU32(carrier, JobKey());
}

template <class Carrier> void GDocumentStart::RestoreGutsFrom(Carrier& carrier) {
    GDocumentCommand::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    uint32_t flag = 0;
    if (!RWRestoreU32(carrier, flag) || flag == 0) return;
    uint32_t key = 0;
    if (flag != 1) {
        GMarkRestoreFailed(carrier);
        return;
    }
    if (!RWRestoreU32(carrier, key)) return;
    jobContext_ = nullptr;
    restoredKey_ = true;
    jobKey_ = key;
}

RW_DEFINE_GUTS(GDocumentStart)

bool GDocumentStart::IsEqualId(const MPersistentObject* other) const {
    if (other == this) return true;
    const auto* start = dynamic_cast<const GDocumentStart*>(other);
    return start != nullptr && start->IsA() == IsA() && start->GetJobContext() == GetJobContext() &&
           IsEqualDocumentCommand(other);
}

uint16_t GDocumentStart::Accept(GPeripheral& device) {
    return device.OnDocumentStart(*this);
}
