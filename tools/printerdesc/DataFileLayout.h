#pragma once
// Where the parts of a built data file lie, by the names the id table uses
// (resources/printers/README.md):
//   R  the root                       T  the configuration tree (R/353)
//   N  the printer node (T/76)        P  the printer's own configuration group
//   W  the writer's own group         J  the job-control stage's own group
//   S  the printer's state (243)      D  the default settings (P/359)
//   A  the installed options (P/228)
// A location is an anchor followed by "/"-separated steps; a number steps to
// the direct child with that id, "*" to every direct child. Resolving gives
// every node the location names (none when a step finds nothing).
#include <cstdint>
#include <string>
#include <vector>

class MPersistentObject;

class DataFileLayout {
public:
    explicit DataFileLayout(MPersistentObject& root) : root_(root) {}

    // The node an anchor letter names, or null.
    MPersistentObject* Anchor(char anchor) const;
    // Every node the location names.
    std::vector<MPersistentObject*> Resolve(const std::string& location) const;
    // The direct child of node with this id (the first one), or null.
    static MPersistentObject* Child(MPersistentObject* node, uint32_t id);
    // The direct children of node, in order.
    static std::vector<MPersistentObject*> Children(MPersistentObject* node);

private:
    MPersistentObject* PrinterConfiguration() const;
    MPersistentObject* StageGroup(size_t index) const;

    MPersistentObject& root_;
};
