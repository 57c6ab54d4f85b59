#include "tools/printerdesc/DescriptionKinds.h"

#include <string_view>

namespace {

struct KindClass {
    std::string_view kind;
    RWClassID classId;
};

// Keep in step with DataFileBuilder and the id table's "kind" column.
constexpr KindClass kKinds[] = {
    {"value", 763},
    {"value32", 789},
    {"range", 762},
    {"string", 776},
    {"display", 787},
    {"composite", 757},
    {"state", 758},
    {"enum", 764},
    {"configuration", 759},
    {"persistent", 752},
    {"associations", 772},
    {"mappings", 1005},
    {"selection", 1008},
    {"binary", 4},
    {"capabilities", 1003},
    {"chromalist", 792},
    {"chromalist-enhanced", 797},
    {"chromalist-enhanced2", 1201},
    {"optmedia", 796},
    {"booklet", 794},
    {"media-pool", 1006},
    {"media", 1002},
    {"margin-pool", 1014},
    {"form-to-tray", 1012},
    {"custom-size", 775},
    {"device", 1010},
    {"tray", 1001},
    {"bin", 1009},
};

// Words that begin statements inside particular blocks but make no object
// of their own.
constexpr std::string_view kOtherKeywords[] = {
    "printer",      "writer",  "pjl",   "mapping", "map",    "resolutions",
    "orientations", "margins", "paper", "set",     "assign", "include",
};

} // namespace

RWClassID ClassIdOfKind(const std::string& kind) {
    for (const KindClass& entry : kKinds) {
        if (entry.kind == kind) return entry.classId;
    }
    return 0;
}

bool IsDescriptionKeyword(const std::string& word) {
    if (ClassIdOfKind(word) != 0) return true;
    for (std::string_view other : kOtherKeywords) {
        if (other == word) return true;
    }
    return false;
}
