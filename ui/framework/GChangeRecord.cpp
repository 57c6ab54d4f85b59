#include "ui/framework/GChangeRecord.h"

#include <utility>

#include "model/MPersistentObject.h"

GChangeRecord::GChangeRecord(std::unique_ptr<MPersistentObject> attribute, std::optional<GAttributePath> path)
    : attribute_(std::move(attribute)), path_(std::move(path)) {}

GChangeRecord::~GChangeRecord() = default;

int32_t GChangeRecord::IsEqual(const GChangeRecord& other) const {
    return attribute_->IsEqual(other.attribute_.get()) && PathsMatch(path_, other.path_) ? 1 : 0;
}

uint32_t GChangeRecord::Id() const {
    return attribute_->GetId();
}

std::unique_ptr<GChangeRecord> GChangeRecord::Copy() const {
    return std::make_unique<GChangeRecord>(attribute_->Clone(), path_);
}

bool GChangeRecord::PathsMatch(const std::optional<GAttributePath>& a,
                               const std::optional<GAttributePath>& b) {
    if (!a.has_value() || !b.has_value()) return !a.has_value() && !b.has_value();
    return a->size() == b->size() && !a->empty() && a->front() == b->front();
}
