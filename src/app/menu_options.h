#pragma once

// The check-mark items of the "&Ansicht" menu.
namespace vellar {

struct MenuOptions {
  bool MeVariablen = false;  // "&Variableninspektor anzeigen"
  bool MeKonfl = true;       // "MPS auf &Konflike prüfen"
  bool MeTorKz = true;       // "&Tornummern im MPS verwenden"
  bool MeBus_8 = true;       // "&Bus-8-Bit"
  bool MePfeil = true;       // "Bus ohne &Pfeile"
};

}  // namespace vellar
