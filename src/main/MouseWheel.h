#pragma once

// One notch of the mouse wheel, decoded where the message arrives: positive away from the user.
struct MouseWheel {
  int delta = 0;
};
