#include "rw/RWLibraryClasses.h"

void RWRegisterLibraryClasses() {
    // One line per class: RWAddToFactory(create function, class id, "Name").
}
