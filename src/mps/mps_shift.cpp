#include "mps/mps_shift.h"

#include "core/hex.h"
#include "core/machine.h"

namespace vellar {

namespace {

// A next address 00 is never adjusted; every other one of a moved row is, wherever it points.
std::string Adjusted(const MpsStore& mps, int address, int by) {
  const int v = mps.NextAddress(address);
  return v == 0 ? "00" : HexByte((v + by) & 0xFF);
}

void CopyRow(MpsStore& mps, int to, int from, int by) {
  mps.SetDescription(to, mps.Description(from));
  for (int g = 0; g < kGateCount; ++g) mps.SetMpsGate(g, to, mps.GetMpsGate(g, from));
  mps.SetNextAddressText(to, Adjusted(mps, from, by));
}

void EmptyRow(MpsStore& mps, int address) {
  mps.SetDescription(address, "");
  for (int g = 0; g < kGateCount; ++g) mps.SetMpsGate(g, address, false);
}

}  // namespace

void InsertMpsRow(MpsStore& mps, int address) {
  address &= 0xFF;
  for (int t = MpsStore::kRows - 1; t > address; --t) CopyRow(mps, t, t - 1, +1);
  EmptyRow(mps, address);  // its next address stays: it now runs on into the moved row
  mps.SetNextAddressText(MpsStore::kRows - 1, "00");
}

void DeleteMpsRow(MpsStore& mps, int address) {
  address &= 0xFF;
  for (int t = address; t < MpsStore::kRows - 1; ++t) CopyRow(mps, t, t + 1, -1);
  EmptyRow(mps, MpsStore::kRows - 1);
  mps.SetNextAddressText(MpsStore::kRows - 1, "00");
}

}  // namespace vellar
