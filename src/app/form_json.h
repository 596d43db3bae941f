#pragma once

#include <string>

// The form as the page receives it: the menus (and, further on, the control strip, the gate
// buttons, colours and the layout's measures) as one JSON text, asked for once at the start;
// and each frame the check marks and greyed items as the session holds them.
namespace vellar {

class Json;
class Session;

std::string WriteForm();

// "menu": {item name: [checked, enabled]} for the page's items with a check mark or a rule
// for being greyed.
void WriteMenuStates(Json& j, Session& session);

}  // namespace vellar
