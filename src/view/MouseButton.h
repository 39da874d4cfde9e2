#pragma once

#include <cstdint>

// The button of a press on the view, as its mouse events report it.
enum class MouseButton : uint8_t { Left, Right, Middle };
