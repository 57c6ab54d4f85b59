// qvpdc: compiles a printer description (resources/printers/*.qvpd) into the
// driver data file the driver server restores.
//
//   qvpdc DESCRIPTION OUTPUT
//
// Exit status 0 when OUTPUT was written; 1 with "FILE:LINE: problem" on the
// standard error for a mistake in the description; 2 for a usage or output
// error. OUTPUT is only replaced when the whole file was built.
#include <cstdio>
#include <exception>
#include <string>

#include "module/ModuleRuntime.h"
#include "tools/printerdesc/DataFile.h"
#include "tools/printerdesc/DescriptionCompiler.h"
#include "tools/printerdesc/DescriptionError.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qvpdc DESCRIPTION OUTPUT\n");
        return 2;
    }
    InitializeModuleRuntime();
    std::string bytes;
    try {
        bytes = DescriptionCompiler::CompileFile(argv[1]);
    } catch (const DescriptionError& error) {
        std::fprintf(stderr, "qvpdc: %s\n", error.what());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qvpdc: %s: %s\n", argv[1], error.what());
        return 1;
    }
    if (!DataFile::Write(argv[2], bytes)) {
        std::fprintf(stderr, "qvpdc: cannot write %s\n", argv[2]);
        return 2;
    }
    return 0;
}
