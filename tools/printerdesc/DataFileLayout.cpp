#include "tools/printerdesc/DataFileLayout.h"

#include <memory>

#include "model/GSettingIds.h"
#include "model/MPersistentIterator.h"
#include "model/MPersistentObject.h"
#include "tools/printerdesc/PrinterNodeAssembler.h"

namespace {} // namespace

MPersistentObject* DataFileLayout::Child(MPersistentObject* node, uint32_t id) {
    for (MPersistentObject* child : Children(node)) {
        if (child->GetId() == id) return child;
    }
    return nullptr;
}

std::vector<MPersistentObject*> DataFileLayout::Children(MPersistentObject* node) {
    std::vector<MPersistentObject*> children;
    if (node == nullptr || node->AsComposite() == nullptr) return children;
    std::unique_ptr<MPersistentIterator> iterator = node->CreateIterator();
    while (iterator != nullptr && iterator->Advance()) {
        if (MPersistentObject* child = iterator->Current()) children.push_back(child);
    }
    return children;
}

MPersistentObject* DataFileLayout::PrinterConfiguration() const {
    return Child(Anchor('N'), GSettingId::kPeripheralConfiguration);
}

MPersistentObject* DataFileLayout::StageGroup(size_t index) const {
    const std::vector<MPersistentObject*> parts = Children(PrinterConfiguration());
    return index < parts.size() ? Child(parts[index], GSettingId::kPeripheralConfiguration) : nullptr;
}

MPersistentObject* DataFileLayout::Anchor(char anchor) const {
    switch (anchor) {
    case 'R':
        return &root_;
    case 'T':
        return Child(&root_, GSettingId::kConfigurationTree);
    case 'N':
        return Child(Anchor('T'), GSettingId::kPrinterNode);
    case 'P': {
        const std::vector<MPersistentObject*> parts = Children(PrinterConfiguration());
        return parts.empty() ? nullptr : parts.front();
    }
    case 'W':
        return StageGroup(1);
    case 'J':
        return StageGroup(2);
    case 'S':
        return Child(Anchor('N'), GSettingId::kPeripheralState);
    case 'D':
        return Child(Anchor('P'), GSettingId::kDefaults);
    case 'A':
        return Child(Anchor('P'), GSettingId::kPrinterInstalledOptions);
    default:
        return nullptr;
    }
}

std::vector<MPersistentObject*> DataFileLayout::Resolve(const std::string& location) const {
    std::vector<MPersistentObject*> nodes;
    if (location.empty()) return nodes;
    if (MPersistentObject* anchor = Anchor(location[0])) nodes.push_back(anchor);
    size_t position = 1;
    while (position < location.size() && !nodes.empty()) {
        if (location[position] != '/') return {};
        const size_t end = location.find('/', position + 1);
        const std::string step = location.substr(position + 1, end - position - 1);
        std::vector<MPersistentObject*> next;
        for (MPersistentObject* node : nodes) {
            if (step == "*") {
                for (MPersistentObject* child : Children(node))
                    next.push_back(child);
            } else if (MPersistentObject* child = Child(node, static_cast<uint32_t>(std::stoul(step)))) {
                next.push_back(child);
            }
        }
        nodes.swap(next);
        position = end == std::string::npos ? location.size() : end;
    }
    return nodes;
}
