// What the load rules made of the stored values the Linux savers were given
// (by the settings file or the command line's stored names): the ones they
// replaced, named as the browser page names them.
#pragma once
#include <string>

#include "settings/MemoryStore.h"

// "NAME=GIVEN was replaced by NOW" for each value present in `store` that
// the load rules did not take as given, joined by "; "; empty when they took
// every one. A value taken up to the record's precision (RadiusFactor=29 as
// 0.29, ImagesPerSec=60 as a 16 ms tick) counts as taken. Loads Settings.
std::string ReplacedValues(const MemoryStore& store);
