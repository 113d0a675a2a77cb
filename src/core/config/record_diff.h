// SPDX-License-Identifier: GPL-3.0-or-later
// What differs between two configuration records: each difference by its place and the field's
// name, with both values as the editors show them, in either interface language. The images of a
// write and its read-back are compared in link/image_diff.h, by the same names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/config/radio_config.h"

namespace kr4100 {

struct FieldDifference {
  std::string place;  // "Group B channel 12", "Option"
  std::string name;   // "RX frequency", "Scan Resume Time"
  std::string a;      // the first record's value as a user reads it
  std::string b;      // the second record's
  // A window or section ("Option: Scan Resume Time") rather than one item of a list ("Group B
  // channel 12 RX frequency"); only the title's punctuation depends on it.
  bool section = false;
  friend bool operator==(const FieldDifference&, const FieldDifference&) = default;
};

// Every field that differs, in the order of the record: channels group by group and by number
// (a channel on one side only is one difference), then the option features, keys, scan, DTMF,
// FleetSync, test frequencies, messages and the model information. Two records that differ only
// in what no window shows (slot order, unused slots) are still reported, by their stored fields.
std::vector<FieldDifference> DiffRecords(const RadioConfig& a, const RadioConfig& b, int language);

// The same without the stored fields' fallback: what the windows show, and nothing else.
std::vector<FieldDifference> DiffShownFields(const RadioConfig& a, const RadioConfig& b,
                                             int language);

// "Group B channel 12 RX frequency", "Option: Scan Resume Time".
std::string DifferenceTitle(const FieldDifference& d, int language);
// One line for a listing: the title, then both values ("... : 28.125000 -> 28.130000").
std::string DifferenceLine(const FieldDifference& d, int language);

}  // namespace kr4100
