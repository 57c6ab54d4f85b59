#pragma once
// The check that keeps setting ids in their catalogue (model/GSettingIds.h).
// It reads every .h and .cpp file of the product folders under a root, with
// comments and quoted texts blanked out, and reports:
//   - a constexpr constant named like an id (k...Id, ...Ids, ...Node,
//     ...Group, ...Setting and their plurals) that a number initialises,
//     outside the catalogue: a setting id named a second time. Class ids
//     (RWClassID) and the few ids of other kinds listed in the checker
//     (paper ids, resource ids) are not setting ids;
//   - a call of a lookup of the settings tree (FindById, GSettingValues::Get,
//     GPJL::FindValue, the attribute constructors, ...) with a number other
//     than 0 where the id goes: a setting id written as a bare number;
//   - in the catalogue, a constant the reader cannot take, a name given
//     twice, or two names for one id.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

struct SettingIdFinding {
    std::string file; // relative to the root
    int line;
    std::string message;
};

class SettingIdChecker {
public:
    // Every product file under root, and the catalogue there.
    std::vector<SettingIdFinding> CheckTree(const std::filesystem::path& root);
    // One product file (path relative to the root) with the given text.
    std::vector<SettingIdFinding> CheckFile(const std::string& path, const std::string& text) const;
    // The catalogue's own rules.
    std::vector<SettingIdFinding> CheckCatalogue(const std::string& text) const;

    // What the last CheckTree read.
    size_t FilesChecked() const { return filesChecked_; }
    size_t CatalogueNames() const { return catalogueNames_; }
    size_t IdsWithSeveralNames() const { return idsWithSeveralNames_; }

    // The folders whose files are product code.
    static const std::vector<std::string>& ProductFolders();

private:
    size_t filesChecked_ = 0;
    size_t catalogueNames_ = 0;
    size_t idsWithSeveralNames_ = 0;
};
