#pragma once
// Registers the classes of the layers below the job (through the driver's
// registration) and the job commands with the class factory.
void GRegisterJobClasses();
