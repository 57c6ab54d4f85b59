#pragma once
// Registers the class library's own collectable classes with the factory.
// Registration is explicit (not by static objects) so that linking into a
// static library or the shared module can never drop it.
void RWRegisterLibraryClasses();
