#pragma once

#include <array>
#include <cstdint>

#include "app/frontend.h"
#include "core/machine.h"

// The data-path picture as data. The picture keeps no image: at rest every path is black,
// and each highlight or un-highlight of a gate is drawn over what is there. We keep those
// draws since the last full repaint, in order, so the window can paint the same result
// whenever it paints. A later draw of a gate covers every pixel of its earlier one, so one
// entry per gate is enough; the order among gates is kept because paths share segments.
namespace vellar {

struct PathDraw {
  int gate = 0;
  bool active = false;
  // The values at the moment of the call: a highlight shows what travelled then.
  std::array<uint8_t, kRegCount> regs{};
  bool sign = false;
};

class DataPathPicture {
 public:
  DataPathPicture(const Machine& machine, Frontend& frontend);

  void DrawGatePath(int gate, bool active);
  // Every path black (EndRun, reset); no erase is needed, so only the record is dropped.
  void BxPaint();
  // A real repaint (menu toggles, resize): erased and drawn black.
  void FullRepaint();
  // The open even gates (inputs) or odd gates (outputs), in ascending order.
  void HighlightInputs(bool active) { HighlightOpen(0, active); }
  void HighlightOutputs(bool active) { HighlightOpen(1, active); }

  int DrawCount() const { return count_; }
  const PathDraw& Draw(int index) const { return draws_[index]; }

  int BusLines() const { return busLines_; }
  void SetBusLines(int lines) { busLines_ = lines; }

 private:
  void HighlightOpen(int parity, bool active);

  const Machine& machine_;
  Frontend& frontend_;
  std::array<PathDraw, kGateCount> draws_{};
  int count_ = 0;
  int busLines_ = 8;
};

}  // namespace vellar
