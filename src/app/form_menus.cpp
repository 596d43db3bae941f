#include "app/form_menus.h"

#include "app/session.h"
#include "app/task_panel.h"

namespace vellar {

namespace {

constexpr MenuItem kSeparator{};

constexpr std::array kFile{
    MenuItem{"MeLoadMps", "MPS l&aden", {"F2"}, {}, [](Session& s) { s.files.MeLoadMpsClick(); }},
    MenuItem{
        "MeSaveMps", "MPS s&peichern", {"F3"}, {}, [](Session& s) { s.files.MeSaveMpsClick(); }},
    MenuItem{
        "MePrnMps",
        "MPS drucken",
        {},
        {},
        [](Session& s) { s.frontend.PrintListing(s.files.BuildMpdText(), s.files.MpsFileName()); }},
    kSeparator,
    MenuItem{"MeLoadRam", "RAM &laden", {"F5"}, {}, [](Session& s) { s.files.MeLoadRamClick(); }},
    MenuItem{
        "MeSaveRam", "RAM &speichern", {"F6"}, {}, [](Session& s) { s.files.MeSaveRamClick(); }},
    MenuItem{"MePrnRam",
             "RAM drucken",
             {},
             {},
             [](Session& s) {
               s.frontend.PrintListing(s.files.RamListing(s.ramGrid.AssemblerView()),
                                       s.files.RamFileName());
             }},
    kSeparator,
    MenuItem{
        "MeAufgabe", "Auf&gabe öffnen…", {}, {}, [](Session& s) { s.Task().MeAufgabeClick(); }},
    MenuItem{"MePruefen",
             "Aufgabe p&rüfen",
             {TaskPanel::kCheckKey},
             {},
             [](Session& s) { s.Task().PruefenClick(); },
             nullptr,
             [](Session& s) { return s.Task().HasTask(); }},
    MenuItem{.place = FormPlace::Window},
    MenuItem{.name = "MeEnde", .caption = "&Ende", .place = FormPlace::Window},
    // The page's address takes what it holds; the page compresses and copies it itself.
    MenuItem{.place = FormPlace::Page},
    MenuItem{.name = "MeLink", .caption = "Lin&k kopieren", .place = FormPlace::Page},
    // The page grades the files a teacher picks with vellar-cli grade's own code.
    MenuItem{.name = "MeGrade", .caption = "Abgaben &bewerten…", .place = FormPlace::Page},
};

constexpr std::array kEdit{
    MenuItem{"MeUndo",
             "&Rückgängig",
             {"Ctrl+Z"},
             {},
             [](Session& s) { s.history.Undo(); },
             nullptr,
             [](Session& s) { return s.history.CanUndo(); }},
    MenuItem{"MeRedo",
             "&Wiederholen",
             {"Ctrl+Y", "Ctrl+Shift+Z"},
             {},
             [](Session& s) { s.history.Redo(); },
             nullptr,
             [](Session& s) { return s.history.CanRedo(); }},
    kSeparator,
    // The key hook gives the key, and only where it erases nothing; the menu names it.
    MenuItem{"MeStepBack",
             "Schritt &zurück",
             {},
             "Rücktaste",
             [](Session& s) { s.stepBack.StepBackClick(); },
             nullptr,
             [](Session& s) { return s.stepBack.MenuEnabled(); },
             true},
    kSeparator,
    MenuItem{"MeBreakpoint",
             "&Haltepunkt setzen/löschen",
             {"F8"},
             {},
             [](Session& s) { s.ToggleBreakpointHere(); }},
    MenuItem{.name = "MeConditions",
             .caption = "Bedin&gungen …",
             .run = [](Session& s) { s.MeConditionsClick(); }},
    MenuItem{"MeBreakpointList",
             "Haltepunkte auf&listen …",
             {},
             {},
             [](Session& s) { s.ListBreakpoints(); }},
    MenuItem{"MeClearBreakpoints",
             "Haltepunkte &alle löschen",
             {},
             {},
             [](Session& s) { s.ClearBreakpoints(); }},
};

constexpr std::array kReset{
    MenuItem{
        "MeClrReg", "&Register löschen", {"F9"}, {}, [](Session& s) { s.run.MeClrRegClick(); }},
    MenuItem{"MeClrRam", "R&AM löschen", {}, {}, [](Session& s) { s.files.MeClrRamClick(); }},
    MenuItem{"MeClrMps", "&MPS löschen", {}, {}, [](Session& s) { s.mpsEditor.MeClrMpsClick(); }},
};

constexpr std::array kView{
    MenuItem{"MeVariablen",
             "&Variableninspektor anzeigen",
             {},
             {},
             [](Session& s) { s.inspector.MeVariablenClick(); },
             [](const Session& s) { return s.menu.MeVariablen; }},
    MenuItem{"MeStatistik",
             "&Statistik",
             {},
             {},
             [](Session& s) { s.MeStatistikClick(); },
             [](const Session& s) { return s.breakpoints.HeatShown(); }},
    MenuItem{"MeStatistikSumme",
             "Statistik-Übersic&ht …",
             {},
             {},
             [](Session& s) { s.ShowStatisticsSummary(); }},
    MenuItem{"MeStatistikReset",
             "Statistik &zurücksetzen",
             {},
             {},
             [](Session& s) { s.ResetStatistics(); }},
    kSeparator,
    MenuItem{"MeKonfl",
             "MPS auf &Konflike prüfen",
             {},
             {},
             [](Session& s) { s.MeKonflClick(); },
             [](const Session& s) { return s.menu.MeKonfl; }},
    MenuItem{"MeTorKz",
             "&Tornummern im MPS verwenden",
             {},
             {},
             [](Session& s) { s.MeTorKzClick(); },
             [](const Session& s) { return s.menu.MeTorKz; }},
    kSeparator,
    MenuItem{"MeBus_8",
             "&Bus-8-Bit",
             {},
             {},
             [](Session& s) { s.MeBus_8Click(); },
             [](const Session& s) { return s.menu.MeBus_8; }},
    MenuItem{"MePfeil",
             "Bus ohne &Pfeile",
             {},
             {},
             [](Session& s) { s.MePfeilClick(); },
             [](const Session& s) { return s.menu.MePfeil; }},
    MenuItem{.place = FormPlace::Window},
    MenuItem{
        .name = "MeZoom", .caption = "Ver&größerung", .place = FormPlace::Window, .submenu = true},
    // The page's form for fingers (a tablet starts with it).
    MenuItem{.place = FormPlace::Page},
    MenuItem{.name = "MeTouch",
             .caption = "&Fingerbedienung (Tablet)",
             .run = [](Session& s) { s.touchLayout.MeTouchClick(); },
             .checked = [](const Session& s) { return s.touchLayout.On(); },
             .place = FormPlace::Page},
    // The page's link, for the tablets in the room to scan from the projector.
    MenuItem{.name = "MeQrLink", .caption = "Link als &QR-Code", .place = FormPlace::Page},
};

constexpr std::array kHelp{
    MenuItem{.name = "MeInfo", .caption = "Info"},
    MenuItem{.name = "MeHilf", .caption = "&Hilfe", .keys = {"F1"}},
};

constexpr std::array kMenus{
    Menu{"&Datei", kFile},
    Menu{"&Bearbeiten", kEdit},
    Menu{"&Zurücksetzen", kReset},
    Menu{"&Ansicht", kView},
    Menu{"B&eispiele", {}, FormPlace::Page},
    Menu{"&Hilfe", kHelp},
};

}  // namespace

std::span<const Menu> MainMenus() {
  return kMenus;
}

const MenuItem* FindMenuItem(std::string_view name) {
  if (name.empty()) return nullptr;
  for (const Menu& menu : kMenus) {
    for (const MenuItem& item : menu.items) {
      if (item.name == name) return &item;
    }
  }
  return nullptr;
}

bool RunMenuCommand(Session& session, std::string_view name) {
  const MenuItem* item = FindMenuItem(name);
  if (item == nullptr || item->run == nullptr) return false;
  // A greyed item runs nothing, whichever way it was reached.
  if (item->enabled != nullptr && !item->enabled(session)) return false;
  item->run(session);
  return true;
}

std::string GermanKeyText(std::string_view key) {
  std::string text;
  size_t start = 0;
  while (start <= key.size()) {
    const size_t end = std::min(key.find('+', start), key.size());
    const std::string_view part = key.substr(start, end - start);
    if (!text.empty()) text += '+';
    text += part == "Ctrl" ? "Strg" : part == "Shift" ? "Umschalt" : std::string(part);
    start = end + 1;
  }
  return text;
}

}  // namespace vellar
