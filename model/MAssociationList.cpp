#include "model/MAssociationList.h"

namespace {

int KeyMatches(GCountedPtr* child, void* argument) {
    const auto* key = static_cast<const MPersistentObject*>(argument);
    if (key == nullptr) {
        return 0; // a missing key equals nothing
    }
    const auto* association = child->As<MPersistentAssociation>();
    if (association == nullptr || association->GetKey() == nullptr) {
        return 0;
    }
    return association->GetKey()->IsEqualId(key) ? 1 : 0;
}

std::unique_ptr<MPersistentAssociation> AsAssociation(std::unique_ptr<MPersistentObject> object) {
    auto* association = dynamic_cast<MPersistentAssociation*>(object.get());
    if (association == nullptr) {
        return nullptr; // deleted with object
    }
    object.release();
    return std::unique_ptr<MPersistentAssociation>(association);
}

} // namespace

// What an earlier restore dropped stays with the list it was read into.
MAssociationList::MAssociationList(const MAssociationList& other) : MPersistentComposite(other) {}

MAssociationList& MAssociationList::operator=(const MAssociationList& other) {
    if (this != &other) {
        MPersistentComposite::operator=(other);
    }
    return *this;
}

MAssociationList::~MAssociationList() = default;

uint32_t MAssociationList::BinaryStoreSize() const {
    return MPersistentComposite::BinaryStoreSize() + 4;
}

template <class Carrier> void MAssociationList::SaveGutsTo(Carrier& carrier) const {
    MPersistentComposite::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
}

template <class Carrier> void MAssociationList::RestoreGutsFrom(Carrier& carrier) {
    dropped_.clear(); // held since an earlier, finished restore
    MPersistentComposite::RestoreGuts(carrier);
    GReadClassVersion(carrier, ClassVersion(), ClassVersion());
    DropStrayChildren();
}

RW_DEFINE_GUTS(MAssociationList)

void MAssociationList::DropStrayChildren() {
    GCountedPtrVector& children = MutableChildren();
    uint32_t i = 0;
    while (i < children.Count()) {
        const auto* association = children.At(i).As<MPersistentAssociation>();
        bool keep = association != nullptr;
        for (uint32_t j = 0; keep && j < i; ++j) {
            keep = KeyMatches(&children.At(j), association->GetKey()) == 0;
        }
        if (keep) {
            ++i;
        } else {
            dropped_.push_back(children.RemoveAt(i));
        }
    }
}

void MAssociationList::Add(MPersistentObject* object) {
    if (object == nullptr) {
        return;
    }
    auto* association = object->IsKindOf(MPersistentAssociation::kClassId)
                            ? dynamic_cast<MPersistentAssociation*>(object)
                            : nullptr;
    if (association == nullptr) {
        GCountedPtr refused(object); // deleted here unless someone holds it
        return;
    }
    InsertOrReplace(association);
}

void MAssociationList::InsertOrReplace(MPersistentAssociation* association) {
    if (association == nullptr) {
        return;
    }
    // Held across the removal: the new association may already be a child.
    GCountedPtr held(association);
    if (MPersistentAssociation* old = Find(association->GetKey())) {
        Remove(old); // the detached result is deleted here
    }
    MPersistentComposite::Add(association);
}

MPersistentAssociation* MAssociationList::Find(const MPersistentObject* key) {
    MPersistentObject* found = ApplyUntil(&KeyMatches, const_cast<MPersistentObject*>(key));
    return dynamic_cast<MPersistentAssociation*>(found);
}

MPersistentObject* MAssociationList::FindValue(const MPersistentObject* key) {
    MPersistentAssociation* association = Find(key);
    return association != nullptr ? association->GetValue() : nullptr;
}

std::unique_ptr<MPersistentAssociation> MAssociationList::RemoveByKey(const MPersistentObject* key) {
    MPersistentAssociation* association = Find(key);
    if (association == nullptr) {
        return nullptr;
    }
    return AsAssociation(Remove(association));
}

std::unique_ptr<MPersistentAssociation>
MAssociationList::RemoveByKeyOf(const MPersistentAssociation* association) {
    if (association == nullptr) {
        return nullptr;
    }
    return RemoveByKey(association->GetKey());
}
