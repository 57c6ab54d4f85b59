// The platform layer's dynamic symbols: the functions its headers mark with
// QV_WINAPI_API (the Windows face in winapi/, the host and test API in
// winapi/host/) and the members of the few classes the host and the tests
// use; no internal class and no instantiation of the standard library.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tests/winapi/DynamicSymbols.h"

namespace {

// The classes and namespaces whose members the library may export: the
// face's resource formats and text conversions, and the host and test API.
const std::set<std::string> kExportedScopes = {
    "WinBitmapResource",   "WinDialogTemplate", "WinText",        "WinClock",
    "WinHostStore",        "WinMachineState",   "WinRegistryKey", "WinSqliteStore",
    "WinStorePersistence", "WinUiActions",      "WinUiDriver",    "WinUiScriptFile",
    "WinUiScriptParser",   "WinWaitHub"};

// What a demangled symbol names: its outermost scope ("WinHostStore",
// "std"; empty for a free function), its own name without scope, and
// whether it is a function.
struct Entity {
    std::string scope;
    std::string name;
    bool function = false;
};

// The position of the first c at angle-bracket depth 0 at or after from.
size_t FindOutside(const std::string& text, const std::string& c, size_t from = 0) {
    int depth = 0;
    for (size_t i = from; i < text.size(); ++i) {
        if (depth == 0 && text.compare(i, c.size(), c) == 0) return i;
        if (text[i] == '<') ++depth;
        if (text[i] == '>' && depth > 0) --depth;
    }
    return std::string::npos;
}

Entity Parse(std::string symbol) {
    Entity entity;
    // vtables, typeinfo and their kin belong to the class they name.
    bool ofClass = false;
    for (const char* prefix :
         {"typeinfo name for ", "typeinfo for ", "vtable for ", "VTT for ", "construction vtable for ",
          "guard variable for ", "non-virtual thunk to ", "virtual thunk to "}) {
        if (symbol.rfind(prefix, 0) == 0) {
            symbol.erase(0, std::string(prefix).size());
            ofClass = true;
            break;
        }
    }
    const size_t parameters = FindOutside(symbol, "(");
    entity.function = !ofClass && parameters != std::string::npos;
    std::string qualified = symbol.substr(0, parameters);
    // A template function's demangled name begins with its return type.
    for (size_t blank = FindOutside(qualified, " "); blank != std::string::npos;
         blank = FindOutside(qualified, " "))
        qualified.erase(0, blank + 1);
    if (const size_t tag = qualified.find("[abi:"); tag != std::string::npos) qualified.erase(tag);
    const size_t first = FindOutside(qualified, "::");
    if (first != std::string::npos || ofClass) entity.scope = qualified.substr(0, first);
    size_t last = std::string::npos;
    for (size_t at = first; at != std::string::npos; at = FindOutside(qualified, "::", at + 2))
        last = at;
    entity.name = last == std::string::npos ? qualified : qualified.substr(last + 2);
    return entity;
}

// The functions the platform layer's public headers declare, by name:
// those whose declaration begins with the macro (after [[noreturn]]) and
// any other declaration of a function at namespace scope, which would stay
// hidden in the library.
struct Declared {
    std::set<std::string> marked;
    std::set<std::string> unmarked;
};

// The identifier before the first parenthesis of a line; empty when the
// line does not declare a function there (a type, a constant, a macro ...).
std::string DeclaredName(const std::string& line) {
    for (const char* other : {"constexpr ", "inline ", "using ", "struct ", "class ", "template", "typedef ",
                              "static_assert", "#", "//", "namespace ", "return ", "enum ", "union "})
        if (line.rfind(other, 0) == 0) return {};
    const size_t open = line.find('(');
    if (line.empty() || !std::isalpha(static_cast<unsigned char>(line[0])) || open == std::string::npos)
        return {};
    size_t start = open;
    while (start > 0 && (std::isalnum(static_cast<unsigned char>(line[start - 1])) || line[start - 1] == '_'))
        --start;
    // A return type and a blank (or * or &) come before the name.
    if (start == 0 || start == open || std::string(" *&").find(line[start - 1]) == std::string::npos)
        return {};
    return line.substr(start, open - start);
}

Declared DeclaredFunctions() {
    Declared declared;
    for (const char* folder : {"winapi", "winapi/host"}) {
        const std::filesystem::path path = std::filesystem::path(QV_SOURCE_DIR) / folder;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            if (entry.path().extension() != ".h") continue;
            std::ifstream in(entry.path());
            int depth = 0; // inside a class body the members are the class's
            for (std::string line; std::getline(in, line);) {
                if (line.rfind("[[noreturn]] ", 0) == 0) line.erase(0, 13);
                const bool marked = line.rfind("QV_WINAPI_API ", 0) == 0;
                const std::string name = DeclaredName(marked ? line.substr(14) : line);
                if (depth == 0 && !name.empty()) (marked ? declared.marked : declared.unmarked).insert(name);
                const std::string code = line.substr(0, line.find("//"));
                for (char c : code)
                    depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            }
        }
    }
    return declared;
}

TEST(WinLibraryExportsTest, ParsesTheSymbolsItJudges) {
    struct Case {
        const char* symbol;
        const char* scope;
        const char* name;
        bool function;
    } cases[] = {
        {"GetLastError()", "", "GetLastError", true},
        {"PrinterKeyPath[abi:cxx11](std::basic_string_view<char16_t, std::char_traits<char16_t> >)", "",
         "PrinterKeyPath", true},
        {"WinHostStore::Instance()", "WinHostStore", "Instance", true},
        {"WinText::ToUtf8[abi:cxx11](std::basic_string_view<char16_t, std::char_traits<char16_t> >)",
         "WinText", "ToUtf8", true},
        {"typeinfo name for WinSqliteStore", "WinSqliteStore", "WinSqliteStore", false},
        {"vtable for WinButtonControl", "WinButtonControl", "WinButtonControl", false},
        {"std::vector<int, std::allocator<int> >::_M_default_append(unsigned long)", "std",
         "_M_default_append", true},
        {"void std::__detail::__to_chars_10_impl<unsigned int>(char*, unsigned int, unsigned int)", "std",
         "__to_chars_10_impl<unsigned int>", true},
        {"std::pair<std::_Rb_tree_iterator<int>, bool> std::_Rb_tree<int, int>::_M_insert_unique<int>(int&&)",
         "std", "_M_insert_unique<int>", true},
        {"__gnu_cxx::__normal_iterator<int*, std::vector<int> >::base() const", "__gnu_cxx", "base", true},
        {"typeinfo for std::_Sp_make_shared_tag", "std", "_Sp_make_shared_tag", false},
        {"IDC_ARROW", "", "IDC_ARROW", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.symbol);
        const Entity entity = Parse(c.symbol);
        EXPECT_EQ(entity.scope, c.scope);
        EXPECT_EQ(entity.name, c.name);
        EXPECT_EQ(entity.function, c.function);
    }
}

TEST(WinLibraryExportsTest, TheLibraryExportsItsFaceAndTheHostAndTestApiOnly) {
    const std::vector<std::string> symbols = DefinedDynamicSymbols(QV_WINAPI_PATH, true);
    ASSERT_FALSE(symbols.empty());
    const Declared declared = DeclaredFunctions();
    const std::set<std::string>& marked = declared.marked;
    for (const std::string& name : declared.unmarked)
        ADD_FAILURE() << "declared in a public header without QV_WINAPI_API: " << name;
    std::set<std::string> exported;
    for (const std::string& symbol : symbols) {
        const Entity entity = Parse(symbol);
        if (entity.function) exported.insert(entity.name);
        if (entity.scope == "std" || entity.scope == "__gnu_cxx")
            ADD_FAILURE() << "a standard-library instantiation is exported: " << symbol;
        else if (!entity.scope.empty())
            EXPECT_EQ(kExportedScopes.count(entity.scope), 1u)
                << "a class outside the host and test API: " << symbol;
        else
            EXPECT_EQ(marked.count(entity.name), 1u)
                << "not marked for export in a public header: " << symbol;
    }
    // And what the headers mark is there: a declaration without a definition
    // in the library would leave the module unloadable.
    for (const std::string& name : marked)
        EXPECT_EQ(exported.count(name), 1u) << "marked but not exported: " << name;
}

} // namespace
