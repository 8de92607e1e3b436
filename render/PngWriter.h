// Writes a bitmap as an RGB PNG file (libpng).
#pragma once
#include "raster/SoftwareSurface.h"

// false when the file cannot be written.
bool WritePng(const Bitmap& bitmap, const char* path);
