#pragma once

// Read by both the resource compiler and the code, hence plain macros.
#define GLIMMERLUX_ICON 1
