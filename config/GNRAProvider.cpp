#include "config/GNRAProvider.h"

GNRAProvider::~GNRAProvider() = default;
