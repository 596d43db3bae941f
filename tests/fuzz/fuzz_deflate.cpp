// The links' compressor: whatever goes in, zlib reads exactly that back out.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/deflate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string in(reinterpret_cast<const char*>(data), size);
  const std::string stream = vellar::ZlibCompress(in);
  std::string out(size + 1, '\0');
  uLongf length = out.size();
  if (uncompress(reinterpret_cast<Bytef*>(out.data()), &length,
                 reinterpret_cast<const Bytef*>(stream.data()), stream.size()) != Z_OK ||
      length != size || out.compare(0, size, in) != 0) {
    __builtin_trap();
  }
  return 0;
}
