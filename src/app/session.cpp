#include "app/session.h"

namespace vellar {

Session::Session(Frontend& fe) : frontend(fe) {
  mps.SetListener(this);
}

Session::~Session() {
  mps.SetListener(nullptr);
}

void Session::FormCreate() {
  flags.GatesAutomatic = false;
  ramGrid.SetAssemblerView(false);
  memory.ClearRam();
  mps.ClearMps();
  mpsGrid.ResetLayout();
  flags.ShowBus = flags.ShowCursors = flags.ShowRegisters = true;
  for (int g = 0; g < kGateCount; ++g) {
    machine.ConflictMask[g] = kConflictTable[g];
    gates.SetGate(g, true);
    gates.SetGate(g, false);
  }
  picture.SetBusLines(8);
  menu = MenuOptions{};
  mps.SetUseGateNumbers(menu.MeTorKz);
  run.RaTorClick();
}

void Session::TorClick(int gate) {
  if (gate < 0 || gate >= kGateCount) return;
  run.SetGatesAutomatic(false);
  gates.ToggleByHand(gate);
}

void Session::MpsChanged() {
  frontend.Invalidate(kRedrawMpsGrid);
}

}  // namespace vellar
