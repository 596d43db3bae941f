#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/listing_round_trip.h"

// RAM listings whose instruction texts, variable names and file name hold control characters,
// read back in both views.
namespace vellar::testing {
namespace {

TEST(RamListingRoundTripTest, RandomMemoriesDescriptionsAndNamesComeBack) {
  std::mt19937 random(8122026);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int n = 0; n < 300; ++n) {
    std::string bytes(256 + static_cast<size_t>(byte(random)) * 4, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    if (n % 3 == 0) {
      // Line ends in every text.
      for (size_t i = 256; i < bytes.size(); i += 3) bytes[i] = n % 2 ? '\r' : '\n';
    }
    ASSERT_EQ(RamThroughListingFault(bytes, true), "") << "Assembler " << n;
    ASSERT_EQ(RamThroughListingFault(bytes, false), "") << "Daten " << n;
  }
}

}  // namespace
}  // namespace vellar::testing
