#include "model/GModelClasses.h"

#include "model/GCountedPtr.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentComposite.h"

void GRegisterModelClasses() {
    // One line per class: RWAddToFactory(create function, class id, "Name").
    // Classes declared with MPERSISTENT_CLASS_MEMBERS: GAddToFactory<Class>().
    GAddToFactory<GCountedPtr>();
    GAddToFactory<MPersistentComposite>();
}
