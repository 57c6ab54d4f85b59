#include "ui/framework/GQuicksetPool.h"

GQuicksetPool::~GQuicksetPool() = default;
