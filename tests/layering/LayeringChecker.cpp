#include "tests/layering/LayeringChecker.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

bool IsSource(const fs::path& path) {
    const std::string extension = path.extension().string();
    return extension == ".h" || extension == ".cpp";
}

// A path in the form the table uses: relative, '/'-separated, normalised.
std::string Normal(const fs::path& path) {
    return path.lexically_normal().generic_string();
}

// The include directive of one line: its name and whether it was quoted.
bool ParseInclude(const std::string& line, std::string& name, bool& quoted) {
    size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos || line[i] != '#') return false;
    i = line.find_first_not_of(" \t", i + 1);
    if (i == std::string::npos || line.compare(i, 7, "include") != 0) return false;
    i = line.find_first_not_of(" \t", i + 7);
    if (i == std::string::npos || (line[i] != '"' && line[i] != '<')) return false;
    quoted = line[i] == '"';
    const size_t end = line.find(quoted ? '"' : '>', i + 1);
    if (end == std::string::npos) return false;
    name = line.substr(i + 1, end - i - 1);
    return true;
}

// Removes what lies inside block comments from a line, carrying the state
// across lines.
std::string StripBlockComments(const std::string& line, bool& inComment) {
    std::string kept;
    for (size_t i = 0; i < line.size();) {
        if (inComment) {
            const size_t end = line.find("*/", i);
            if (end == std::string::npos) return kept;
            inComment = false;
            i = end + 2;
        } else {
            const size_t start = line.find("/*", i);
            const size_t lineComment = line.find("//", i);
            if (start == std::string::npos || (lineComment != std::string::npos && lineComment < start)) {
                kept += line.substr(i);
                return kept;
            }
            kept += line.substr(i, start - i);
            inComment = true;
            i = start + 2;
        }
    }
    return kept;
}

} // namespace

std::string LayeringChecker::Resolve(const fs::path& root, const std::string& from, const std::string& name,
                                     bool quoted) const {
    const std::string fromRoot = Normal(name);
    const bool insideRoot = fromRoot.rfind("../", 0) != 0;
    if (!quoted) return insideRoot && !table_.FolderOf(fromRoot).empty() ? fromRoot : std::string();
    const std::string beside = Normal(fs::path(from).parent_path() / name);
    const bool besideInsideRoot = beside.rfind("../", 0) != 0;
    // As the compiler looks: beside the including file, then under the root.
    if (besideInsideRoot && fs::exists(root / beside)) return beside;
    if (insideRoot && fs::exists(root / fromRoot)) return fromRoot;
    // A file that is not there yet still names its folder.
    const bool relative = name.rfind("./", 0) == 0 || name.rfind("../", 0) == 0;
    const std::string named = relative ? beside : fromRoot;
    const bool namedInsideRoot = relative ? besideInsideRoot : insideRoot;
    return namedInsideRoot && !table_.FolderOf(named).empty() ? named : std::string();
}

std::vector<LayeringViolation> LayeringChecker::CheckFile(const fs::path& root, const std::string& path,
                                                          const std::string& text, FolderEdges* edges) const {
    std::vector<LayeringViolation> found;
    const std::string folder = table_.FolderOf(path);
    if (!table_.IsChecked(folder)) return found;
    std::istringstream lines(text);
    std::string line;
    bool inComment = false;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::string name;
        bool quoted = false;
        if (!ParseInclude(StripBlockComments(line, inComment), name, quoted)) continue;
        const std::string target = Resolve(root, path, name, quoted);
        if (target.empty()) continue;
        if (const std::string closed = table_.ClosedPrivateOf(path, target); !closed.empty()) {
            found.push_back({path, number, name,
                             "includes a private file of " + closed + "; only " +
                                 table_.DescribePrivate(closed) + " may include from it"});
            continue;
        }
        const std::string to = table_.FolderOf(target);
        if (edges != nullptr && to != folder && table_.IsChecked(to) &&
            !table_.IsGrantedUpward(folder, target))
            ++(*edges)[{folder, to}];
        if (table_.MayInclude(folder, target)) continue;
        const std::string targetFolder = table_.FolderOf(target);
        const std::string what =
            targetFolder.empty() ? "a file outside the layering table" : "a file of " + targetFolder;
        found.push_back(
            {path, number, name,
             "includes " + what + "; " + folder + " may include only from " + table_.Describe(folder)});
    }
    return found;
}

std::vector<LayeringViolation> LayeringChecker::CheckTree(const fs::path& root) {
    std::vector<LayeringViolation> found;
    filesChecked_ = 0;
    edges_.clear();
    for (const std::string& folder : table_.CheckedFolders()) {
        if (!fs::is_directory(root / folder)) continue;
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder))
            if (entry.is_regular_file() && IsSource(entry.path())) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            const std::string relative = Normal(fs::relative(file, root));
            // A nested folder of its own ("ui/pages" inside "ui") is read with its own rules.
            if (table_.FolderOf(relative) != folder) continue;
            std::ifstream in(file, std::ios::binary);
            const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            ++filesChecked_;
            std::vector<LayeringViolation> more = CheckFile(root, relative, text, &edges_);
            found.insert(found.end(), more.begin(), more.end());
        }
    }
    return found;
}

namespace {
// Depth-first search for a back edge; path holds the folders on the way.
bool Visit(const std::string& folder, const std::map<std::string, std::vector<std::string>>& next,
           std::map<std::string, int>& state, std::vector<std::string>& path) {
    state[folder] = 1; // on the way
    path.push_back(folder);
    const auto out = next.find(folder);
    if (out != next.end()) {
        for (const std::string& to : out->second) {
            if (state[to] == 1) {
                path.erase(path.begin(), std::find(path.begin(), path.end(), to));
                path.push_back(to);
                return true;
            }
            if (state[to] == 0 && Visit(to, next, state, path)) return true;
        }
    }
    state[folder] = 2; // done
    path.pop_back();
    return false;
}
} // namespace

std::vector<std::string> FindFolderCircle(const FolderEdges& edges) {
    std::map<std::string, std::vector<std::string>> next;
    for (const auto& [edge, count] : edges)
        if (count > 0) next[edge.first].push_back(edge.second);
    std::map<std::string, int> state;
    std::vector<std::string> path;
    for (const auto& [folder, targets] : next)
        if (state[folder] == 0 && Visit(folder, next, state, path)) return path;
    return {};
}
