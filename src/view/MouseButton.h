#pragma once

#include <cstdint>

// The button of a press on the view, as its mouse events report it.
enum class TMouseButton : uint8_t { Left, Right, Middle };
