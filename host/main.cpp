// The spooler stand-in: plays the spooler on the host store of a folder,
// loads the module through the platform layer's loader and drives it through
// its exports by name (qvhost --help lists the commands).
#include <iostream>

#include "host/HostProgram.h"

int main(int argc, char** argv) {
    return HostProgram::Run(argc, argv, std::cout, std::cerr);
}
