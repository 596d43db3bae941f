// The RAM text reader takes any bytes, in either view; the memory and view it reads are
// listed and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/file_io.h"
#include "ram/ram_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const bool assembler : {false, true}) {
    const vellar::RamTextImage image = vellar::ParseRamText(bytes, assembler);
    vellar::MpsStore mps;
    vellar::RamGrid grid(mps);
    image.assemblerView ? grid.ShowRamAssembler(image.ram) : grid.ShowRamData(image.ram);
    vellar::VariableList variables;
    for (const auto& [address, name] : image.variables) variables.Append(address, name);
    const auto listing = vellar::BuildRamListing(grid, image.ram, &variables, "f.ras");
    const vellar::RamTextImage again =
        vellar::ParseRamText(vellar::TextFileBytes(listing), !assembler);
    if (again.ram != image.ram || again.assemblerView != image.assemblerView) __builtin_trap();
  }
  return 0;
}
