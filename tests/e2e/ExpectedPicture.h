#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Picture.h"

// What the magnifier must show while the test pattern covers the whole desktop, worked out
// from the desktop, the view size and the pointer alone.
namespace expected {

constexpr double kZoom = 2.0;
constexpr uint32_t kGrey = 0x808080;    // where no desktop pixel lands
constexpr uint32_t kSilver = 0xC0C0C0;  // the frame a view without title bar may draw
// A pixel that lies off the desktop: whatever the screen yields there is fine.
constexpr uint32_t kAnyColor = 0xFF000000;

// The desktop area the picture shows: it follows the pointer and stays on the desktop.
RECT SourceRect(POINT pointer, const RECT& desktop, int viewWidth, int viewHeight);

// The colour a desktop pixel has on the screen; by default the test pattern's.
using DesktopColor = std::function<uint32_t(int x, int y)>;

// The source rectangle scaled by the zoom, every desktop pixel a solid block.
Picture ViewPicture(const RECT& source, const RECT& desktop, int viewWidth, int viewHeight,
                    const DesktopColor& colorAt = nullptr);

// The picture with the 1-pixel silver frame a view without title bar draws over its edge.
Picture Framed(Picture picture);

// The picture turned left for right.
Picture MirroredLeftRight(const Picture& picture);

// Empty when `shown` is `wanted`, else a short account for a person. A 1-pixel silver
// frame along the picture's edge is accepted when `frameAllowed`, but only a complete one.
std::string Differences(const Picture& shown, const Picture& wanted, bool frameAllowed);

}  // namespace expected
