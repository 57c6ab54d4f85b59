#include "tests/layering/LayeringTable.h"

#include <algorithm>

void LayeringTable::AddFolder(const std::string& folder, int rank) {
    folders_.push_back({folder, rank});
}

void LayeringTable::AddUnchecked(const std::string& folder) {
    folders_.push_back({folder, -1});
}

void LayeringTable::AllowUpward(const std::string& from, const std::string& target) {
    upward_.push_back({from, target});
}

void LayeringTable::AddPrivate(const std::string& subfolder, std::vector<std::string> users) {
    private_.push_back({subfolder, std::move(users)});
}

std::vector<std::string> LayeringTable::CheckedFolders() const {
    std::vector<std::string> names;
    for (const Folder& folder : folders_)
        if (folder.rank >= 0) names.push_back(folder.name);
    return names;
}

namespace {
// Whether path is folder or lies inside it.
bool Within(const std::string& path, const std::string& folder) {
    return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                              path[folder.size()] == '/');
}

// "a", "a and b", "a, b and c".
std::string Join(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}
} // namespace

std::string LayeringTable::FolderOf(const std::string& path) const {
    std::string best;
    for (const Folder& folder : folders_)
        if (Within(path, folder.name) && folder.name.size() > best.size()) best = folder.name;
    return best;
}

const LayeringTable::Folder* LayeringTable::Find(const std::string& folder) const {
    for (const Folder& entry : folders_)
        if (entry.name == folder) return &entry;
    return nullptr;
}

bool LayeringTable::IsChecked(const std::string& folder) const {
    const Folder* entry = Find(folder);
    return entry != nullptr && entry->rank >= 0;
}

bool LayeringTable::IsGrantedUpward(const std::string& from, const std::string& path) const {
    return std::any_of(upward_.begin(), upward_.end(),
                       [&](const Edge& edge) { return edge.from == from && Within(path, edge.target); });
}

bool LayeringTable::MayInclude(const std::string& from, const std::string& path) const {
    const Folder* source = Find(from);
    if (source == nullptr || source->rank < 0) return true;
    const Folder* target = Find(FolderOf(path));
    if (target == nullptr || target->rank < 0) return false;
    return target->rank <= source->rank || IsGrantedUpward(from, path);
}

std::string LayeringTable::Describe(const std::string& from) const {
    const Folder* source = Find(from);
    if (source == nullptr || source->rank < 0) return "anything";
    std::vector<std::string> allowed;
    for (const Folder& folder : folders_)
        if (folder.rank >= 0 && folder.rank <= source->rank) allowed.push_back(folder.name);
    for (const Edge& edge : upward_)
        if (edge.from == from) allowed.push_back(edge.target);
    return Join(allowed);
}

std::string LayeringTable::ClosedPrivateOf(const std::string& fromPath, const std::string& path) const {
    for (const Private& entry : private_) {
        if (!Within(path, entry.subfolder)) continue;
        const bool user = std::any_of(entry.users.begin(), entry.users.end(),
                                      [&](const std::string& folder) { return Within(fromPath, folder); });
        if (!user) return entry.subfolder;
    }
    return {};
}

std::string LayeringTable::DescribePrivate(const std::string& subfolder) const {
    for (const Private& entry : private_)
        if (entry.subfolder == subfolder) return Join(entry.users);
    return {};
}

LayeringTable LayeringTable::Project() {
    LayeringTable table;
    // Bottom up, one rank per layer (docs/ARCHITECTURE.md says what each
    // holds). Folders that have no sources yet keep their place.
    const char* layers[] = {"winapi", "rw",           "model",    "pipeline", "paper",
                            "driver", "job",          "device",   "filters",  "pdl",
                            "config", "ui/framework", "ui/pages", "winnt40",  "module"};
    int rank = 0;
    for (const char* layer : layers)
        table.AddFolder(layer, rank++);
    for (const char* folder : {"host", "tests", "bench", "fuzz", "tools"})
        table.AddUnchecked(folder);

    // The platform layer's face is winapi/ itself: the Windows headers every
    // folder above includes. Its host and test API is for the host program
    // and the tests; its internals are its own.
    table.AddPrivate("winapi/host", {"winapi/host", "winapi/internal", "host", "tests", "bench", "fuzz"});
    table.AddPrivate("winapi/internal", {"winapi/internal"});

    // The one upward edge: the model's attributes apply themselves to a
    // device (double dispatch), so they call the device interface, which is
    // itself a model attribute and so stands above the model.
    table.AllowUpward("model", "pipeline/GPeripheral.h");
    return table;
}
