#pragma once
// What an installed-options update (the Configure tab's Update Now) asks of
// the rest of the system, which the installed-options issue supplies: the
// driver instance's re-read of the installed options, directly or through
// the printer's agent, and the configuration-to-settings entry point that
// copies the result into the sheet's settings.
#include <cstdint>
#include <optional>

class GDriver;
struct GUIData;

class GInstalledOptionsUpdater {
public:
    virtual ~GInstalledOptionsUpdater();

    // The driver instance re-reads the installed options itself: its status.
    virtual uint16_t ReReadDirectly(GDriver& driver) = 0;
    // The re-read through the printer's agent: the printer-data request
    // "QvrdbUpdateRequest" set to 1 around it, the printer opened through the
    // platform services (handed the driver instance when passInstance). The
    // re-read's status; nothing when the printer could not be opened.
    virtual std::optional<uint16_t> ReReadThroughPrinter(GDriver& driver, bool passInstance) = 0;
    // UI_CONFIGTOSETTINGS on the sheet's block: its status.
    virtual int16_t ConfigToSettings(GUIData& owner) = 0;
};
