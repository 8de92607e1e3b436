// Writes a bitmap as an RGB PNG (libpng).
#pragma once
#include <cstdio>

#include "raster/SoftwareSurface.h"

// Writes to `file`, open for writing; false for an empty bitmap (PNG has
// none) or when libpng fails. Errors of the stream itself show in its error
// flag, which the caller checks when closing it.
bool WritePng(const Bitmap& bitmap, std::FILE* file);
