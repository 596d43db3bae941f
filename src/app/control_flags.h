#pragma once

// Gate control and the display levels: set by the run control, read by the clock phases,
// the gate buttons and the grids.
namespace vellar {

struct ControlFlags {
  bool GatesAutomatic = false;
  bool ShowBus = true;
  bool ShowCursors = true;
  bool ShowRegisters = true;
  // The RAM grid or the variable inspector has the focus: the space bar types a blank there.
  bool GridEditing = false;
};

}  // namespace vellar
