#pragma once
// Registers the model's classes and the command base's stored classes (list,
// error and no-command commands) with the class factory.
void GRegisterPipelineClasses();
