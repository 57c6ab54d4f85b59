#pragma once
// Registers the printer device model's classes (media, pools, trays, bins,
// paper-handling units, form-to-tray database, custom sizes, margins) with
// the class factory; called once at module start-up.
void GRegisterDeviceClasses();
