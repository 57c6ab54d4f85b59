#pragma once
// Registers the printer device model's classes (media, pools, trays, bins,
// paper-handling units, form-to-tray database, custom sizes, margins) and the
// peripheral chain (composite, printer, add-on proxy) and the job commands it
// plays with the class factory; called once at module start-up.
void GRegisterDeviceClasses();
