#pragma once

#include <cstdint>
#include <vector>

#include "base/Geometry.h"
#include "base/Mirror.h"

// The grid's spacing on the frame, Round(spacing * zoom); 0 when a spacing of 0 or less, or one
// below half a frame pixel, draws no grid. A stored spacing can be any number: past any frame
// it is capped at 2^30, where the rounded product still fits an int and draws the same lines.
int GridStep(int spacing, double zoom);

// What places the grid's lines on a frame.
struct GridSettings {
  int gridlevel = 0;  // spacing in source pixels
  float zoom = 1;
  bool fixed = false;  // anchored to the desktop rather than to the tracked pixel
  Point screen;        // the capture's top-left on the desktop
  Point tracked;       // the tracked pixel inside the capture
  int viewWidth = 0;
  int viewHeight = 0;
  int areaWidth = 0;   // the picture area's size: vertical lines run down its height from row 0,
  int areaHeight = 0;  // horizontal ones across its width from column 0
};

// Where the grid's lines fall on one frame, worked out once per frame; then the contrast pen
// draws them row by row. Vertical lines lie on the source columns a multiple of the spacing
// away from the tracked pixel, horizontal ones likewise; a pixel on two lines is drawn once.
// With a mirror everything lands where mirroring the frame afterwards would put it.
class GridPlan {
 public:
  // False when the spacing is below one frame pixel, which draws no grid.
  bool Plan(const GridSettings& s, int frameWidth, int frameHeight, Mirror mirror);

  enum class Row : uint8_t {
    kNone,     // no line
    kColumns,  // the vertical lines only
    kLine,     // a horizontal line, and the vertical lines it does not reach
  };
  Row RowAt(int y) const;
  // Frame columns of the vertical lines, each once.
  const std::vector<int>& Columns() const { return columns_; }
  // Frame columns [LineFrom, LineTo) that the horizontal lines cover.
  int LineFrom() const { return lineFrom_; }
  int LineTo() const { return lineTo_; }
  // Whether the horizontal lines cover exactly frame columns [left, right) and the vertical
  // ones lie inside them: then a line row is the pen over that run and nothing else.
  bool Covers(int left, int right) const;

  // Row y of the frame with its lines drawn in the contrast pen.
  void DrawRow(uint32_t* row, int y) const;

 private:
  std::vector<uint8_t> lineRows_;  // per unmirrored row: carries a horizontal line
  std::vector<int> columns_;
  std::vector<int> besideLines_;  // the columns outside [lineFrom_, lineTo_)
  int lineFrom_ = 0;
  int lineTo_ = 0;
  int columnsBottom_ = 0;  // vertical lines run over unmirrored rows [0, columnsBottom_)
  Mirror mirror_;
};
