#include "tools/printerdesc/DataFileSerials.h"

#include <memory>
#include <set>
#include <vector>

#include "model/GDisplayStringAttribute.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentIterator.h"
#include "model/MPersistentObject.h"
#include "paper/GBin.h"
#include "paper/GFormToTrayDatabase.h"
#include "paper/GPaperHandlingDevice.h"
#include "paper/GTray.h"

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
        } else if (auto* holder = dynamic_cast<GPaperHolder*>(&object)) {
            holder->SetDisplayString(Numbered(holder->GetDisplayString()));
            if (auto* tray = dynamic_cast<GTray*>(holder)) Visit(tray->GetMedia());
        } else if (auto* device = dynamic_cast<GPaperHandlingDevice*>(&object)) {
            device->SetDisplayString(Numbered(device->GetDisplayString()));
            std::vector<uint16_t> keys;
            device->GetKeys(keys);
            for (uint16_t key : keys)
                Visit(device->FindSet(key));
        } else if (auto* database = dynamic_cast<GFormToTrayDatabase*>(&object)) {
            // The database embeds its association composite and hands it out
            // read-only; the description never gives associations (they are
            // the user's), so numbering the composite is all there is to do.
            Visit(&const_cast<GAttributeComposite&>(database->GetAssociations()));
        }
    }

    // An embedded display string is only reachable by value: a numbered copy
    // is assigned back (assignment takes the serial along).
    GDisplayString Numbered(const GDisplayString& displayString) {
        GDisplayString copy(displayString);
        copy.SetSerial(next_++);
        return copy;
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
