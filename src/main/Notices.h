#pragma once

// What the user is told when another program keeps the clipboard.
inline constexpr const char* kClipboardBusyText =
    "The clipboard is in use by another program, so nothing was copied. Please try again.";
