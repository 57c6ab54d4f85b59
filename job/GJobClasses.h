#pragma once
// Registers the job commands with the class factory; called once at module
// start-up.
void GRegisterJobClasses();
