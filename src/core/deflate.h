#pragma once

#include <string>
#include <string_view>

// A link carries its files compressed, and a QR code holds only so much: the shorter the
// compressed content, the more of a student's work fits. The browsers' CompressionStream and
// zlib take each match as they come to it; this compressor weighs every match a position offers
// against what its symbols will cost (the way of the optimal deflate compressors), which makes
// our micro-program listing about a seventh shorter than zlib's best level does. What it
// writes is an ordinary zlib stream, which DecompressionStream("deflate") and zlib read.
namespace vellar {

std::string ZlibCompress(std::string_view data);

}  // namespace vellar
