// The MPD reader takes any bytes: it stays inside its lines and the 256 rows, and the store
// it fills can be listed again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mps/mpd_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const vellar::MpdImage image = vellar::ParseMpdText(bytes);
  if (image.rows.size() > vellar::MpsStore::kRows) __builtin_trap();
  vellar::MpsStore mps;
  vellar::ApplyMpd(mps, image);
  (void)vellar::BuildMpdText(mps, bytes.substr(0, 16));
  return 0;
}
