#include "model/GListAttribute.h"

#include <limits>

#include "model/MPersistentClass.h"
#include "model/MPersistentIterator.h"

GListAttribute::GListAttribute() = default;

GListAttribute::GListAttribute(uint16_t firstWord, uint16_t secondWord)
    : secondWord_(secondWord), firstWord_(firstWord) {}

GListAttribute::GListAttribute(const GListAttribute& other)
    : GAttribute(other), secondWord_(other.secondWord_), firstWord_(other.firstWord_) {
    OwnedNodes copy;
    CopyAll(other.values_, copy.list);
    MoveAll(copy.list, values_);
}

GListAttribute& GListAttribute::operator=(const GListAttribute& other) {
    if (this == &other) {
        return *this;
    }
    OwnedNodes copy;
    CopyAll(other.values_, copy.list);
    GAttribute::operator=(other);
    firstWord_ = other.firstWord_;
    secondWord_ = other.secondWord_;
    FreeAll(values_);
    MoveAll(copy.list, values_);
    return *this;
}

GListAttribute::~GListAttribute() {
    FreeAll(values_);
}

void GListAttribute::AppendTo(RWIntrusiveSlist& list, uint16_t value) {
    Node* node = new Node;
    node->value = value;
    list.Append(node);
}

void GListAttribute::CopyAll(const RWIntrusiveSlist& source, RWIntrusiveSlist& target) {
    const RWIntrusiveSlistLink* link = source.First();
    for (size_t i = 0; i < source.Entries(); ++i, link = link->next) {
        AppendTo(target, static_cast<const Node*>(link)->value);
    }
}

void GListAttribute::FreeAll(RWIntrusiveSlist& list) {
    while (RWIntrusiveSlistLink* link = list.RemoveAfterLink(list.Head())) {
        delete static_cast<Node*>(link);
    }
}

void GListAttribute::MoveAll(RWIntrusiveSlist& source, RWIntrusiveSlist& target) {
    while (RWIntrusiveSlistLink* link = source.RemoveAfterLink(source.Head())) {
        target.Append(link);
    }
}

bool GListAttribute::AppendValues(const uint16_t* values, uint32_t n) {
    if (n > kMaxCount - values_.Entries()) {
        return false;
    }
    OwnedNodes added;
    for (uint32_t i = 0; i < n; ++i) {
        AppendTo(added.list, values[i]);
    }
    MoveAll(added.list, values_);
    return true;
}

uint16_t GListAttribute::GetAt(int16_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= values_.Entries()) {
        return kNoValue;
    }
    return static_cast<const Node*>(values_.At(static_cast<size_t>(index)))->value;
}

uint32_t GListAttribute::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 12 + 2 * static_cast<uint32_t>(values_.Entries());
}

template <class Carrier> void GListAttribute::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveI16(carrier, static_cast<int16_t>(firstWord_));
    RWSaveI16(carrier, static_cast<int16_t>(secondWord_));
    RWSaveU32(carrier, static_cast<uint32_t>(values_.Entries()));
    const RWIntrusiveSlistLink* link = values_.First();
    for (size_t i = 0; i < values_.Entries(); ++i, link = link->next) {
        RWSaveI16(carrier, static_cast<int16_t>(static_cast<const Node*>(link)->value));
    }
}

template <class Carrier> void GListAttribute::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    // Any word is taken here: the two words come before the version check.
    uint32_t version = 0;
    if (!GReadClassVersion(carrier, version, std::numeric_limits<uint32_t>::max(), 0)) {
        return;
    }
    int16_t first = 0;
    int16_t second = 0;
    if (!RWRestoreI16(carrier, first) || !RWRestoreI16(carrier, second)) {
        return;
    }
    firstWord_ = static_cast<uint16_t>(first);
    secondWord_ = static_cast<uint16_t>(second);
    if (version < 1 || version > ClassVersion()) {
        GMarkRestoreFailed(carrier); // the list stays as it was
        return;
    }
    uint32_t count = 0;
    if (!RWRestoreU32(carrier, count)) {
        return;
    }
    if (count > kMaxCount) {
        GMarkRestoreFailed(carrier); // a damaged count is never used
        return;
    }
    // Read into a list of its own, so a cut-off record keeps the old values.
    OwnedNodes restored;
    for (uint32_t i = 0; i < count; ++i) {
        int16_t value = 0;
        if (!RWRestoreI16(carrier, value)) {
            return;
        }
        AppendTo(restored.list, static_cast<uint16_t>(value));
    }
    FreeAll(values_);
    MoveAll(restored.list, values_);
}

RW_DEFINE_GUTS(GListAttribute)

bool GListAttribute::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    const auto* list = dynamic_cast<const GListAttribute*>(other);
    if (list == nullptr || list->IsA() != IsA() || list->GetId() != GetId() ||
        list->firstWord_ != firstWord_ || list->values_.Entries() != values_.Entries()) {
        return false;
    }
    const RWIntrusiveSlistLink* mine = values_.First();
    const RWIntrusiveSlistLink* theirs = list->values_.First();
    for (size_t i = 0; i < values_.Entries(); ++i, mine = mine->next, theirs = theirs->next) {
        if (static_cast<const Node*>(mine)->value != static_cast<const Node*>(theirs)->value) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<MPersistentIterator> GListAttribute::CreateIterator() {
    return nullptr;
}

uint16_t GListAttribute::Apply(GPeripheral&) {
    return 1;
}
