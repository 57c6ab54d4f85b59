#pragma once
// Small reads and writes of value settings in a settings tree, by attribute
// id (the tree's depth-first find). A missing node, a missing setting and a
// setting of another kind all read as absent.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "model/MPersistentObject.h"

namespace GSettingValues {

inline GValueAttribute* Find(MPersistentObject* node, uint32_t id) {
    return node == nullptr ? nullptr : dynamic_cast<GValueAttribute*>(node->FindById(id));
}

inline GStringAttribute* FindText(MPersistentObject* node, uint32_t id) {
    return node == nullptr ? nullptr : dynamic_cast<GStringAttribute*>(node->FindById(id));
}

// The value as the 16-bit unsigned number it is stored as.
inline std::optional<uint16_t> Get(MPersistentObject* node, uint32_t id) {
    const GValueAttribute* value = Find(node, id);
    if (value == nullptr) return std::nullopt;
    return value->GetValue();
}

// The value read as a signed 16-bit number.
inline std::optional<int16_t> GetSigned(MPersistentObject* node, uint32_t id) {
    const GValueAttribute* value = Find(node, id);
    if (value == nullptr) return std::nullopt;
    return static_cast<int16_t>(value->GetValue());
}

inline bool IsNonZero(MPersistentObject* node, uint32_t id) {
    const std::optional<uint16_t> value = Get(node, id);
    return value.has_value() && *value != 0;
}

// Stores value in the setting when it exists; false when it does not.
inline bool Set(MPersistentObject* node, uint32_t id, uint16_t value) {
    GValueAttribute* attribute = Find(node, id);
    if (attribute == nullptr) return false;
    attribute->SetValue(value);
    return true;
}

// The children of node in order (none for null).
inline std::vector<MPersistentObject*> Children(MPersistentObject* node) {
    std::vector<MPersistentObject*> children;
    if (node == nullptr) return children;
    const std::unique_ptr<MPersistentIterator> it = node->CreateIterator();
    while (it != nullptr && it->Advance())
        children.push_back(it->Current());
    return children;
}

} // namespace GSettingValues
