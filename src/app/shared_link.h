#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"

// A link's content meets the session: the page opens the files of a link it was opened with,
// and makes a link of what it holds (link_content.h says what a content is).
namespace vellar {

// Writes the content's files into the folder and loads them by the load commands, each asking
// about unsaved work as a load does, and shows its task in the task panel. A content that is
// damaged, or a file in it that would not load, shows kDamagedLinkMessage and loads nothing.
// False then, and when another command still waits for an answer.
bool OpenLinkContent(Session& session, std::string_view content, const std::string& folder);

// Whether the files would load, tried on a session of its own so that a fault found in the
// second file leaves nothing of the first behind: none when they would, else the first error a
// load showed.
std::optional<std::string> WhyFilesWouldNotLoad(const std::vector<std::string>& mps,
                                                const std::vector<std::string>& ram);

// The content of a link to the micro-program and the memory as they are now, each as its file
// would be saved under its name (without one, as "mikroprogramm.mpd" and "programm.ras");
// none, after the save's message, when the memory cannot be written in its file's format.
std::optional<std::string> CurrentLinkContent(Session& session);

}  // namespace vellar
