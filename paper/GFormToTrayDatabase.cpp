#include "paper/GFormToTrayDatabase.h"

#include "paper/GFormToTrayAssociation.h"

GFormToTrayDatabase::GFormToTrayDatabase(uint32_t id) : GAttribute(id) {}

GFormToTrayDatabase::~GFormToTrayDatabase() = default;

uint32_t GFormToTrayDatabase::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + associations_.BinaryStoreSize();
}

bool GFormToTrayDatabase::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || !GAttribute::IsEqualId(other)) {
        return false;
    }
    return associations_.IsEqualId(&static_cast<const GFormToTrayDatabase&>(*other).associations_);
}

uint16_t GFormToTrayDatabase::Apply(GPeripheral&) {
    return 1;
}

template <typename Test> GFormToTrayAssociation* GFormToTrayDatabase::FindFirst(Test test) const {
    const GCountedPtrVector& children = associations_.GetChildren();
    for (uint32_t i = 0; i < children.Count(); ++i) {
        auto* entry = children.At(i).As<GFormToTrayAssociation>();
        if (entry != nullptr && test(*entry)) {
            return entry;
        }
    }
    return nullptr;
}

// --- Assignments ---------------------------------------------------------------

void GFormToTrayDatabase::Assign(uint16_t formKey, uint16_t tray, uint16_t mediaType) {
    AssignNamed(formKey, tray, mediaType, RWWString());
}

void GFormToTrayDatabase::AssignNamed(uint16_t formKey, uint16_t tray, uint16_t mediaType,
                                      const RWWString& name) {
    RemoveForm(formKey);
    associations_.Add(new GFormToTrayAssociation(formKey, tray, mediaType, name));
}

void GFormToTrayDatabase::AssignDefault(uint16_t formKey) {
    Assign(formKey, kDefaultTray, kDefaultMediaType);
}

void GFormToTrayDatabase::RemoveForm(uint16_t formKey) {
    // Every one, should restored data hold more than one for the form.
    while (GFormToTrayAssociation* entry = FindByForm(formKey)) {
        if (!associations_.Remove(entry)) {
            break;
        }
    }
}

void GFormToTrayDatabase::RemoveAll() {
    associations_.RemoveAll();
}

// --- Queries -------------------------------------------------------------------

GFormToTrayAssociation* GFormToTrayDatabase::FindByForm(uint16_t formKey) const {
    return FindFirst([formKey](const GFormToTrayAssociation& e) { return e.GetFormKey() == formKey; });
}

GFormToTrayAssociation* GFormToTrayDatabase::FindByTray(uint16_t tray) const {
    return FindFirst([tray](const GFormToTrayAssociation& e) { return e.GetTray() == tray; });
}

GFormToTrayAssociation* GFormToTrayDatabase::FindByMediaType(uint16_t mediaType) const {
    return FindFirst([mediaType](const GFormToTrayAssociation& e) { return e.GetMediaType() == mediaType; });
}

int32_t GFormToTrayDatabase::HasForm(uint16_t formKey) const {
    return FindByForm(formKey) != nullptr ? 1 : 0;
}

uint16_t GFormToTrayDatabase::GetTrayForForm(uint16_t formKey) const {
    const GFormToTrayAssociation* entry = FindByForm(formKey);
    return entry != nullptr ? entry->GetTray() : kDefaultTray;
}

uint16_t GFormToTrayDatabase::GetMediaTypeForForm(uint16_t formKey) const {
    const GFormToTrayAssociation* entry = FindByForm(formKey);
    return entry != nullptr ? entry->GetMediaType() : kDefaultMediaType;
}

uint16_t GFormToTrayDatabase::GetMediaTypeForTray(uint16_t tray) const {
    const GFormToTrayAssociation* entry = FindByTray(tray);
    return entry != nullptr ? entry->GetMediaType() : kDefaultMediaType;
}

uint16_t GFormToTrayDatabase::GetTrayForMediaType(uint16_t mediaType) const {
    const GFormToTrayAssociation* entry = FindByMediaType(mediaType);
    return entry != nullptr ? entry->GetTray() : kDefaultTray;
}

uint16_t GFormToTrayDatabase::GetFirstAssignedTray() const {
    const GFormToTrayAssociation* entry =
        FindFirst([](const GFormToTrayAssociation& e) { return e.GetTray() != kDefaultTray; });
    return entry != nullptr ? entry->GetTray() : kDefaultTray;
}

uint16_t GFormToTrayDatabase::GetFirstAssignedMediaType() const {
    const GFormToTrayAssociation* entry =
        FindFirst([](const GFormToTrayAssociation& e) { return e.GetMediaType() != kDefaultMediaType; });
    return entry != nullptr ? entry->GetMediaType() : kDefaultMediaType;
}

int32_t GFormToTrayDatabase::HasAssignments() const {
    return FindFirst([](const GFormToTrayAssociation& e) {
               return e.GetTray() != kDefaultTray || e.GetMediaType() != kDefaultMediaType;
           }) != nullptr
               ? 1
               : 0;
}

int32_t GFormToTrayDatabase::IsTrayUsed(uint16_t tray) const {
    return FindByTray(tray) != nullptr ? 1 : 0;
}

int32_t GFormToTrayDatabase::IsMediaTypeUsed(uint16_t mediaType) const {
    return FindByMediaType(mediaType) != nullptr ? 1 : 0;
}

int32_t GFormToTrayDatabase::IsTrayMediaPairUsed(uint16_t tray, uint16_t mediaType) const {
    return FindFirst([tray, mediaType](const GFormToTrayAssociation& e) {
               return e.GetTray() == tray && e.GetMediaType() == mediaType;
           }) != nullptr
               ? 1
               : 0;
}

int32_t GFormToTrayDatabase::IsTrayNameUsed(uint16_t tray, const RWWString& name) const {
    return FindFirst([tray, &name](const GFormToTrayAssociation& e) {
               return e.GetTray() == tray && e.GetName() == name;
           }) != nullptr
               ? 1
               : 0;
}

void GFormToTrayDatabase::CollectFormKeys(std::vector<uint16_t>& keys) const {
    FindFirst([&keys](const GFormToTrayAssociation& e) {
        keys.push_back(e.GetFormKey());
        return false;
    });
}

// --- Persistence ---------------------------------------------------------------

template <class Carrier> void GFormToTrayDatabase::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    associations_.SaveGuts(carrier);
}

template <class Carrier> void GFormToTrayDatabase::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) {
        return;
    }
    associations_.RestoreGuts(carrier);
}

RW_DEFINE_GUTS(GFormToTrayDatabase)
