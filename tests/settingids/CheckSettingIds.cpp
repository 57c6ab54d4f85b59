// The setting-id check the test command runs: check_setting_ids <source root>.
// Prints every setting id written outside the catalogue and every catalogue
// fault, and fails on any, or when no product file was found (a wrong root).
#include <cstdio>

#include "tests/settingids/SettingIdChecker.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <source root>\n", argv[0]);
        return 2;
    }
    SettingIdChecker checker;
    const std::vector<SettingIdFinding> findings = checker.CheckTree(argv[1]);
    for (const SettingIdFinding& finding : findings)
        std::printf("%s:%d: %s\n", finding.file.c_str(), finding.line, finding.message.c_str());
    std::printf(
        "setting ids: %zu names in the catalogue, ids with more than one name: %zu, %zu files checked, "
        "%zu findings\n",
        checker.CatalogueNames(), checker.IdsWithSeveralNames(), checker.FilesChecked(), findings.size());
    return findings.empty() && checker.FilesChecked() > 0 ? 0 : 1;
}
