#include "model/GModelClasses.h"

void GRegisterModelClasses() {
    // One line per class: RWAddToFactory(create function, class id, "Name").
}
