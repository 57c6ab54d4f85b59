#pragma once
// Registers the persistent model's classes (settings tree, configurations,
// values) with the class factory; called once at module start-up.
void GRegisterModelClasses();
