#include "tools/printerdesc/DataFileSerials.h"

#include <memory>
#include <set>

#include "model/GDisplayStringAttribute.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentIterator.h"
#include "model/MPersistentObject.h"

namespace {

class SerialWalk {
public:
    void Visit(MPersistentObject* object) {
        if (object == nullptr || !visited_.insert(object).second) return;
        object->SetSerial(next_++);
        VisitEmbedded(*object);
        if (object->AsComposite() == nullptr) return;
        std::unique_ptr<MPersistentIterator> children = object->CreateIterator();
        while (children != nullptr && children->Advance()) {
            Visit(children->Current());
        }
    }

    uint32_t Next() const { return next_; }

private:
    void VisitEmbedded(MPersistentObject& object) {
        if (auto* display = dynamic_cast<GDisplayStringAttribute*>(&object)) {
            Visit(&display->GetDisplayString());
        } else if (auto* association = dynamic_cast<MPersistentAssociation*>(&object)) {
            Visit(association->GetKey());
            Visit(association->GetValue());
        }
    }

    std::set<const MPersistentObject*> visited_;
    uint32_t next_ = 1;
};

} // namespace

uint32_t NumberSerials(MPersistentObject& root) {
    SerialWalk walk;
    walk.Visit(&root);
    return walk.Next();
}
