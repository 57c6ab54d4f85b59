#include "model/GEnumAttribute.h"

#include "pipeline/GPeripheral.h"
#include "rw/RWCollectableIO.h"

GEnumAttribute::GEnumAttribute() = default;

GEnumAttribute::GEnumAttribute(uint32_t id) : GAttributeComposite(id) {}

GEnumAttribute::GEnumAttribute(const GEnumAttribute& other)
    : GAttributeComposite(other), elementClass_(other.elementClass_) {
    // The choices are shared, so the source's selection is one of ours too.
    selection_ = ChildOrFirst(other.GetSelection());
}

GEnumAttribute& GEnumAttribute::operator=(const GEnumAttribute& other) {
    if (this == &other) {
        return *this;
    }
    GAttribute* wanted = other.GetSelection();
    GAttributeComposite::operator=(other);
    elementClass_ = other.elementClass_;
    // Normally the shared choice itself; should the node have kept its own
    // choices, the one equal to it.
    selection_ = ChildOrFirst(wanted);
    if (wanted != nullptr && selection_ != wanted) {
        Select(wanted);
    }
    return *this;
}

GEnumAttribute::~GEnumAttribute() = default;

// --- Selection -----------------------------------------------------------------

uint32_t GEnumAttribute::IndexOfChild(const MPersistentObject* object) const {
    if (object == nullptr) {
        return GCountedPtrVector::kNotFound;
    }
    // Addresses only: object may be a choice that has already gone.
    const GCountedPtrVector& children = GetChildren();
    for (uint32_t i = 0; i < children.Count(); ++i) {
        if (children.At(i).Get() == object) {
            return i;
        }
    }
    return GCountedPtrVector::kNotFound;
}

GAttribute* GEnumAttribute::FirstChoice() const {
    const uint32_t n = GetChildren().Count();
    for (uint32_t i = 0; i < n; ++i) {
        if (GAttribute* choice = AttributeAt(i)) {
            return choice;
        }
    }
    return nullptr;
}

GAttribute* GEnumAttribute::ChildOrFirst(const MPersistentObject* candidate) const {
    const uint32_t index = IndexOfChild(candidate);
    if (index != GCountedPtrVector::kNotFound) {
        if (GAttribute* choice = AttributeAt(index)) {
            return choice;
        }
    }
    return FirstChoice();
}

GAttribute* GEnumAttribute::GetSelection() const {
    selection_ = ChildOrFirst(selection_);
    return selection_;
}

GAttribute* GEnumAttribute::Select(const MPersistentObject* object) {
    if (object == nullptr) {
        return nullptr;
    }
    MPersistentObject* found = FindEqual(object);
    // The search may end deep inside a choice; only a choice itself can be
    // selected.
    if (found == nullptr || IndexOfChild(found) == GCountedPtrVector::kNotFound) {
        return nullptr;
    }
    GAttribute* choice = ChildOrFirst(found);
    if (choice != found) {
        return nullptr;
    }
    selection_ = choice;
    return choice;
}

GAttribute* GEnumAttribute::SelectNext() {
    GAttribute* current = GetSelection();
    if (current == nullptr) {
        return nullptr;
    }
    const uint32_t n = GetChildren().Count();
    for (uint32_t i = IndexOfChild(current) + 1; i < n; ++i) {
        if (GAttribute* next = AttributeAt(i)) {
            selection_ = next;
            return next;
        }
    }
    return nullptr;
}

GAttribute* GEnumAttribute::SelectPrevious() {
    GAttribute* current = GetSelection();
    if (current == nullptr) {
        return nullptr;
    }
    for (uint32_t i = IndexOfChild(current); i > 0; --i) {
        if (GAttribute* previous = AttributeAt(i - 1)) {
            selection_ = previous;
            return previous;
        }
    }
    return nullptr;
}

// --- Adding and removing -----------------------------------------------------

void GEnumAttribute::Add(MPersistentObject* object) {
    if (object == nullptr) {
        return;
    }
    // Held at once: an object that is not kept is deleted by this holder when
    // nobody else holds it.
    GCountedPtr held(object);
    // Checked before the object can set the element class or the selection:
    // the node keeps attributes only.
    if (!object->IsKindOf(GAttribute::kClassId)) {
        return;
    }
    if (elementClass_ != 0 && object->IsA() != elementClass_) {
        return;
    }
    if (IndexOfChild(object) != GCountedPtrVector::kNotFound || FindEqual(object) != nullptr) {
        return;
    }
    GAttributeComposite::Add(object);
    const uint32_t index = IndexOfChild(object);
    if (index == GCountedPtrVector::kNotFound) {
        return; // the node refused it (it is full)
    }
    if (elementClass_ == 0) {
        elementClass_ = object->IsA();
    }
    if (GetSelection() == nullptr) {
        selection_ = AttributeAt(index);
    }
}

std::unique_ptr<MPersistentObject> GEnumAttribute::Remove(const MPersistentObject* object) {
    GAttribute* selected = GetSelection();
    std::unique_ptr<MPersistentObject> removed = GAttributeComposite::Remove(object);
    if (removed == nullptr) {
        return nullptr;
    }
    // Whether the caller received the selected choice or a copy of it, the
    // node no longer has it.
    if (IndexOfChild(selected) == GCountedPtrVector::kNotFound) {
        selection_ = FirstChoice();
    }
    return removed;
}

std::unique_ptr<MPersistentObject> GEnumAttribute::RemoveById(uint32_t id) {
    MPersistentObject* found = FindById(id);
    return found != nullptr ? Remove(found) : nullptr;
}

std::unique_ptr<MPersistentObject> GEnumAttribute::RemoveByClass(RWClassID classId) {
    MPersistentObject* found = FindByClass(classId);
    return found != nullptr ? Remove(found) : nullptr;
}

template <typename Operation> int GEnumAttribute::ReplaceKeepingSelection(Operation operation) {
    GAttribute* selected = GetSelection();
    const uint32_t index = IndexOfChild(selected);
    // Held until the selection has moved, so the replaced choice is neither
    // freed nor its address reused while it is compared.
    GCountedPtr keep(selected);
    const int replaced = operation();
    if (selected != nullptr && IndexOfChild(selected) == GCountedPtrVector::kNotFound) {
        const GCountedPtrVector& children = GetChildren();
        selection_ = index < children.Count() ? ChildOrFirst(children.At(index).Get()) : FirstChoice();
    }
    return replaced;
}

int GEnumAttribute::ReplaceById(uint32_t id, const MPersistentObject* object) {
    return ReplaceKeepingSelection([&] { return GAttributeComposite::ReplaceById(id, object); });
}

int GEnumAttribute::ReplaceByClass(RWClassID classId, const MPersistentObject* object) {
    return ReplaceKeepingSelection([&] { return GAttributeComposite::ReplaceByClass(classId, object); });
}

int GEnumAttribute::Replace(const MPersistentObject* target, const MPersistentObject* object) {
    return ReplaceKeepingSelection([&] { return GAttributeComposite::Replace(target, object); });
}

int GEnumAttribute::ReplaceByKind(RWClassID classId, const MPersistentObject* object) {
    return ReplaceKeepingSelection([&] { return GAttributeComposite::ReplaceByKind(classId, object); });
}

void GEnumAttribute::RemoveAll() {
    GAttributeComposite::RemoveAll();
    selection_ = nullptr;
}

// --- Attribute protocol ------------------------------------------------------

void GEnumAttribute::AssignFrom(GAttribute*) {}

uint16_t GEnumAttribute::Apply(GPeripheral& device) {
    const uint16_t status = device.OnEnumAttribute(*this);
    SetChanged(0);
    return status;
}

bool GEnumAttribute::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || !GAttributeComposite::IsEqualId(other)) {
        return false;
    }
    const auto* choices = dynamic_cast<const GEnumAttribute*>(other);
    if (choices == nullptr) {
        return false;
    }
    const GAttribute* mine = GetSelection();
    const GAttribute* theirs = choices->GetSelection();
    if ((mine == nullptr) != (theirs == nullptr)) {
        return false;
    }
    if (mine != nullptr && mine != theirs && mine->IsNotEqualId(theirs)) {
        return false;
    }
    return elementClass_ == choices->elementClass_;
}

std::unique_ptr<MPersistentObject> GEnumAttribute::Clone() const {
    // The deep copy adds a clone of every choice; the one equal to this
    // node's selection is selected, so a replaced list keeps its choice.
    std::unique_ptr<MPersistentObject> clone = GAttributeComposite::Clone();
    auto* choices = dynamic_cast<GEnumAttribute*>(clone.get());
    if (choices != nullptr) {
        if (const GAttribute* selected = GetSelection()) {
            choices->Select(selected);
        }
    }
    return clone;
}

// --- Persistence ----------------------------------------------------------------

uint32_t GEnumAttribute::BinaryStoreSize() const {
    const RWCollectable* selected = GetSelection();
    if (selected == nullptr) {
        selected = RWCollectable::NilObject();
    }
    return GAttributeComposite::BinaryStoreSize() + 4 + selected->RecursiveStoreSize() + 2;
}

template <class Carrier> void GEnumAttribute::SaveGutsTo(Carrier& carrier) const {
    GAttributeComposite::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveObject(carrier, GetSelection());
    RWSaveU16(carrier, elementClass_);
}

template <class Carrier> void GEnumAttribute::RestoreGutsFrom(Carrier& carrier) {
    // The node's restore may release every choice, the selected one
    // included: held here until the selection has moved.
    GCountedPtr previous(GetSelection());
    refusedSelection_.Reset();
    GAttributeComposite::RestoreGuts(carrier);
    selection_ = ChildOrFirst(previous.Get());
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) {
        return;
    }
    GCountedPtr restored = GRestorePtr<GAttribute>(carrier);
    if (restored && IndexOfChild(restored.Get()) == GCountedPtrVector::kNotFound) {
        // Not one of the choices (crafted or damaged data): refused, but kept
        // alive for the rest of the graph.
        refusedSelection_ = restored;
    }
    selection_ = ChildOrFirst(restored.Get());
    if (GRestoreGood(carrier)) {
        RWRestoreU16(carrier, elementClass_);
    }
}

RW_DEFINE_GUTS(GEnumAttribute)
