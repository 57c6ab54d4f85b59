#include "model/MPersistentIterator.h"

MPersistentIterator::~MPersistentIterator() = default;
