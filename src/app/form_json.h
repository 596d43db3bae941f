#pragma once

#include <string>

// The form as the page receives it: the menus (and, further on, the control strip, the gate
// buttons, colours and the layout's measures) as one JSON text, asked for once at the start;
// and each frame the check marks and greyed items as the session holds them.
namespace vellar {

class Json;
class Session;
struct PageLayout;

std::string WriteForm();

// The page's form: its size, where its panels, grids and the control strip's controls go, each
// as [x, y, width, height].
std::string WritePageLayout(const PageLayout& layout);

// "menu": {item name: [checked, enabled]} for the page's items with a check mark or a rule
// for being greyed.
void WriteMenuStates(Json& j, Session& session);

}  // namespace vellar
