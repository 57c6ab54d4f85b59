// The layering check the test command runs: check_layering <source root>.
// Prints every forbidden include and fails when there is one (or when no
// source file was found, which means a wrong root).
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
    std::printf("layering: %zu files checked, %zu forbidden includes\n", checker.FilesChecked(),
                violations.size());
    return violations.empty() && checker.FilesChecked() > 0 ? 0 : 1;
}
