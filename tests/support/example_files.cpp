#include "support/example_files.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "ram/ram_text.h"
#include "support/temp_dir.h"

namespace vellar::testing {

std::string ReadExampleBytes(const std::string& name) {
  EXPECT_TRUE(IsRegularFile(ExamplePath(name))) << "missing " << ExamplePath(name);
  return ReadBytes(ExamplePath(name));
}

void LoadExampleMps(Session& session, const std::string& name) {
  EXPECT_TRUE(session.files.LoadMpsFile(ExamplePath(name))) << ExamplePath(name);
}

RamGrid::Bytes ReadExampleRas(const std::string& name) {
  return ParseRamText(ReadExampleBytes(name), true).ram;
}

}  // namespace vellar::testing
