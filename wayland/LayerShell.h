// The layer shell's generated client header. One of its arguments is named
// `namespace`, a C++ keyword: renamed while the header is read.
#pragma once
#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
