#include "app/form_json.h"

#include "app/form_controls.h"
#include "app/form_layout.h"
#include "app/form_menus.h"
#include "app/json_writer.h"
#include "app/page_layout.h"
#include "app/register_fields.h"

namespace vellar {

namespace {

bool OnPage(FormPlace place) {
  return place != FormPlace::Window;
}

void WriteMenuItem(Json& j, const MenuItem& item) {
  if (item.Separator()) {
    j.Str("-");
    return;
  }
  j.Open('{').Key("name").Str(item.name).Key("caption").Str(item.caption);
  j.Key("keys").Open('[');
  for (std::string_view key : item.keys) {
    if (!key.empty()) j.Str(key);
  }
  j.Close(']');
  // What stands beside the caption, in the desktop's German names of the keys.
  j.Key("keyText").Str(item.keyText.empty() && !item.keys[0].empty() ? GermanKeyText(item.keys[0])
                                                                     : std::string(item.keyText));
  // The page runs its own info and help; everything else goes to the session by name.
  j.Key("own").Bool(item.run == nullptr);
  j.Close('}');
}

void WriteMenus(Json& j) {
  j.Key("menus").Open('[');
  for (const Menu& menu : MainMenus()) {
    if (!OnPage(menu.place)) continue;
    j.Open('{').Key("caption").Str(menu.caption);
    j.Key("examples").Bool(menu.place == FormPlace::Page).Key("items").Open('[');
    for (const MenuItem& item : menu.items) {
      if (OnPage(item.place)) WriteMenuItem(j, item);
    }
    j.Close(']').Close('}');
  }
  j.Close(']');
}

void WriteRect(Json& j, const FormRect& r) {
  j.Open('[').Int(r.x).Int(r.y).Int(r.width).Int(r.height).Close(']');
}

// As CSS colours.
void WriteColours(Json& j) {
  const std::pair<std::string_view, Rgb> colours[] = {
      {"processor", kProcessorColour}, {"bus", kBusColour},      {"ram", kRamColour},
      {"control", kControlColour},     {"opGreen", kSoftGreen},  {"ipBlue", kIpBlue},
      {"opText", kOpTextColour},       {"ipText", kIpTextColour}};
  j.Key("colours").Open('{');
  for (const auto& [name, c] : colours) {
    j.Key(name).Str("rgb(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," +
                    std::to_string(c.b) + ")");
  }
  j.Close('}');
}

template <size_t N>
void WriteGates(Json& j, std::string_view key, const std::array<GatePlace, N>& places) {
  j.Key(key).Open('[');
  for (const GatePlace& p : places)
    j.Open('[').Int(p.gate).Int(p.x).Int(p.y).Int(p.labelY).Close(']');
  j.Close(']');
}

void WriteGroup(Json& j, std::string_view key, const ControlGroup& g) {
  j.Key(key).Open('{').Key("name").Str(g.name).Key("caption").Str(g.caption);
  j.Key("place");
  WriteRect(j, g.place);
  j.Key("items").Open('[');
  for (std::string_view item : g.items) {
    if (!item.empty()) j.Str(item);
  }
  j.Close(']').Close('}');
}

void WriteControlStrip(Json& j) {
  j.Key("strip").Open('{').Key("height").Int(kControlStripHeight);
  WriteGroup(j, "gateControl", kGateControlGroup);
  WriteGroup(j, "simulation", kSimulationGroup);
  WriteGroup(j, "ramView", kRamViewGroup);
  WriteGroup(j, "hint", kHintGroup);
  j.Key("hintMargin").Int(kHintMargin).Key("itemX").Int(kGroupItemX);
  j.Key("radioY").Open('[').Int(kRadioY[0]).Int(kRadioY[1]).Close(']');
  j.Key("hintLineY").Open('[').Int(kHintLineY[0]).Int(kHintLineY[1]).Close(']');
  j.Key("slider");
  WriteRect(j, kSliderPlace);
  j.Key("label").Open('[').Int(kClockLabelX).Int(kClockLabelY).Close(']');
  j.Key("runButtons").Open('[');
  for (const RunButtonLook& b : kRunButtons) {
    j.Open('{').Key("name").Str(b.name).Key("caption").Str(b.caption).Key("hint").Str(b.hint);
    j.Key("place");
    WriteRect(j, b.Rect());
    j.Close('}');
  }
  j.Close(']').Close('}');
}

template <size_t N>
void WriteLabels(Json& j, std::string_view key, const std::array<FormLabel, N>& labels) {
  j.Key(key).Open('[');
  for (const FormLabel& l : labels) j.Open('[').Str(l.text).Int(l.x).Int(l.y).Close(']');
  j.Close(']');
}

void WriteTexts(Json& j) {
  j.Key("texts").Open('{').Key("processor").Str(kProcessorCaption).Key("bus").Str(kBusCaption);
  j.Key("ram").Str(kRamCaption).Key("mpsGrid").Str(kMpsGridHint).Key("ramGrid").Str(kRamGridHint);
  j.Key("signFlag").Str(kSignFlagHint).Close('}');
  WriteLabels(j, "registerLabels", kRegisterLabels);
  WriteLabels(j, "busLabels", kBusLabels);
}

void WriteRegisterHints(Json& j) {
  j.Key("registerHints").Open('[');
  for (int reg = 0; reg < kRegCount; ++reg) j.Str(RegisterFields::Hint(reg));
  j.Close(']');
}

}  // namespace

std::string WriteForm() {
  Json j;
  j.Open('{');
  WriteMenus(j);
  WriteColours(j);
  WriteGates(j, "registerGates", kRegisterGates);
  WriteGates(j, "busGates", kBusGates);
  WriteControlStrip(j);
  WriteRegisterHints(j);
  WriteTexts(j);
  j.Close('}');
  return j.Take();
}

void WriteStripPlaces(Json& j, const StripPlaces& s) {
  j.Key("strip").Open('{').Key("height").Int(s.height);
  const std::pair<std::string_view, const FormRect*> groups[] = {{"gateControl", &s.gateControl},
                                                                 {"simulation", &s.simulation},
                                                                 {"ramView", &s.ramView},
                                                                 {"hint", &s.hint},
                                                                 {"slider", &s.slider}};
  for (const auto& [name, r] : groups) {
    j.Key(name);
    WriteRect(j, *r);
  }
  j.Key("runButtons").Open('[');
  for (const FormRect& r : s.runButtons) WriteRect(j, r);
  j.Close(']');
  j.Key("label").Open('[').Int(s.labelX).Int(s.labelY).Close(']');
  j.Key("radioY").Open('[').Int(s.radioY[0]).Int(s.radioY[1]).Close(']').Close('}');
}

std::string WritePageLayout(const PageLayout& l) {
  const PanelPlaces& p = l.panels;
  Json j;
  j.Open('{').Key("width").Int(l.width).Key("height").Int(l.height);
  j.Key("upright").Bool(l.upright);
  const std::pair<std::string_view, const FormRect*> rects[] = {
      {"control", &p.control}, {"processor", &p.processor}, {"ram", &p.ram},
      {"bus", &p.bus},         {"mpsGrid", &p.mpsGrid},     {"registers", &p.registers},
      {"ramGrid", &p.ramGrid}, {"inspector", &p.inspector}};
  for (const auto& [name, r] : rects) {
    j.Key(name);
    WriteRect(j, *r);
  }
  j.Key("pictureX").Int(p.pictureX).Key("pictureY").Int(p.pictureY);
  j.Key("descriptionWidth").Int(p.descriptionWidth);
  WriteStripPlaces(j, l.strip);
  j.Close('}');
  return j.Take();
}

void WriteMenuStates(Json& j, Session& session) {
  j.Key("menu").Open('{');
  for (const Menu& menu : MainMenus()) {
    for (const MenuItem& item : menu.items) {
      if (!OnPage(item.place) || (item.checked == nullptr && item.enabled == nullptr)) continue;
      j.Key(item.name).Open('[');
      j.Bool(item.checked != nullptr && item.checked(session));
      j.Bool(item.enabled == nullptr || item.enabled(session));
      j.Close(']');
    }
  }
  j.Close('}');
}

}  // namespace vellar
