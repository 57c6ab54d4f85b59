#pragma once
// Reads every source file of the ranked folders under a root and reports the
// includes that its LayeringTable forbids, and counts the includes between
// folders so that a circle among them is caught even where each edge alone
// would be allowed (includes through a granted upward edge are not counted:
// the grant is the one circle the design accepts).
//
// An include names a project file when it is quoted, or in angle brackets
// with a known folder first. A quoted name is looked up beside the including
// file first ("GFoo.h", "../rw/RWFoo.h"), then under the root, as the
// compiler does; a quoted name found in neither place is taken for a
// platform header and passed over. Lines inside block comments are skipped.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/layering/LayeringTable.h"

struct LayeringViolation {
    std::string file; // relative to the root
    int line;
    std::string include; // as written
    std::string message;
};

// Include lines between two folders: (from, to) -> count.
using FolderEdges = std::map<std::pair<std::string, std::string>, int>;

// A circle among the folders of edges, as the folders met in order with the
// first repeated at the end ("a", "b", "a"); empty when there is none.
std::vector<std::string> FindFolderCircle(const FolderEdges& edges);

class LayeringChecker {
public:
    explicit LayeringChecker(LayeringTable table) : table_(std::move(table)) {}

    // Every .h and .cpp file below the ranked folders of root.
    std::vector<LayeringViolation> CheckTree(const std::filesystem::path& root);
    // One file (path relative to root) with the given text.
    // Counts its includes into edges when given.
    std::vector<LayeringViolation> CheckFile(const std::filesystem::path& root, const std::string& path,
                                             const std::string& text, FolderEdges* edges = nullptr) const;
    // Files read by the last CheckTree.
    size_t FilesChecked() const { return filesChecked_; }
    // The includes between folders the last CheckTree read.
    const FolderEdges& Edges() const { return edges_; }

private:
    // The included file relative to root, or empty when it is no project file.
    std::string Resolve(const std::filesystem::path& root, const std::string& from, const std::string& name,
                        bool quoted) const;

    LayeringTable table_;
    size_t filesChecked_ = 0;
    FolderEdges edges_;
};
