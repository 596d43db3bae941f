#include "app/gate_control.h"

#include <string>

#include "core/hex.h"

namespace vellar {

namespace {

bool PointsLeft(int gate) {
  return gate == 0x9 || gate == 0xC || gate == 0xE;
}

std::string GateRuleMessage(int gate, uint16_t conflicts) {
  std::string reason;
  if (conflicts & GateBit(0xF)) {
    reason = "denn Tor F ist offen.";
  } else if (gate == 0xB || gate == 0xC || gate == 0xF) {
    reason = "denn ein anderes Tor ist offen.";
  } else if (conflicts & (GateBit(0xB) | GateBit(0xC))) {
    reason = "denn es erfolgt ein Zugriff aufs RAM.";
  } else {
    reason = "denn das führt zu einem Buskonflikt.";
  }
  return std::string("Tor ") + kHexDigits[gate & 0xF] + " kann man nicht öffnen,\n" + reason;
}

}  // namespace

GateControl::GateControl(Machine& machine, const ControlFlags& flags, Frontend& frontend)
    : machine_(machine), flags_(flags), frontend_(frontend) {}

void GateControl::SetGate(int gate, bool open) {
  const uint16_t bit = GateBit(gate);
  const bool wasOpen = machine_.GateOpen(gate);
  machine_.OpenMask = open ? (machine_.OpenMask | bit) : (machine_.OpenMask & ~bit);
  if (wasOpen == open) return;
  if (flags_.ShowBus) ShowGate(gate, open);
  if (greyConflicts_) GreyConflictingButtons();
}

void GateControl::LoadGatesOneByOne(uint16_t mask) {
  for (int g = 0; g < kGateCount; ++g) SetGate(g, (mask >> g) & 1u);
}

void GateControl::CloseAllGates() {
  for (int g = 0; g < kGateCount; ++g) {
    if (machine_.GateOpen(g)) SetGate(g, false);
  }
}

void GateControl::CloseOutputGates() {
  for (int g = 1; g < kGateCount; g += 2) {
    if (machine_.GateOpen(g)) SetGate(g, false);
  }
}

void GateControl::ToggleByHand(int gate) {
  if (gate == 0xF) return;
  if (machine_.GateOpen(gate)) {
    SetGate(gate, false);
  } else if ((machine_.ConflictMask[gate] & machine_.OpenMask) == 0) {
    SetGate(gate, true);
  }
}

bool GateControl::CheckMpsGate(int gate, uint16_t rowMask) {
  const uint16_t conflicts = kConflictTable[gate & 0xF] & rowMask;
  if (conflicts == 0) return false;
  frontend_.ShowMessage(GateRuleMessage(gate, conflicts));
  return true;
}

void GateControl::ShowGate(int gate, bool open) {
  buttons_[gate].shownOpen = open;
  frontend_.Invalidate(kRedrawGateButtons);
}

void GateControl::SetButtonEnabled(int gate, bool enabled) {
  if (buttons_[gate].enabled == enabled) return;
  buttons_[gate].enabled = enabled;
  frontend_.Invalidate(kRedrawGateButtons);
}

void GateControl::EnableAllButtons() {
  for (int g = 0; g < kGateCount; ++g) SetButtonEnabled(g, true);
}

GatePicture GateControl::Picture(int gate, bool open) {
  if (PointsLeft(gate)) return open ? GatePicture::OpenLeft : GatePicture::ClosedLeft;
  return open ? GatePicture::OpenRight : GatePicture::ClosedRight;
}

std::string_view GateControl::Hint(int gate) const {
  if (gate == 0xF) return {};
  return buttons_[gate].shownOpen ? "Tor schließen" : "Tor öffnen";
}

void GateControl::GreyConflictingButtons() {
  for (int g = 0; g < 0xF; ++g) {
    if (machine_.GateOpen(g)) continue;
    SetButtonEnabled(g, (machine_.ConflictMask[g] & machine_.OpenMask) == 0);
  }
}

}  // namespace vellar
