#include "app/data_path.h"

namespace vellar {

DataPathPicture::DataPathPicture(const Machine& machine, Frontend& frontend)
    : machine_(machine), frontend_(frontend) {}

void DataPathPicture::DrawGatePath(int gate, bool active) {
  int i = 0;
  while (i < count_ && draws_[i].gate != gate) ++i;
  for (; i + 1 < count_; ++i) draws_[i] = draws_[i + 1];
  if (i == count_) ++count_;
  PathDraw& draw = draws_[count_ - 1];
  draw.gate = gate;
  draw.active = active;
  draw.regs = machine_.Regs;
  draw.sign = machine_.SignFlag();
  frontend_.Invalidate(kRedrawPicture);
}

void DataPathPicture::BxPaint() {
  count_ = 0;
  frontend_.Invalidate(kRedrawPicture);
}

void DataPathPicture::FullRepaint() {
  count_ = 0;
  frontend_.Invalidate(kRedrawPicture | kRedrawPictureFull);
}

void DataPathPicture::HighlightOpen(int parity, bool active) {
  for (int g = parity; g < kGateCount; g += 2) {
    if (machine_.GateOpen(g)) DrawGatePath(g, active);
  }
}

}  // namespace vellar
