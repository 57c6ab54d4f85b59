#include "model/GOptMediaComposite.h"

GOptMediaComposite::~GOptMediaComposite() = default;
