#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_report.h"
#include "app/run_setup.h"

// A case of vellar-cli grade and of the check of a task: one line
//   name: [--set REG=HH]... [--mem AA=HH]... => expectation items (as for --expect)
// The file around the cases (comments, header lines) is the task reader's (task_file.h).
namespace vellar {

struct GradeCase {
  std::string name;
  RunSetup setup;
  std::vector<Expectation> expectations;
};

// The case of one line without its comment; a German error text when the line is faulty.
std::optional<std::string> ReadCase(std::string_view line, GradeCase& out);

// Each case starts from the loaded files, as a fresh vellar-cli run would: the memory as it
// was loaded, the registers cleared, then the case's own settings; its run begins (BeginRun).
void BeginCase(Session& session, const std::array<uint8_t, kRamSize>& loaded, const GradeCase& c,
               uint64_t maxClocks);
// After the case's run: none when it met every expectation, else the first difference as grade
// reports it ("Taktgrenze erreicht (N ALU-Takte)." when the limit ended it).
std::optional<std::string> CaseDifference(const Session& session, const GradeCase& c,
                                          uint64_t maxClocks);

}  // namespace vellar
