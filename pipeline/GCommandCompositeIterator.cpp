#include "pipeline/GCommandCompositeIterator.h"

#include <utility>

#include "model/GCountedPtr.h"
#include "pipeline/GCommand.h"

GCommandCompositeIterator::GCommandCompositeIterator(std::unique_ptr<MPersistentIterator> list)
    : list_(std::move(list)) {}

GCommandCompositeIterator::~GCommandCompositeIterator() = default;

MPersistentObject* GCommandCompositeIterator::Current() {
    return onChild_ ? list_->Current() : nullptr;
}

void GCommandCompositeIterator::ReplaceCurrent(MPersistentObject* object) {
    const GCountedPtr held(object);
    if (!onChild_ || object == nullptr || !object->IsKindOf(GCommand::kClassId)) return;
    list_->ReplaceCurrent(object);
}

bool GCommandCompositeIterator::Advance() {
    onChild_ = list_->Advance();
    return onChild_;
}

void GCommandCompositeIterator::Reset() {
    list_->Reset();
    onChild_ = false;
}
