// A task or cases file takes any text: every case it accepts has a name fit for the table and
// something to expect, every fault names its line, and the table is built.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/grade_table.h"
#include "app/task_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const vellar::Task read = vellar::ReadTask(text);
  std::vector<std::string> names;
  for (const vellar::GradeCase& c : read.cases) {
    if (c.name.empty() || c.name.find_first_of("|;\"") != std::string::npos) __builtin_trap();
    if (c.expectations.empty()) __builtin_trap();
    names.push_back(c.name);
  }
  for (const std::string& error : read.errors) {
    if (error.rfind("Zeile ", 0) != 0 && error != "Die Datei enthält keinen Fall.")
      __builtin_trap();
  }
  // One submission failing every case with the case's own line as its difference.
  vellar::GradedSubmission s{text.substr(0, 40), std::nullopt, {}, {}};
  for (const std::string& name : names) {
    s.failures.emplace_back(name);
    s.clocks.push_back(name.size());
  }
  for (const bool csv : {false, true}) {
    const std::vector<std::string> table = vellar::GradeTable(names, {s}, csv);
    if (table.size() < (csv ? 2u : 3u)) __builtin_trap();
  }
  return 0;
}
