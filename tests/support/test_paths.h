#pragma once

#include <string>

// Where the tests find the shipped examples and their own fixture files. Every test target
// names both folders (VELLAR_EXAMPLES, VELLAR_FIXTURES) in its build.
namespace vellar::testing {

// The path of examples/<name> in the source tree.
inline std::string ExamplePath(const std::string& name) {
  return std::string(VELLAR_EXAMPLES) + "/" + name;
}

// The path of tests/fixtures/<name>.
inline std::string FixturePath(const std::string& name) {
  return std::string(VELLAR_FIXTURES) + "/" + name;
}

}  // namespace vellar::testing
