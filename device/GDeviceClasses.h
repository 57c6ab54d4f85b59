#pragma once
// Registers the classes of every layer below the devices (through the job's
// registration: a stored chain and the commands it plays restore together)
// and the peripheral chain's (composite, printer, PJL stage, add-on proxy)
// with the class factory.
void GRegisterDeviceClasses();
