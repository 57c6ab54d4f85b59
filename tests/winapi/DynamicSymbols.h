#pragma once
// The symbols a shared library defines in its dynamic symbol table, as nm
// lists them (QV_NM_PROGRAM): mangled, or demangled ("WinHostStore::Reset()").
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

inline std::vector<std::string> DefinedDynamicSymbols(const std::string& library, bool demangled = false) {
    const std::string command =
        std::string(QV_NM_PROGRAM) + (demangled ? " -DC" : " -D") + " --defined-only " + library;
    std::vector<std::string> names;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return names;
    char line[8192];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        // "<address> <type> <name>"; a demangled name may hold blanks.
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        const size_t type = text.find(' ');
        const size_t name = type == std::string::npos ? type : text.find(' ', type + 1);
        if (name != std::string::npos) names.push_back(text.substr(name + 1));
    }
    EXPECT_EQ(pclose(pipe), 0) << command;
    return names;
}
