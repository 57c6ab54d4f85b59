#pragma once
// What the module sets up for itself before any of its code runs on behalf
// of a caller: the raising library-error handler (a library error must not
// end the host process) and the class registrations. Called from the
// module's process attach and by the test programs.

// Idempotent until the next release.
void InitializeModuleRuntime();
// Frees what the set-up made (the class registrations), so that a module
// unloaded while its process goes on leaves nothing behind; the next
// initialisation sets it up again. Only for a detach that unloads the
// module: no code of the module may run on any thread after it.
void ReleaseModuleRuntime();
