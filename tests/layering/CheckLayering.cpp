// The layering check the test command runs: check_layering <source root>.
// Prints every forbidden include and the include lines between folders, and
// fails on a forbidden include, on a circle between folders, or when no source
// file was found (a wrong root).
#include <cstdio>

#include "tests/layering/LayeringChecker.h"
#include "tests/layering/LayeringTable.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <source root>\n", argv[0]);
        return 2;
    }
    LayeringChecker checker(LayeringTable::Project());
    const std::vector<LayeringViolation> violations = checker.CheckTree(argv[1]);
    for (const LayeringViolation& v : violations)
        std::printf("%s:%d: #include \"%s\" %s\n", v.file.c_str(), v.line, v.include.c_str(),
                    v.message.c_str());
    for (const auto& [edge, count] : checker.Edges())
        std::printf("%s -> %s: %d include lines\n", edge.first.c_str(), edge.second.c_str(), count);
    const std::vector<std::string> circle = FindFolderCircle(checker.Edges());
    if (!circle.empty()) {
        std::string text;
        for (const std::string& folder : circle)
            text += (text.empty() ? "" : " -> ") + folder;
        std::printf("circle between folders: %s\n", text.c_str());
    }
    std::printf("layering: %zu files checked, %zu forbidden includes, %s\n", checker.FilesChecked(),
                violations.size(), circle.empty() ? "no circle" : "a circle");
    return violations.empty() && circle.empty() && checker.FilesChecked() > 0 ? 0 : 1;
}
