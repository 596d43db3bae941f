#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/session.h"

// The micro-program and the machine programs of examples/, put into a session as a student
// gets them: the firmware in the MPS, a program in memory, automatic gate control.
namespace vellar::testing {

// The path of examples/<name> in the source tree.
std::string ExamplePath(const std::string& name);

// The file's bytes as they are stored.
std::string ReadExampleBytes(const std::string& name);

// Fills the MPS from an MPD listing: rows in order after the header line.
void LoadExampleMps(Session& session, const std::string& name);

// The memory bytes of a .ras listing: memory lines fill the two-byte lines from 00 on.
std::array<uint8_t, kRamSize> ReadExampleRas(const std::string& name);

}  // namespace vellar::testing
