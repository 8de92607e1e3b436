// Placeholder until the PNG writer lands.
#include "render/PngWriter.h"

bool WritePng(const Bitmap&, const char*) { return false; }
