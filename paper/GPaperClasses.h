#pragma once
// Registers the model's classes and the paper model's (media, pools, trays,
// bins, paper-handling units, form-to-tray database, custom sizes, margins)
// with the class factory.
void GRegisterPaperClasses();
