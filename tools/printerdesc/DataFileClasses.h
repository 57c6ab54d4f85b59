#pragma once
// The classes a driver data file may hold: the settings model's containers
// and leaves and the paper model. A data file is read with a restore filter
// of exactly these (rw/RWRestoreClassFilter.h), so a damaged or hostile file
// can never make a peripheral, a loader or any other class.
#include <vector>

#include "rw/RWDefs.h"

const std::vector<RWClassID>& DataFileClassIds();
