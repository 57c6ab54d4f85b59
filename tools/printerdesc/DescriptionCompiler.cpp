#include "tools/printerdesc/DescriptionCompiler.h"

#include <stdexcept>
#include <vector>

#include "model/MPersistentObject.h"
#include "tools/printerdesc/DataFile.h"
#include "tools/printerdesc/DataFileBuilder.h"
#include "tools/printerdesc/DataFileSerials.h"
#include "tools/printerdesc/DescriptionParser.h"

namespace {

std::string Compile(const std::vector<DescriptionStatement>& statements) {
    GCountedPtr root = DataFileBuilder().Build(statements);
    NumberSerials(*root);
    std::string bytes = DataFile::Save(*root);
    if (bytes.empty()) throw std::runtime_error("the data file could not be saved");
    GCountedPtr restored = DataFile::Restore(bytes);
    if (!restored || DataFile::Save(*restored) != bytes) {
        throw std::runtime_error("the saved data file does not restore to the same graph");
    }
    return bytes;
}

} // namespace

std::string DescriptionCompiler::CompileFile(const std::string& path) {
    return Compile(DescriptionParser::ParseFile(path));
}

std::string DescriptionCompiler::CompileText(const std::string& file, const std::string& text) {
    return Compile(DescriptionParser::ParseText(file, text));
}
