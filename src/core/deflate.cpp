#include "core/deflate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <queue>
#include <span>
#include <utility>
#include <vector>

namespace vellar {

namespace {

constexpr size_t kWindow = 32768;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 258;
constexpr int kLitLenSymbols = 286;
constexpr int kDistSymbols = 30;
constexpr int kEndOfBlock = 256;
constexpr int kMaxCodeLength = 15;
constexpr int kMaxCodeLengthCodeLength = 7;
// Each round of parsing prices the symbols by how often the round before used them.
constexpr int kRounds = 6;
// How many earlier places with the same three bytes are tried for a match. Beyond
// kOptimalLimit bytes, which no link anybody opens has, the parse takes the longest match and
// tries fewer places, so that even the largest file the program reads does not hold it up.
constexpr int kChain = 512;
constexpr int kChainGreedy = 16;
constexpr size_t kOptimalLimit = 256 * 1024;

constexpr std::array<uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                  15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, 30> kDistBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> kDistExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr std::array<uint8_t, 19> kCodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                      11, 4,  12, 3, 13, 2, 14, 1, 15};

int LengthCode(size_t length) {
  return static_cast<int>(std::upper_bound(kLengthBase.begin(), kLengthBase.end(), length) -
                          kLengthBase.begin()) -
         1;
}

int DistCode(size_t distance) {
  return static_cast<int>(std::upper_bound(kDistBase.begin(), kDistBase.end(), distance) -
                          kDistBase.begin()) -
         1;
}

// The length of a literal's or length's code in a block with the fixed codes.
uint8_t FixedLength(size_t symbol) {
  return symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8;
}

// A literal (length 0, the byte in value) or a match (its length, the distance in value).
struct Item {
  uint16_t length;
  uint16_t value;
};

// The matches a position offers: for each length, the nearest place that gives it, as pairs
// of rising length and distance (each the nearest place that gives a longer match).
class MatchFinder {
 public:
  MatchFinder(std::string_view data, int chain)
      : data_(data), chain_(chain), head_(size_t{1} << 15, -1), prev_(kWindow, -1) {}

  // The matches at position at, which is the next position not yet seen; then it is seen.
  void Find(size_t at, std::vector<Item>& out) {
    out.clear();
    if (at + kMinMatch > data_.size()) return;
    const size_t limit = std::min(kMaxMatch, data_.size() - at);
    size_t best = kMinMatch - 1;
    int tries = chain_;
    for (int32_t j = head_[Hash(at)];
         j >= 0 && at - static_cast<size_t>(j) <= kWindow && tries-- > 0;
         j = prev_[static_cast<size_t>(j) % kWindow]) {
      const size_t from = static_cast<size_t>(j);
      if (data_[from + best] != data_[at + best]) continue;
      size_t length = 0;
      while (length < limit && data_[from + length] == data_[at + length]) ++length;
      if (length > best) {
        best = length;
        out.push_back({static_cast<uint16_t>(length), static_cast<uint16_t>(at - from)});
        if (length == limit) break;
      }
    }
    Insert(at);
  }

  // Position at is passed over inside a match, but later ones may match it.
  void Insert(size_t at) {
    if (at + kMinMatch > data_.size()) return;
    const uint32_t h = Hash(at);
    prev_[at % kWindow] = head_[h];
    head_[h] = static_cast<int32_t>(at);
  }

 private:
  uint32_t Hash(size_t at) const {
    const auto byte = [this](size_t i) {
      return static_cast<uint32_t>(static_cast<uint8_t>(data_[i]));
    };
    return ((byte(at) << 10) ^ (byte(at + 1) << 5) ^ byte(at + 2)) & 0x7FFF;
  }

  std::string_view data_;
  int chain_;
  std::vector<int32_t> head_;
  // The place before each of the last kWindow ones with the same hash; older places are out
  // of reach, so their entries may be written over.
  std::vector<int32_t> prev_;
};

using Items = std::span<const Item>;

// How often the items use each symbol of the two codes, the end of the block included.
struct SymbolCounts {
  std::vector<uint32_t> litLen = std::vector<uint32_t>(kLitLenSymbols, 0);
  std::vector<uint32_t> dist = std::vector<uint32_t>(kDistSymbols, 0);

  explicit SymbolCounts(Items items) {
    for (const Item& item : items) {
      if (item.length == 0) {
        ++litLen[item.value];
      } else {
        ++litLen[257 + static_cast<size_t>(LengthCode(item.length))];
        ++dist[static_cast<size_t>(DistCode(item.value))];
      }
    }
    ++litLen[kEndOfBlock];
  }
};

// What each symbol costs in bits.
struct Prices {
  std::array<double, kLitLenSymbols> litLen{};
  std::array<double, kDistSymbols> dist{};

  // As the fixed codes of a block of type 1 have them.
  static Prices Fixed() {
    Prices p;
    for (size_t s = 0; s < kLitLenSymbols; ++s) p.litLen[s] = FixedLength(s);
    p.dist.fill(5);
    return p;
  }

  // As often as the items use each symbol: rare ones dear, frequent ones cheap.
  static Prices Of(Items items) {
    const SymbolCounts counts(items);
    Prices p;
    Estimate(counts.litLen, p.litLen);
    Estimate(counts.dist, p.dist);
    return p;
  }

  template <size_t N>
  static void Estimate(const std::vector<uint32_t>& counts, std::array<double, N>& bits) {
    double total = 0;
    for (const uint32_t c : counts) total += c;
    const double unseen = std::log2(total + 1) + 1;
    for (size_t s = 0; s < N; ++s) {
      bits[s] = counts[s] > 0 ? std::log2(total / counts[s]) : unseen;
    }
  }
};

// The cheapest way through the data at these prices, as literals and matches: the first
// prices up to the first cut (a byte position), the second up to the next, and so on.
std::vector<Item> CheapestParse(std::string_view data, const std::vector<uint32_t>& starts,
                                const std::vector<Item>& matches,
                                const std::vector<Prices>& blockPrices,
                                const std::vector<size_t>& cuts) {
  const size_t n = data.size();
  std::vector<double> cost(n + 1, std::numeric_limits<double>::infinity());
  std::vector<Item> step(n + 1);
  cost[0] = 0;
  size_t block = 0;
  const Prices* prices = nullptr;
  std::array<double, kMaxMatch + 1> lengthPrice{};
  for (size_t i = 0; i < n; ++i) {
    if (prices == nullptr || (block < cuts.size() && i >= cuts[block])) {
      if (prices != nullptr) ++block;
      prices = &blockPrices[block];
      for (size_t l = kMinMatch; l <= kMaxMatch; ++l) {
        const int code = LengthCode(l);
        lengthPrice[l] = prices->litLen[257 + static_cast<size_t>(code)] + kLengthExtra[code];
      }
    }
    const auto byte = static_cast<uint8_t>(data[i]);
    if (cost[i] + prices->litLen[byte] < cost[i + 1]) {
      cost[i + 1] = cost[i] + prices->litLen[byte];
      step[i + 1] = {0, byte};
    }
    size_t from = kMinMatch;
    for (uint32_t m = starts[i]; m < starts[i + 1]; ++m) {
      const Item match = matches[m];
      const int code = DistCode(match.value);
      const double base = cost[i] + prices->dist[code] + kDistExtra[code];
      for (size_t l = from; l <= match.length; ++l) {
        if (base + lengthPrice[l] < cost[i + l]) {
          cost[i + l] = base + lengthPrice[l];
          step[i + l] = {static_cast<uint16_t>(l), match.value};
        }
      }
      from = match.length + size_t{1};
    }
  }
  std::vector<Item> items;
  for (size_t at = n; at > 0; at -= std::max<size_t>(step[at].length, 1)) items.push_back(step[at]);
  std::reverse(items.begin(), items.end());
  return items;
}

// The longest match wherever there is one; for data too large to weigh every match.
std::vector<Item> GreedyParse(std::string_view data) {
  MatchFinder finder(data, kChainGreedy);
  std::vector<Item> items;
  std::vector<Item> found;
  for (size_t i = 0; i < data.size();) {
    finder.Find(i, found);
    if (found.empty()) {
      items.push_back({0, static_cast<uint8_t>(data[i])});
      ++i;
      continue;
    }
    items.push_back(found.back());
    for (size_t skip = i + 1; skip < i + found.back().length; ++skip) finder.Insert(skip);
    i += found.back().length;
  }
  return items;
}

// Code lengths for the counts, none longer than limit, every code complete: at least two
// symbols get a code, as the strictest decoders want.
std::vector<uint8_t> CodeLengths(std::vector<uint32_t> counts, int limit) {
  int used = static_cast<int>(
      std::count_if(counts.begin(), counts.end(), [](uint32_t c) { return c > 0; }));
  for (size_t s = 0; used < 2 && s < counts.size(); ++s) {
    if (counts[s] == 0) {
      counts[s] = 1;
      ++used;
    }
  }
  while (true) {
    struct Node {
      uint64_t weight;
      int left;
      int right;
    };
    std::vector<Node> nodes;
    using Entry = std::pair<uint64_t, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    for (size_t s = 0; s < counts.size(); ++s) {
      if (counts[s] == 0) continue;
      nodes.push_back({counts[s], -1, static_cast<int>(s)});
      queue.push({counts[s], static_cast<int>(nodes.size() - 1)});
    }
    while (queue.size() > 1) {
      const auto [w1, a] = queue.top();
      queue.pop();
      const auto [w2, b] = queue.top();
      queue.pop();
      nodes.push_back({w1 + w2, a, b});
      queue.push({w1 + w2, static_cast<int>(nodes.size() - 1)});
    }
    std::vector<uint8_t> lengths(counts.size(), 0);
    int deepest = 0;
    std::vector<std::pair<int, int>> stack = {{queue.top().second, 0}};
    while (!stack.empty()) {
      const auto [node, depth] = stack.back();
      stack.pop_back();
      if (nodes[node].left < 0) {
        lengths[static_cast<size_t>(nodes[node].right)] = static_cast<uint8_t>(depth);
        deepest = std::max(deepest, depth);
      } else {
        stack.push_back({nodes[node].left, depth + 1});
        stack.push_back({nodes[node].right, depth + 1});
      }
    }
    if (deepest <= limit) return lengths;
    // Too deep: flatter counts make a flatter tree, and all equal make a balanced one.
    for (uint32_t& c : counts) {
      if (c > 0) c = (c + 1) / 2;
    }
  }
}

// The codes that the lengths give, as the format defines them: shorter first, then by symbol.
std::vector<uint16_t> CanonicalCodes(const std::vector<uint8_t>& lengths) {
  std::array<uint16_t, kMaxCodeLength + 2> perLength{};
  for (const uint8_t l : lengths) ++perLength[l];
  perLength[0] = 0;
  std::array<uint16_t, kMaxCodeLength + 2> next{};
  uint16_t code = 0;
  for (int l = 1; l <= kMaxCodeLength; ++l) {
    code = static_cast<uint16_t>((code + perLength[l - 1]) << 1);
    next[l] = code;
  }
  std::vector<uint16_t> codes(lengths.size(), 0);
  for (size_t s = 0; s < lengths.size(); ++s) {
    if (lengths[s] > 0) codes[s] = next[lengths[s]]++;
  }
  return codes;
}

class BitWriter {
 public:
  // The format packs numbers from their lowest bit.
  void Bits(uint32_t value, int count) {
    buffer_ |= static_cast<uint64_t>(value) << filled_;
    filled_ += count;
    while (filled_ >= 8) {
      out_ += static_cast<char>(buffer_ & 0xFF);
      buffer_ >>= 8;
      filled_ -= 8;
    }
  }

  // ...and Huffman codes from their highest.
  void Huffman(uint16_t code, uint8_t length) {
    uint32_t reversed = 0;
    for (int b = 0; b < length; ++b) reversed |= ((code >> b) & 1u) << (length - 1 - b);
    Bits(reversed, length);
  }

  size_t BitCount() const { return out_.size() * 8 + static_cast<size_t>(filled_); }

  // The bits of another writer after these.
  void Append(const BitWriter& other) {
    for (const char c : other.out_) Bits(static_cast<uint8_t>(c), 8);
    Bits(static_cast<uint32_t>(other.buffer_), other.filled_);
  }

  std::string Finish() {
    if (filled_ > 0) out_ += static_cast<char>(buffer_ & 0xFF);
    buffer_ = 0;
    filled_ = 0;
    return std::move(out_);
  }

 private:
  std::string out_;
  uint64_t buffer_ = 0;
  int filled_ = 0;
};

struct Code {
  std::vector<uint8_t> lengths;
  std::vector<uint16_t> codes;

  explicit Code(std::vector<uint8_t> l) : lengths(std::move(l)), codes(CanonicalCodes(lengths)) {}
  void Put(BitWriter& out, size_t symbol) const { out.Huffman(codes[symbol], lengths[symbol]); }
};

void PutItems(BitWriter& out, Items items, const Code& litLen, const Code& dist) {
  for (const Item& item : items) {
    if (item.length == 0) {
      litLen.Put(out, item.value);
      continue;
    }
    const int lc = LengthCode(item.length);
    litLen.Put(out, 257 + static_cast<size_t>(lc));
    out.Bits(item.length - kLengthBase[lc], kLengthExtra[lc]);
    const int dc = DistCode(item.value);
    dist.Put(out, static_cast<size_t>(dc));
    out.Bits(item.value - kDistBase[dc], kDistExtra[dc]);
  }
  litLen.Put(out, kEndOfBlock);
}

// A block with the fixed codes.
void FixedBlock(BitWriter& out, Items items, bool last) {
  std::vector<uint8_t> litLen(288);
  for (size_t s = 0; s < litLen.size(); ++s) litLen[s] = FixedLength(s);
  out.Bits(last ? 1 : 0, 1);
  out.Bits(1, 2);
  PutItems(out, items, Code(litLen), Code(std::vector<uint8_t>(32, 5)));
}

// A code length with the extra bits of a repeat.
struct LengthToken {
  uint8_t symbol;
  uint8_t extra;
  uint8_t extraBits;
};

// The code lengths of both codes as one sequence, runs written as repeats.
std::vector<LengthToken> RunLengths(const std::vector<uint8_t>& lengths) {
  std::vector<LengthToken> tokens;
  for (size_t i = 0; i < lengths.size();) {
    const uint8_t v = lengths[i];
    size_t run = 1;
    while (i + run < lengths.size() && lengths[i + run] == v) ++run;
    if (v == 0 && run >= 3) {
      const size_t r = std::min<size_t>(run, 138);
      tokens.push_back(r >= 11 ? LengthToken{18, static_cast<uint8_t>(r - 11), 7}
                               : LengthToken{17, static_cast<uint8_t>(r - 3), 3});
      i += r;
    } else if (v != 0 && run >= 4) {
      tokens.push_back({v, 0, 0});
      size_t left = run - 1;
      ++i;
      while (left >= 3) {
        const size_t r = std::min<size_t>(left, 6);
        tokens.push_back({16, static_cast<uint8_t>(r - 3), 2});
        left -= r;
        i += r;
      }
    } else {
      tokens.push_back({v, 0, 0});
      ++i;
    }
  }
  return tokens;
}

// How many code lengths a block's header gives: up to the last one in use, at least minimum.
template <typename InUse>
size_t HeaderCount(size_t total, size_t minimum, InUse inUse) {
  size_t count = total;
  while (count > minimum && !inUse(count - 1)) --count;
  return count;
}

// A block with codes made for its items.
void DynamicBlock(BitWriter& out, Items items, bool last) {
  const SymbolCounts counts(items);
  std::vector<uint8_t> litLen = CodeLengths(counts.litLen, kMaxCodeLength);
  std::vector<uint8_t> dist = CodeLengths(counts.dist, kMaxCodeLength);
  const size_t litLenUsed =
      HeaderCount(litLen.size(), 257, [&](size_t s) { return litLen[s] > 0; });
  const size_t distUsed = HeaderCount(dist.size(), 1, [&](size_t s) { return dist[s] > 0; });
  std::vector<uint8_t> both(litLen.begin(),
                            litLen.begin() + static_cast<std::ptrdiff_t>(litLenUsed));
  both.insert(both.end(), dist.begin(), dist.begin() + static_cast<std::ptrdiff_t>(distUsed));
  const std::vector<LengthToken> tokens = RunLengths(both);
  std::vector<uint32_t> tokenCounts(19, 0);
  for (const LengthToken& t : tokens) ++tokenCounts[t.symbol];
  const Code lengthCode(CodeLengths(tokenCounts, kMaxCodeLengthCodeLength));
  const size_t lengthCodesUsed = HeaderCount(kCodeLengthOrder.size(), 4, [&](size_t k) {
    return lengthCode.lengths[kCodeLengthOrder[k]] > 0;
  });

  out.Bits(last ? 1 : 0, 1);
  out.Bits(2, 2);
  out.Bits(static_cast<uint32_t>(litLenUsed - 257), 5);
  out.Bits(static_cast<uint32_t>(distUsed - 1), 5);
  out.Bits(static_cast<uint32_t>(lengthCodesUsed - 4), 4);
  for (size_t k = 0; k < lengthCodesUsed; ++k) out.Bits(lengthCode.lengths[kCodeLengthOrder[k]], 3);
  for (const LengthToken& t : tokens) {
    lengthCode.Put(out, t.symbol);
    out.Bits(t.extra, t.extraBits);
  }
  PutItems(out, items, Code(std::move(litLen)), Code(std::move(dist)));
}

size_t DynamicBits(Items items) {
  BitWriter out;
  DynamicBlock(out, items, true);
  return out.BitCount();
}

// The block of the two kinds that is shorter.
void Block(BitWriter& out, Items items, bool last) {
  BitWriter fixed;
  FixedBlock(fixed, items, last);
  BitWriter dynamic;
  DynamicBlock(dynamic, items, last);
  out.Append(fixed.BitCount() <= dynamic.BitCount() ? fixed : dynamic);
}

// Where the items are best cut into blocks with codes of their own: parts of the data that
// differ (a task's German text, a listing's columns of dots, a program) each get the codes
// that suit them. Tries cuts at sixteenths of the range, then finer around the best, and
// cuts again on both sides of it.
void FindCuts(Items items, size_t offset, std::vector<size_t>& cuts) {
  constexpr size_t kSmallest = 256;
  constexpr size_t kParts = 16;
  if (items.size() < 2 * kSmallest) return;
  const size_t whole = DynamicBits(items);
  size_t best = whole;
  size_t bestCut = 0;
  const auto tryCut = [&](size_t cut) {
    if (cut < kSmallest || cut + kSmallest > items.size()) return;
    const size_t bits = DynamicBits(items.first(cut)) + DynamicBits(items.subspan(cut));
    if (bits < best) {
      best = bits;
      bestCut = cut;
    }
  };
  for (size_t k = 1; k < kParts; ++k) tryCut(items.size() * k / kParts);
  if (bestCut == 0) return;
  const size_t step = items.size() / kParts;
  const size_t from = bestCut > step ? bestCut - step : 0;
  for (size_t k = 1; k < 2 * kParts; ++k) tryCut(from + step * k / kParts);
  // A cut must pay for the second block's codes and for the time spent on it.
  if (whole - best < 64) return;
  const size_t cut = bestCut;
  FindCuts(items.first(cut), offset, cuts);
  cuts.push_back(offset + cut);
  FindCuts(items.subspan(cut), offset + cut, cuts);
}

// The items of each block, cut where cuts says (indices into items, rising).
std::vector<Items> BlockItems(const std::vector<Item>& items, const std::vector<size_t>& cuts) {
  std::vector<Items> blocks;
  size_t begin = 0;
  for (size_t b = 0; b <= cuts.size(); ++b) {
    const size_t end = b < cuts.size() ? cuts[b] : items.size();
    blocks.push_back(Items(items).subspan(begin, end - begin));
    begin = end;
  }
  return blocks;
}

std::string Blocks(const std::vector<Item>& items, const std::vector<size_t>& cuts) {
  BitWriter out;
  const std::vector<Items> blocks = BlockItems(items, cuts);
  for (size_t b = 0; b < blocks.size(); ++b) Block(out, blocks[b], b + 1 == blocks.size());
  return out.Finish();
}

// The byte where each item begins.
std::vector<size_t> ItemPositions(const std::vector<Item>& items) {
  std::vector<size_t> at;
  size_t position = 0;
  for (const Item& item : items) {
    at.push_back(position);
    position += std::max<size_t>(item.length, 1);
  }
  return at;
}

std::string Deflate(std::string_view data) {
  if (data.size() > kOptimalLimit) return Blocks(GreedyParse(data), {});
  // Every position's matches once; each round then only weighs them anew.
  MatchFinder finder(data, kChain);
  std::vector<uint32_t> starts;
  std::vector<Item> matches;
  std::vector<Item> found;
  starts.reserve(data.size() + 1);
  for (size_t i = 0; i < data.size(); ++i) {
    starts.push_back(static_cast<uint32_t>(matches.size()));
    finder.Find(i, found);
    matches.insert(matches.end(), found.begin(), found.end());
  }
  starts.push_back(static_cast<uint32_t>(matches.size()));

  // First one set of prices for all, then the blocks' own, each priced by its last parse.
  std::vector<Item> items = CheapestParse(data, starts, matches, {Prices::Fixed()}, {});
  std::string best = Blocks(items, {});
  for (int round = 0; round < kRounds; ++round) {
    items = CheapestParse(data, starts, matches, {Prices::Of(items)}, {});
    std::string stream = Blocks(items, {});
    if (stream.size() < best.size()) best = std::move(stream);
  }
  std::vector<size_t> cuts;
  FindCuts(items, 0, cuts);
  if (cuts.empty()) return best;
  std::vector<size_t> cutBytes;
  const std::vector<size_t> positions = ItemPositions(items);
  for (const size_t cut : cuts) cutBytes.push_back(positions[cut]);
  for (int round = 0; round < kRounds; ++round) {
    std::vector<Prices> prices;
    for (const Items block : BlockItems(items, cuts)) prices.push_back(Prices::Of(block));
    items = CheapestParse(data, starts, matches, prices, cutBytes);
    // The same cuts in the new items: the first item that begins at or after each byte.
    const std::vector<size_t> at = ItemPositions(items);
    for (size_t b = 0; b < cuts.size(); ++b) {
      cuts[b] =
          static_cast<size_t>(std::lower_bound(at.begin(), at.end(), cutBytes[b]) - at.begin());
    }
    std::string stream = Blocks(items, cuts);
    if (stream.size() < best.size()) best = std::move(stream);
  }
  return best;
}

uint32_t Adler32(std::string_view data) {
  uint32_t a = 1;
  uint32_t b = 0;
  for (const char c : data) {
    a = (a + static_cast<uint8_t>(c)) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

}  // namespace

std::string ZlibCompress(std::string_view data) {
  // Deflate with a 32 KiB window; the check bits make the two bytes a multiple of 31.
  std::string out = "\x78\xDA";
  out += Deflate(data);
  const uint32_t check = Adler32(data);
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((check >> shift) & 0xFF);
  return out;
}

}  // namespace vellar
