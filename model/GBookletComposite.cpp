#include "model/GBookletComposite.h"

GBookletComposite::~GBookletComposite() = default;
