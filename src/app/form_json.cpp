#include "app/form_json.h"

#include "app/form_menus.h"
#include "app/json_writer.h"

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

}  // namespace

std::string WriteForm() {
  Json j;
  j.Open('{');
  WriteMenus(j);
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
