// The resource compiler of the build: reads the resource text files named
// on the command line (see ResourceReader.h) and writes the C++ source of
// the module's resource data to the output path.
//   qvrc OUTPUT.cpp INPUT.txt...
#include <cstdio>
#include <exception>
#include <fstream>

#include "ResourceEmitter.h"
#include "ResourceReader.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: qvrc OUTPUT.cpp INPUT.txt...\n");
        return 2;
    }
    ResourceModel model;
    try {
        for (int i = 2; i < argc; ++i)
            ResourceReader::Read(argv[i], model);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qvrc: %s\n", error.what());
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    ResourceEmitter::Write(model, out);
    out.flush();
    if (!out) {
        std::fprintf(stderr, "qvrc: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
