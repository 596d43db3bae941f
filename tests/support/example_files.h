#pragma once

#include <string>

#include "app/session.h"
#include "ram/ram_grid.h"
#include "support/test_paths.h"

// The micro-program and the machine programs of examples/, read by the program's own readers
// as a student's session reads them: no test parses the files a second way.
namespace vellar::testing {

// The file's bytes as they are stored; a missing file fails the test.
std::string ReadExampleBytes(const std::string& name);

// Loads examples/<name> into the session's MPS through its file commands, as the menu does.
void LoadExampleMps(Session& session, const std::string& name);

// The memory bytes of examples/<name>, a .ras or .rad listing, as the RAM text reader takes
// them (the variable section does not touch the memory).
RamGrid::Bytes ReadExampleRas(const std::string& name);

}  // namespace vellar::testing
