#pragma once
// The whole build step: a printer description in, the driver data file's
// bytes out. Parses, builds the graph, numbers its serials, saves it, and
// checks that the bytes restore under the data file's class allowlist and
// save again to the same bytes. Any mistake in the description throws a
// DescriptionError naming its file and line.
#include <string>

class DescriptionCompiler {
public:
    static std::string CompileFile(const std::string& path);
    // file names the text in messages; includes are read relative to it.
    static std::string CompileText(const std::string& file, const std::string& text);
};
