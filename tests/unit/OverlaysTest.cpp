#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "fake/FakePlatform.h"
#include "unit/CpuPaths.h"
#include "view/ContrastPen.h"
#include "view/Scaler.h"
#include "view/VwImage.h"

namespace {

constexpr WindowId kView = 9;
constexpr uint32_t kLight = 0x00C8C8C8;
constexpr uint32_t kDark = 0x00202020;

struct OverlayFixture {
  FakePlatform platform;
  TImageView view{platform.screen, platform.windows, platform.clipboard};

  OverlayFixture(int width, int height, float zoom, uint32_t desktop = kLight) {
    platform.screen.virtualScreen = {-1920, 0, 1920, 1080};
    platform.screen.PaintDesktop([desktop](int, int) { return desktop; });
    view.AttachWindow(kView);
    view.WMSize(width, height);
    view.SetZoom(zoom);
  }
  void Track(int screenLeft, int screenTop, int left, int top) {
    view.SetScreenLeft(screenLeft);
    view.SetScreenTop(screenTop);
    view.SetLeftOffset(left);
    view.SetTopOffset(top);
  }
  std::vector<uint32_t> Snapshot() {
    const Bitmap* shown = view.Paint();
    return {shown->Pixels(), shown->Pixels() + shown->PixelCount()};
  }
  uint32_t At(const std::vector<uint32_t>& picture, int x, int y) const {
    return picture[static_cast<size_t>(y) * static_cast<size_t>(view.Width()) + static_cast<size_t>(x)];
  }
};

// Columns whose pixel in `row` differs between the two pictures.
std::vector<int> ChangedColumns(const OverlayFixture& t, const std::vector<uint32_t>& a, const std::vector<uint32_t>& b,
                                int row) {
  std::vector<int> columns;
  for (int x = 0; x < t.view.Width(); ++x)
    if (t.At(a, x, row) != t.At(b, x, row)) columns.push_back(x);
  return columns;
}

std::vector<int> ChangedRows(const OverlayFixture& t, const std::vector<uint32_t>& a, const std::vector<uint32_t>& b,
                             int column) {
  std::vector<int> rows;
  for (int y = 0; y < t.view.Height(); ++y)
    if (t.At(a, column, y) != t.At(b, column, y)) rows.push_back(y);
  return rows;
}

std::vector<int> Progression(int first, int step, int last) {
  std::vector<int> values;
  for (int v = first; v <= last; v += step) values.push_back(v);
  return values;
}

TEST(GridOverlay, LinesSitOnTheTrackedColumnAndRowFamilies) {
  OverlayFixture t(400, 300, 4);
  t.Track(1003, 20, 50, 37);
  const auto plain = t.Snapshot();
  t.view.SetGridlevel(10);
  const auto moving = t.Snapshot();
  EXPECT_EQ(ChangedColumns(t, plain, moving, 1), Progression(0, 40, 360));
  EXPECT_EQ(ChangedRows(t, plain, moving, 1), Progression(30, 40, 270));

  t.view.SetFixedGrid(true);
  const auto fixed = t.Snapshot();
  EXPECT_EQ(ChangedColumns(t, plain, fixed, 1), Progression(28, 40, 388));
  EXPECT_EQ(ChangedRows(t, plain, fixed, 1), Progression(30, 40, 270));
}

TEST(GridOverlay, FixedGridUsesTheTruncatingRemainderLeftOfThePrimary) {
  OverlayFixture t(400, 300, 3);
  t.Track(-1283, 0, 66, 0);
  const auto plain = t.Snapshot();
  t.view.SetGridlevel(5);
  EXPECT_EQ(ChangedColumns(t, plain, t.Snapshot(), 1), Progression(5, 15, 395));
  t.view.SetFixedGrid(true);
  EXPECT_EQ(ChangedColumns(t, plain, t.Snapshot(), 1), Progression(14, 15, 389));
}

TEST(GridOverlay, SpacingOneAtZoomTwoMarksEveryMagnifiedPixel) {
  OverlayFixture t(40, 30, 2);
  t.Track(0, 0, 10, 7);
  const auto plain = t.Snapshot();
  t.view.SetGridlevel(1);
  const auto grid = t.Snapshot();
  // Round(7 * 2) - 30 div 2 is odd, so the rows land on odd lines.
  EXPECT_EQ(ChangedColumns(t, plain, grid, 0), Progression(0, 2, 38));
  EXPECT_EQ(ChangedRows(t, plain, grid, 1), Progression(1, 2, 29));
}

TEST(GridOverlay, ShowsOnDarkAndLightPicturesWithCrossingsRecoloredOnce) {
  for (const uint32_t desktop : {kLight, kDark}) {
    OverlayFixture t(40, 40, 4, desktop);
    t.Track(0, 0, 5, 5);
    t.view.SetGridlevel(5);
    const auto grid = t.Snapshot();
    const uint32_t ink = desktop == kLight ? 0u : 0x00FFFFFFu;
    // The tracked column and row lie on lines; the crossing has the same ink as the lines.
    EXPECT_EQ(t.At(grid, 20, 3) & 0x00FFFFFF, ink);
    EXPECT_EQ(t.At(grid, 3, 20) & 0x00FFFFFF, ink);
    EXPECT_EQ(t.At(grid, 20, 20) & 0x00FFFFFF, ink);
  }
}

// The shown frame as letters: the desktop's dark and light, the grey around the picture, the
// cursor's stamp, and the pen's white and black.
std::vector<std::string> Letters(const Bitmap& frame, uint32_t cursorPixel) {
  std::vector<std::string> rows;
  for (int y = 0; y < frame.Height(); ++y) {
    std::string row;
    for (int x = 0; x < frame.Width(); ++x) {
      const uint32_t p = frame.At(x, y);
      row += p == kDark         ? 'd'
             : p == kLight      ? 'l'
             : p == 0x00808080u ? 'g'
             : p == cursorPixel ? 'c'
             : p == 0x00FFFFFFu ? 'W'
             : p == 0           ? '#'
                                : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> MirroredPicture(std::vector<std::string> rows, bool horizontal, bool vertical) {
  if (horizontal)
    for (std::string& row : rows) std::reverse(row.begin(), row.end());
  if (vertical) std::reverse(rows.begin(), rows.end());
  return rows;
}

// Grids worked out by hand, pixel by pixel. Vertical lines run from row 0 down to the picture
// area's height, horizontal ones from column 0 across its width, each crossing recolored once;
// the pen is white over the dark desktop and black over light pixels, grey included.
struct GridView {
  int width, height, border;
  float zoom;
  int gridlevel, left, top;
  bool cursor;
};

struct GridPicture {
  const char* what;
  GridView view;
  std::vector<std::string> desktop;  // from (0, 0); the rest of the desktop is dark
  std::vector<std::string> shown;
};

const GridPicture kGridPictures[] = {
    // Picture area 10 x 8 at (2, 2). Zoom 2, spacing 2, tracked (2, 1): columns 2i + 3 for even
    // i (3, 7, 11), rows 2j for odd j (2, 6). Column 11 lies right of the area's width but
    // inside the picture, and keeps its pixel on the rows of the horizontal lines.
    {"border",
     {14, 12, 2, 2, 2, 2, 1, false},
     {},
     {"ggg#ggg#ggg#gg",  //
      "ggg#ggg#ggg#gg",  //
      "##WWWWWWWWdWgg",  //
      "ggdWdddWdddWgg",  //
      "ggdWdddWdddWgg",  //
      "ggdWdddWdddWgg",  //
      "##WWWWWWWWdWgg",  //
      "ggdWdddWdddWgg",  //
      "ggddddddddddgg",  //
      "ggddddddddddgg",  //
      "gggggggggggggg",  //
      "gggggggggggggg"}},
    // No border: the picture fills the view and the pen takes each pixel's colour from the
    // source pixel it doubles. Tracked (2, 0): columns 2i + 2 for even i (2, 6, 10), rows 4j
    // for even j (0, 4).
    {"doubled",
     {12, 8, 0, 2, 2, 2, 0, false},
     {"dlddld",  //
      "lddldl",  //
      "dldldd",  //
      "ldldld"},
     {"WW##WWWW##WW",  //
      "dd#lddWdllWd",  //
      "llWddd#ldd#l",  //
      "llWddd#ldd#l",  //
      "WW##WW##WWWW",  //
      "dd#ldd#lddWd",  //
      "llWdllWdllWd",  //
      "llWdllWdllWd"}},
    // The same with the cursor stamped from (5, 1) on: the grid goes over it.
    {"doubled under the cursor",
     {12, 8, 0, 2, 2, 2, 0, true},
     {"dlddld",  //
      "lddldl",  //
      "dldldd",  //
      "ldldld"},
     {"WW##WWWW##WW",  //
      "dd#ldcWcccWc",  //
      "llWddcWcccWc",  //
      "llWddcWcccWc",  //
      "WW##WWWWWWWW",  //
      "dd#ldcWcccWc",  //
      "llWdlcWcccWc",  //
      "llWdlcWcccWc"}},
};

TEST(GridOverlay, EveryPixelOfSmallViewsAsWorkedOutByHand) {
  const std::pair<bool, bool> flips[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const GridPicture& c : kGridPictures) {
    for (const auto& [horizontal, vertical] : flips) {
      FakePlatform platform;
      platform.screen.PaintDesktop([&c](int x, int y) {
        const bool inMap = y < static_cast<int>(c.desktop.size()) && x < static_cast<int>(c.desktop[0].size());
        return inMap && c.desktop[static_cast<size_t>(y)][static_cast<size_t>(x)] == 'l' ? kLight : kDark;
      });
      TImageView view(platform.screen, platform.windows, platform.clipboard);
      view.AttachWindow(kView);
      view.WMSize(c.view.width, c.view.height);
      view.SetBorderWidth(c.view.border);
      view.SetZoom(c.view.zoom);
      view.SetGridlevel(c.view.gridlevel);
      view.SetLeftOffset(c.view.left);
      view.SetTopOffset(c.view.top);
      view.SetShowCursor(c.view.cursor);
      view.SetFlipHorizontal(horizontal);
      view.SetFlipVertical(vertical);
      EXPECT_EQ(Letters(*view.Paint(), platform.screen.cursorPixel), MirroredPicture(c.shown, horizontal, vertical))
          << c.what << ", flips " << horizontal << vertical;
    }
  }
}

TEST(GridOverlay, SpacingBelowOneViewPixelDrawsNoGrid) {
  for (const auto& [zoom, spacing] : {std::pair{0.5f, 1}, std::pair{0.25f, 2}, std::pair{0.4f, 1}}) {
    OverlayFixture t(100, 80, zoom);
    t.Track(0, 0, 10, 10);
    const auto plain = t.Snapshot();
    t.view.SetGridlevel(spacing);
    EXPECT_EQ(t.Snapshot(), plain) << "zoom " << zoom;
  }
}

TEST(ContrastPen, RunsColumnsAndPicksColorEveryPixelAsThePixelRuleOnEveryPath) {
  // Every colour, a fourth byte that varies, and a length that leaves a ragged end.
  std::vector<uint32_t> pixels((1u << 24) + 3);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint32_t>(i * 0x01000001u);
  std::vector<uint32_t> run(pixels.size());
  for (const CpuPath& path : CpuPaths()) {
    const CpuPathScope scope(path);
    run = pixels;
    ContrastRun(run.data(), static_cast<int>(run.size()));
    size_t wrong = 0;
    for (size_t i = 0; i < pixels.size(); ++i) wrong += run[i] != ContrastPixel(pixels[i]);
    EXPECT_EQ(wrong, 0u) << path.name;

    std::vector<uint32_t> row(pixels.begin(), pixels.begin() + 1000);
    std::vector<int> columns;
    for (int x = 3; x < 1000; x += 7) columns.push_back(x);
    ContrastColumns(row.data(), columns.data(), static_cast<int>(columns.size()));
    for (int x = 0; x < 1000; ++x) {
      const bool onColumn = x >= 3 && (x - 3) % 7 == 0;
      EXPECT_EQ(row[x], onColumn ? ContrastPixel(pixels[x]) : pixels[x]) << path.name << " column " << x;
    }

    // Picks from a source row of half the width into two rows, in a ragged number.
    std::vector<PenPick> picks;
    for (int x = 1; x < 1000; x += 9) picks.push_back({x / 2, x});
    std::vector<uint32_t> upper(1000, 0x00123456u), lower(1000, 0x00654321u);
    uint32_t* const rows[2] = {upper.data(), lower.data()};
    ContrastPicks(pixels.data() + 5000, picks.data(), static_cast<int>(picks.size()), rows, 2);
    for (int x = 0; x < 1000; ++x) {
      const bool picked = (x - 1) % 9 == 0;
      EXPECT_EQ(upper[x], picked ? ContrastPixel(pixels[5000 + x / 2]) : 0x00123456u) << path.name << " pick " << x;
      EXPECT_EQ(lower[x], picked ? ContrastPixel(pixels[5000 + x / 2]) : 0x00654321u) << path.name << " pick " << x;
    }
  }
}

TEST(CrosshairOverlay, InvertedOutlineTouchesSixteenPixelsOnce) {
  OverlayFixture t(400, 300, 4);
  t.Track(0, 0, 50, 37);
  const auto plain = t.Snapshot();
  t.view.SetDrawCross(true);
  const auto cross = t.Snapshot();
  std::vector<Point> changed;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) {
      if (t.At(plain, x, y) == t.At(cross, x, y)) continue;
      changed.push_back({x, y});
      EXPECT_EQ(t.At(cross, x, y), InvertPixel(t.At(plain, x, y)));
      EXPECT_TRUE((x == 200 || x == 204) ? (y >= 148 && y <= 152) : (y == 148 || y == 152) && x > 200 && x < 204)
          << x << "," << y;
    }
  EXPECT_EQ(changed.size(), 16u);
}

TEST(CrosshairOverlay, EdgesFollowHalfToEvenRounding) {
  OverlayFixture t(60, 60, 2.5f);
  t.Track(0, 0, 3, 3);
  const auto plain = t.Snapshot();
  t.view.SetDrawCross(true);
  // L = 3: edges at Round(7.5) = 8 and Round(10.0) = 10.
  EXPECT_EQ(ChangedColumns(t, plain, t.Snapshot(), 9), (std::vector<int>{8, 10}));
}

TEST(CrosshairOverlay, IsRedOverAGridOnlyWhenDrawGridIsOn) {
  OverlayFixture t(100, 100, 4);
  t.Track(0, 0, 10, 10);
  t.view.SetGridlevel(5);
  t.view.SetDrawCross(true);
  t.view.SetDrawGrid(true);
  const auto red = t.Snapshot();
  EXPECT_EQ(t.At(red, 41, 40) & 0x00FFFFFF, 0x00FF0000u);
  EXPECT_EQ(t.At(red, 44, 42) & 0x00FFFFFF, 0x00FF0000u);

  t.view.SetGridlevel(0);
  const auto inverted = t.Snapshot();
  EXPECT_EQ(t.At(inverted, 41, 40), InvertPixel(kLight));

  // A stored spacing of any size is still a grid, however far apart its lines.
  t.view.SetGridlevel(2147483647);
  EXPECT_EQ(t.At(t.Snapshot(), 41, 40) & 0x00FFFFFF, 0x00FF0000u);
}

TEST(CursorOverlay, IsPlacedOnePixelPastTheScaledHotSpotAndSizedByTheZoom) {
  struct Case {
    float zoom;
    Point hotSpot;
    Point tracked;
    Point at;
    int size;
  } cases[] = {
      {3, {0, 0}, {50, 37}, {151, 112}, 96},
      {0.25f, {0, 0}, {50, 37}, {13, 10}, 8},  // Round(12.5) = 12, Round(9.25) = 9
      {2, {10, 4}, {50, 37}, {81, 67}, 64},
      {1, {10, 4}, {50, 37}, {41, 34}, 32},
  };
  for (const Case& c : cases) {
    OverlayFixture t(400, 300, c.zoom);
    t.platform.screen.cursor.hotSpot = c.hotSpot;
    t.Track(0, 0, c.tracked.x, c.tracked.y);
    t.view.SetShowCursor(true);
    t.view.Paint();
    ASSERT_EQ(t.platform.screen.cursorDraws.size(), 1u);
    EXPECT_EQ(t.platform.screen.cursorDraws[0].at, c.at) << "zoom " << c.zoom;
    EXPECT_EQ(t.platform.screen.cursorDraws[0].size, c.size) << "zoom " << c.zoom;
  }
}

TEST(CursorOverlay, AMissingCursorDrawsNothingAndThePaintGoesOn) {
  OverlayFixture t(40, 40, 2);
  const auto plain = t.Snapshot();
  t.platform.screen.cursorAvailable = false;
  t.view.SetShowCursor(true);
  EXPECT_EQ(t.Snapshot(), plain);
  EXPECT_TRUE(t.platform.screen.cursorDraws.empty());
}

TEST(Overlays, CursorThenGridThenCrosshairThenMirror) {
  OverlayFixture t(80, 80, 4);
  t.Track(0, 0, 5, 5);
  t.platform.screen.cursor.hotSpot = {0, 0};
  t.view.SetShowCursor(true);
  t.view.SetGridlevel(5);
  t.view.SetDrawCross(true);
  t.view.SetFlipHorizontal(true);
  const auto picture = t.Snapshot();
  // Unflipped, the cursor covers (21..148, 21..148), the grid lines lie at 20 and 40, the
  // crosshair outline runs from (20, 20) to (24, 24).
  const auto mirrored = [&](int x, int y) { return t.At(picture, 79 - x, y) & 0x00FFFFFF; };
  EXPECT_EQ(mirrored(30, 30), t.platform.screen.cursorPixel) << "cursor";
  EXPECT_EQ(mirrored(40, 30), 0x00FFFFFFu) << "grid over the dark cursor";
  EXPECT_EQ(mirrored(22, 24), InvertPixel(t.platform.screen.cursorPixel) & 0x00FFFFFF) << "crosshair over the cursor";
}

// Composes a frame the long way, pass after pass over whole bitmaps, from the same pieces.
class StepByStepView : public TImageView {
 public:
  explicit StepByStepView(FakePlatform& platform)
      : TImageView(platform.screen, platform.windows, platform.clipboard), platform_(platform) {}

  void Compose(Bitmap& frame) {
    const Rect r = GetImageRect();
    const double z = Zoom();
    const Rect desktop = platform_.screen.VirtualScreen();
    const int sw = std::min(static_cast<int>(std::ceil(r.Width() / z)), desktop.Width());
    const int sh = std::min(static_cast<int>(std::ceil(r.Height() / z)), desktop.Height());
    Bitmap source;
    source.SetSize(sw, sh);
    platform_.screen.CaptureDesktop({ScreenLeft(), ScreenTop(), ScreenLeft() + sw, ScreenTop() + sh}, source, {0, 0});
    const bool filterPicture = z < 1 && !Smoothen();
    if (!filterPicture) ApplyColorFilter(source, ColorFilterMode());
    frame.SetSize(Width(), Height());
    frame.Fill(PixelFromColor(kViewGrey));
    Scaler scaler;
    scaler.Scale(source, frame, {r.left, r.top}, Zoom(), Smoothen());
    const int right = r.left + static_cast<int>(std::nearbyint(sw * z));
    const int bottom = r.top + static_cast<int>(std::nearbyint(sh * z));
    if (filterPicture) ApplyColorFilter(frame, ColorFilterMode(), {r.left, r.top, right, bottom});
    DrawCursorOverlay(frame, z);
    if (Gridlevel() > 0) DrawGridOverlay(frame);
    if (DrawCross()) DrawCrosshairOverlay(frame, true);
  }

 private:
  FakePlatform& platform_;
};

TEST(Overlays, ThePaintDrawnRowByRowEqualsThePaintDrawnPassByPass) {
  struct Case {
    float zoom;
    bool smooth;
    TColorFilterMode filter;
    bool smallDesktop;  // the picture leaves grey rows and columns, which the grid crosses too
    int border = 2;     // without one the picture fills the view and the scaler draws the grid
  };
  const Case cases[] = {
      {2, false, cfSepia, false},    {3, false, cfInvert, false},    {1.5f, false, cfGrayscale, false},
      {0.5f, false, cfSepia, false}, {2, true, cfProtanopia, false}, {0.5f, true, cfSepia, false},
      {2, false, cfSepia, true},     {3, true, cfNone, true},        {2, false, cfSepia, false, 0},
      {2, false, cfNone, false, 0},  {2, false, cfSepia, true, 0}};
  for (const Case& c : cases) {
    FakePlatform platform;
    platform.screen.virtualScreen = c.smallDesktop ? Rect{0, 0, 60, 40} : Rect{-1920, 0, 1920, 1080};
    platform.screen.PaintDesktop(PatternPixel);
    StepByStepView view(platform);
    view.AttachWindow(kView);
    view.WMSize(203, 151);
    view.SetBorderWidth(c.border);
    view.SetZoom(c.zoom);
    view.SetSmoothen(c.smooth);
    view.SetColorFilterMode(c.filter);
    view.SetScreenLeft(c.smallDesktop ? 0 : 40);
    view.SetScreenTop(c.smallDesktop ? 0 : 30);
    view.SetLeftOffset(9);
    view.SetTopOffset(7);
    // A cursor larger than the grid's spacing, so that lines cross it.
    platform.screen.cursor.hotSpot = {2, 3};
    view.SetShowCursor(true);
    view.SetDrawCross(true);
    view.SetDrawGrid(true);
    view.SetGridlevel(3);
    const Bitmap& painted = *view.Paint();
    Bitmap composed;
    view.Compose(composed);
    int wrong = 0;
    for (int y = 0; y < composed.Height(); ++y)
      for (int x = 0; x < composed.Width(); ++x) wrong += painted.At(x, y) != composed.At(x, y);
    EXPECT_EQ(wrong, 0) << "zoom " << c.zoom << (c.smooth ? " smooth" : "") << " filter " << int{c.filter}
                        << (c.smallDesktop ? " small desktop" : "") << " border " << c.border;
  }
}

}  // namespace
