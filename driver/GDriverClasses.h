#pragma once
// Registers the classes of the layers below the driver (model, command base,
// paper model) and the driver's own stored classes (locale information,
// dynamic libraries) with the class factory.
void GRegisterDriverClasses();
