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
//
// A ranked folder may keep private subfolders: only files within the folders
// a private subfolder names may include from it, whatever the ranks allow
// (the platform layer's internals are its own; its face in winapi/ is what
// the folders above it include).
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

    // A private subfolder ("winapi/internal") and the folders whose files may
    // include from it (its own, other subfolders, unchecked folders).
    void AddPrivate(const std::string& subfolder, std::vector<std::string> users);

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
    // The private subfolder holding path that the file at fromPath may not
    // include from; empty when path lies in none or fromPath may.
    std::string ClosedPrivateOf(const std::string& fromPath, const std::string& path) const;
    // Who may include from a private subfolder, for messages: "winapi/internal".
    std::string DescribePrivate(const std::string& subfolder) const;

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
    struct Private {
        std::string subfolder;
        std::vector<std::string> users;
    };
    const Folder* Find(const std::string& folder) const;

    std::vector<Folder> folders_;
    std::vector<Edge> upward_;
    std::vector<Private> private_;
};
