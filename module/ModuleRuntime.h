#pragma once
// What the module sets up for itself before any of its code runs on behalf
// of a caller: the raising library-error handler (a library error must not
// end the host process) and the class registrations. Idempotent; called from
// the module's process attach and by the test programs.
void InitializeModuleRuntime();
