#include "ui/framework/GInstalledOptionsUpdater.h"

GInstalledOptionsUpdater::~GInstalledOptionsUpdater() = default;
