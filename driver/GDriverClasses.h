#pragma once
// Registers the persistent classes of the driver's own services (locale
// snapshot, dynamic library) with the class factory; called once at module
// start-up.
void GRegisterDriverClasses();
