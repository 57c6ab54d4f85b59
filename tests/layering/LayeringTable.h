#pragma once
// Which source folder may include from which: the layering the test command
// checks.
//
// Folders have ranks, from the platform layer at the bottom up to the
// module's composition root. A folder may include from itself, from every
// folder of a lower rank and from folders of its own rank. Upward includes are allowed
// only as listed edges, each to a whole folder or to one header. Folders that
// are not ranked but known (the host program, tests, benchmarks, fuzz targets)
// may include anything, and nothing ranked may include from them.
#include <string>
#include <vector>

class LayeringTable {
public:
    // A ranked folder ("model", "ui/framework").
    void AddFolder(const std::string& folder, int rank);
    // A known folder that is not checked.
    void AddUnchecked(const std::string& folder);
    // An upward edge: from may include target, a folder or one header
    // ("device/GPeripheral.h").
    void AllowUpward(const std::string& from, const std::string& target);

    // The ranked folders, in the order they were added.
    std::vector<std::string> CheckedFolders() const;
    // The known folder (ranked or not) a path relative to the root lies in
    // (the longest match); empty when none.
    std::string FolderOf(const std::string& path) const;
    bool IsChecked(const std::string& folder) const;
    // Whether a file of folder from may include the file at path (relative
    // to the root).
    bool MayInclude(const std::string& from, const std::string& path) const;
    // Whether a listed upward edge lets from include path.
    bool IsGrantedUpward(const std::string& from, const std::string& path) const;
    // What from may include, for messages: "rw, winapi and device/GPeripheral.h".
    std::string Describe(const std::string& from) const;

    // The project's table.
    static LayeringTable Project();

private:
    struct Folder {
        std::string name;
        int rank; // -1: not checked
    };
    struct Edge {
        std::string from;
        std::string target;
    };
    const Folder* Find(const std::string& folder) const;

    std::vector<Folder> folders_;
    std::vector<Edge> upward_;
};
