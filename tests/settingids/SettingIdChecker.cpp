#include "tests/settingids/SettingIdChecker.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "tests/settingids/SettingIdCatalogue.h"

namespace fs = std::filesystem;

namespace {

// A lookup of the settings tree and the argument places (from 0) that take
// an attribute id.
struct Lookup {
    const char* name;
    std::vector<size_t> idArguments;
};

const std::vector<Lookup>& Lookups() {
    static const std::vector<Lookup> lookups = {
        // The persistent object's own (model/MPersistentObject.h) and the
        // child walks under them.
        {"FindById", {0}},
        {"FindCountedById", {0}},
        {"RemoveById", {0}},
        {"RemoveCountedById", {0}},
        {"ReplaceById", {0}},
        {"ReplaceCountedById", {0}},
        {"CollectById", {0}},
        {"CollectByIdInto", {0}},
        {"GFindChildById", {1}},
        {"GRemoveChildById", {1}},
        {"GReplaceChildById", {1}},
        // Value reads and writes (driver/GSettingValues.h, GPJL's, the
        // job-hook holder's FindValue(tree, nodeId, id, fallback)).
        {"Find", {1}},
        {"FindText", {1}},
        {"Get", {1}},
        {"GetSigned", {1}},
        {"IsNonZero", {1}},
        {"Set", {1}},
        {"FindValue", {1, 2}},
        {"FindString", {1}},
        {"featureChildValue", {0}},
        {"featureChildString", {0}},
        // The driver context's, the peripheral's and the job context's.
        {"FindPrinterSetting", {0}},
        {"FindIn", {1}},
        {"FindPrinterNode", {0}},
        {"FindAttribute", {0}},
        {"ApplyChangedAttributes", {0}},
        {"FindGroup", {0}},
        {"FindCapability", {0}},
        {"CopyGroup", {1}},
        {"AddCopy", {2, 3}},
        {"RestoreSettingsComposite", {0}},
        // Helpers of single files that take an id the same way.
        {"ValueOr", {1}},
        {"ValueIn", {1}},
        {"TextOf", {1}},
        {"DirectChild", {1}},
        {"PutChild", {1}},
        {"SetOrAdd", {1}},
        {"HashField", {1}},
        {"IsNot", {1}},
        {"CloneComposite", {1}},
        {"DetachOrEmpty", {1}},
        // The property-sheet framework's accessor, UI model, features and
        // rules (the forms whose names nothing else uses).
        {"FindTyped", {0}},
        {"HasKeyOfClass", {0}},
        {"CloneAttribute", {0}},
        {"GetRangeMax", {0}},
        {"GetRangeMin", {0}},
        {"GetRangeStep", {0}},
        {"GetRangeValue", {0}},
        {"GetStringAsWide", {0}},
        {"SetStringFromWide", {0}},
        {"AddIfMissing", {1}},
        {"AddListComposite", {0}},
        {"HasChangeRecord", {0}},
        {"FindUIStateAttribute", {0}},
        {"RemoveUIStateAttribute", {0}},
        {"GetSettingValue", {0}},
        {"RaiseLevel", {0}},
        {"ClearLevel", {0}},
        // Attributes and containers made with an id.
        {"GValueAttribute", {1}},
        {"GValue32Attribute", {1}},
        {"GStringAttribute", {1}},
        {"GRangeAttribute", {4}},
        {"GState", {0}},
        {"GAttributeComposite", {0}},
        {"GEnumAttribute", {0}},
        {"GConfiguration", {0}},
        {"MPersistentComposite", {0}},
        {"MAssociationList", {0}},
        {"GResourceMappingList", {0}},
    };
    return lookups;
}

// Constants named like ids that are ids of another kind.
struct NotASettingId {
    const char* file;
    const char* name;
};
const NotASettingId kNotSettingIds[] = {
    // Paper ids and spooler paper numbers.
    {"driver/GDriverContext.h", "kFirstCustomPaperId"},
    {"driver/GDriverContext.cpp", "kFirstNewCustomId"},
    {"driver/GDriverContext.cpp", "kLastCustomId"},
    {"driver/GDriverContext.cpp", "kLetterPaperId"},
    {"driver/GDriverContext.cpp", "kA4PaperId"},
    {"driver/GDevModeConversions.cpp", "kCustomPaperId"},
    {"paper/GCustomMediaSize.h", "kFirstCustomPaperId"},
    {"paper/GCustomMediaSize.h", "kLastCustomPaperId"},
    {"winnt40/GNT40DriverPapers.cpp", "kUserMediaId"},
    {"winnt40/GNTDriverBase.h", "kCustomMediaId"},
    {"winnt40/GNTDriverBase.h", "kLargestMediaId"},
    {"winnt40/GNTDriverBase.h", "kSmallestMediaId"},
    {"winnt40/GNTDriverBaseForms.cpp", "kFirstFormMediaId"},
    // A class id in a 16-bit field.
    {"pipeline/GPeripheral.h", "kTransformClassId"},
    // Resource, dialog-control and timer ids.
    {"ui/pages/JobStorageNotice.h", "kDialogId"},
    {"ui/framework/GTimedDialog.h", "kPrinterNameId"},
    {"ui/framework/GTimedDialog.h", "kUserNameId"},
    {"ui/framework/GTimedDialog.h", "kJobNameId"},
    {"ui/framework/GTimedDialog.h", "kPortNameId"},
    {"ui/framework/GTimedDialog.h", "kResourceModuleId"},
    {"ui/framework/GTimedDialog.h", "kLocationId"},
    {"ui/framework/GTimedDialog.h", "kDontShowId"},
    {"ui/framework/GTimedDialog.h", "kHelpId"},
    {"ui/framework/GTimedDialog.h", "kTimerId"},
    {"winnt40/GCPSOSUI.h", "kTitleStringId"},
    {"winnt40/GNT40DriverEscapes.cpp", "kUntitledUpperStringId"},
    {"winnt40/GNT40DriverEscapes.cpp", "kUntitledStringId"},
    {"winnt40/GNT40DriverEscapes.cpp", "kNoticeDialogId"},
    {"winnt40/GNTDriverBaseCapabilities.cpp", "kCustomSizeStringId"},
};

const Lookup* FindLookup(const std::string& name) {
    for (const Lookup& lookup : Lookups())
        if (name == lookup.name) return &lookup;
    return nullptr;
}

bool IsNotASettingId(const std::string& file, const std::string& name) {
    return std::any_of(std::begin(kNotSettingIds), std::end(kNotSettingIds),
                       [&](const NotASettingId& entry) { return file == entry.file && name == entry.name; });
}

// The text with comments and the insides of quoted texts and characters
// blanked, so that line numbers and offsets stay as they were.
std::string Blanked(const std::string& text) {
    std::string out = text;
    enum class State { Code, Line, Block, Quoted } state = State::Code;
    char quote = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        switch (state) {
        case State::Code:
            if (c == '/' && next == '/') {
                state = State::Line;
                out[i] = ' ';
            } else if (c == '/' && next == '*') {
                state = State::Block;
                out[i] = ' ';
            } else if (c == '"' ||
                       (c == '\'' && !(i > 0 && std::isxdigit(static_cast<unsigned char>(text[i - 1]))))) {
                // A quote after a digit separates digits (1'000) and opens nothing.
                state = State::Quoted;
                quote = c;
            }
            break;
        case State::Line:
            if (c == '\n')
                state = State::Code;
            else
                out[i] = ' ';
            break;
        case State::Block:
            if (c == '*' && next == '/') {
                out[i] = out[i + 1] = ' ';
                ++i;
                state = State::Code;
            } else if (c != '\n') {
                out[i] = ' ';
            }
            break;
        case State::Quoted:
            if (c == '\\' && next != '\0') {
                out[i] = out[i + 1] = ' ';
                ++i;
            } else if (c == quote) {
                state = State::Code;
            } else if (c != '\n') {
                out[i] = ' ';
            }
            break;
        }
    }
    return out;
}

int LineAt(const std::string& text, size_t offset) {
    return 1 + static_cast<int>(
                   std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

// The arguments of the call whose opening parenthesis ends at open, split at
// the commas of its own level; empty when the call is not closed.
std::vector<std::string> Arguments(const std::string& text, size_t open) {
    std::vector<std::string> arguments;
    std::string current;
    int depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(' || c == '[' || c == '{') ++depth;
        if (c == ')' || c == ']' || c == '}') {
            if (depth == 0) {
                arguments.push_back(current);
                return arguments;
            }
            --depth;
        }
        if (c == ',' && depth == 0) {
            arguments.push_back(current);
            current.clear();
            continue;
        }
        current += c;
    }
    return {};
}

bool IsIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// The integer literal that starts at i (digits, hexadecimal digits after
// "0x", digit separators and a suffix), or empty.
std::string NumberAt(const std::string& text, size_t i) {
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return std::string();
    size_t end = i;
    while (end < text.size() && (IsIdentifierChar(text[end]) || text[end] == '\''))
        ++end;
    return text.substr(i, end - i);
}

// A whole argument that is an integer literal other than 0.
bool IsNonZeroNumber(const std::string& argument, std::string& number) {
    const size_t first = argument.find_first_not_of(" \t\n");
    if (first == std::string::npos) return false;
    number = NumberAt(argument, first);
    if (number.empty() || argument.find_first_not_of(" \t\n", first + number.size()) != std::string::npos)
        return false;
    return number.find_first_not_of("0xXuUlL'") != std::string::npos;
}

// Whether text holds an integer literal of its own (not the digits of a name).
bool HoldsNumber(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const bool starts = i == 0 || (!IsIdentifierChar(text[i - 1]) && text[i - 1] != '.');
        if (starts && !NumberAt(text, i).empty()) return true;
    }
    return false;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A name the id rule looks at: k, then a name that ends like an id's.
bool IsNamedLikeAnId(const std::string& name) {
    if (name.size() < 2 || name[0] != 'k') return false;
    for (const char* end : {"Id", "Ids", "Node", "Nodes", "Group", "Groups", "Setting", "Settings"})
        if (EndsWith(name, end)) return true;
    return false;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

const std::vector<std::string>& SettingIdChecker::ProductFolders() {
    static const std::vector<std::string> folders = {"model",   "pipeline", "paper", "driver", "job",
                                                     "device",  "filters",  "pdl",   "config", "ui",
                                                     "winnt40", "module",   "tools"};
    return folders;
}

std::vector<SettingIdFinding> SettingIdChecker::CheckFile(const std::string& path,
                                                          const std::string& text) const {
    std::vector<SettingIdFinding> findings;
    if (path == kSettingIdCataloguePath) return findings;
    const std::string code = Blanked(text);

    // Constants named like ids and set from a number: "constexpr <type>
    // <name>[[]] = <initialiser>;".
    for (size_t at = code.find("constexpr"); at != std::string::npos; at = code.find("constexpr", at + 1)) {
        if ((at > 0 && IsIdentifierChar(code[at - 1])) || IsIdentifierChar(code[at + 9])) continue;
        const size_t end = code.find(';', at);
        const size_t equals = code.find('=', at);
        if (end == std::string::npos || equals == std::string::npos || equals > end) continue;
        size_t nameEnd = equals;
        while (nameEnd > at && (std::isspace(static_cast<unsigned char>(code[nameEnd - 1])) ||
                                code[nameEnd - 1] == '[' || code[nameEnd - 1] == ']'))
            --nameEnd;
        size_t nameStart = nameEnd;
        while (nameStart > at && IsIdentifierChar(code[nameStart - 1]))
            --nameStart;
        const std::string name = code.substr(nameStart, nameEnd - nameStart);
        std::string type = code.substr(at + 9, nameStart - at - 9);
        type.erase(0, type.find_first_not_of(" \t\n"));
        type.erase(type.find_last_not_of(" \t\n") + 1);
        if (!IsNamedLikeAnId(name) || type == "RWClassID" || IsNotASettingId(path, name)) continue;
        if (!HoldsNumber(code.substr(equals + 1, end - equals - 1))) continue;
        findings.push_back(
            {path, LineAt(code, at),
             name + " names an id outside " + kSettingIdCataloguePath + ": use the catalogue's name"});
    }

    // Lookups with a number for an id.
    for (size_t i = 0; i < code.size(); ++i) {
        if (!IsIdentifierChar(code[i]) || (i > 0 && IsIdentifierChar(code[i - 1]))) continue;
        size_t end = i;
        while (end < code.size() && IsIdentifierChar(code[end]))
            ++end;
        const std::string name = code.substr(i, end - i);
        size_t open = code.find_first_not_of(" \t\n", end);
        const Lookup* lookup = FindLookup(name);
        if (lookup != nullptr && open != std::string::npos && code[open] == '(') {
            const std::vector<std::string> arguments = Arguments(code, open + 1);
            for (const size_t place : lookup->idArguments) {
                std::string number;
                if (place < arguments.size() && IsNonZeroNumber(arguments[place], number)) {
                    findings.push_back({path, LineAt(code, i),
                                        name + " is given the id " + number +
                                            " as a bare number: use its name in " + kSettingIdCataloguePath});
                }
            }
        }
        i = end - 1;
    }
    return findings;
}

std::vector<SettingIdFinding> SettingIdChecker::CheckCatalogue(const std::string& text) const {
    std::vector<SettingIdFinding> findings;
    const SettingIdCatalogue catalogue = ReadSettingIdCatalogue(text);
    for (const std::string& error : catalogue.errors) {
        const size_t colon = error.find(':');
        findings.push_back(
            {kSettingIdCataloguePath, std::stoi(error.substr(0, colon)), error.substr(colon + 2)});
    }
    std::map<uint32_t, const SettingIdEntry*> byValue;
    std::map<std::string, const SettingIdEntry*> byName;
    for (const SettingIdEntry& entry : catalogue.entries) {
        if (const auto [first, added] = byValue.emplace(entry.value, &entry); !added) {
            findings.push_back({kSettingIdCataloguePath, entry.line,
                                "id " + std::to_string(entry.value) + " has a second name: " + entry.name +
                                    " and " + first->second->name + " (line " +
                                    std::to_string(first->second->line) + ")"});
        }
        if (const auto [first, added] = byName.emplace(entry.name, &entry); !added) {
            findings.push_back({kSettingIdCataloguePath, entry.line,
                                entry.name + " is defined again (first at line " +
                                    std::to_string(first->second->line) + ")"});
        }
    }
    if (catalogue.entries.empty()) findings.push_back({kSettingIdCataloguePath, 1, "no setting id found"});
    return findings;
}

std::vector<SettingIdFinding> SettingIdChecker::CheckTree(const fs::path& root) {
    std::vector<SettingIdFinding> findings;
    filesChecked_ = 0;
    catalogueNames_ = 0;
    idsWithSeveralNames_ = 0;
    const fs::path catalogue = root / kSettingIdCataloguePath;
    if (!fs::is_regular_file(catalogue)) {
        findings.push_back({kSettingIdCataloguePath, 0, "the catalogue is missing"});
    } else {
        const std::string text = ReadText(catalogue);
        std::map<uint32_t, int> names;
        for (const SettingIdEntry& entry : ReadSettingIdCatalogue(text).entries) {
            ++catalogueNames_;
            if (++names[entry.value] == 2) ++idsWithSeveralNames_;
        }
        findings = CheckCatalogue(text);
    }
    std::set<std::string> files;
    for (const std::string& folder : ProductFolders()) {
        if (!fs::is_directory(root / folder)) continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp"))
                files.insert(entry.path().lexically_relative(root).generic_string());
        }
    }
    for (const std::string& file : files) {
        const std::vector<SettingIdFinding> found = CheckFile(file, ReadText(root / file));
        findings.insert(findings.end(), found.begin(), found.end());
        ++filesChecked_;
    }
    return findings;
}
