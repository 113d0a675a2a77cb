// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/option_edit.h"

#include <stdexcept>

namespace kr4100 {
namespace {

Integer& FieldOf(OptFeatBlock& block, int field) { return block.at(static_cast<std::size_t>(field)); }
Integer FieldOf(const OptFeatBlock& block, int field) {
  return block.at(static_cast<std::size_t>(field));
}

bool AnyModeShownChecked(const OptFeatBlock& block) {
  for (int control = 0; control < kOptionCheckCount; ++control) {
    if (OptionCheckAt(control).role == OptionCheckRole::ModeEnable &&
        ShownChecked(block, control))
      return true;
  }
  return false;
}

}  // namespace

bool NotInComboList(const ItemList& list, int position) {
  return position < 0 || position >= ItemCount(list);
}

int ShownListPosition(const OptFeatBlock& block, int control) {
  const OptionList& list = OptionListAt(control);
  return ItemIndexOfStored(list.items, FieldOf(block, list.field)).value_or(0);
}

bool ShownChecked(const OptFeatBlock& block, int control) {
  const OptionCheck& check = OptionCheckAt(control);
  if (check.field == kNoOptFeatField) return false;
  return CheckedOfStored(check, FieldOf(block, check.field));
}

OptFeatStore SaveOptFeat(OptFeatBlock block, int id, int value) {
  OptFeatStore result{block};
  if (id >= 0 && id < kOptionListCount) {
    const OptionList& list = OptionListAt(id);
    if (const auto stored = StoredOfItemIndex(list.items, value))
      FieldOf(result.block, list.field) = static_cast<Integer>(*stored);
    return result;
  }
  const int control = id - kOptCheckIdBase;
  if (control < 0 || control >= kOptionCheckCount)
    throw std::out_of_range("SaveOptFeat: no control with this id");
  const OptionCheck& check = OptionCheckAt(control);
  const bool checked = value != 0;
  result.clickedChecked = checked;
  if (check.field != kNoOptFeatField) FieldOf(result.block, check.field) = checked ? 1 : 0;

  switch (check.role) {
    case OptionCheckRole::SingleChangeData:
      if (checked) {
        for (int c = 0; c < kOptionCheckCount; ++c) {
          const OptionCheck& common = OptionCheckAt(c);
          if (common.role == OptionCheckRole::CommonAttribute && common.field != kNoOptFeatField)
            FieldOf(result.block, common.field) = 0;
        }
        result.common = CommonBoxes::ClearedAndDisabled;
      } else {
        result.common = CommonBoxes::Enabled;
      }
      break;
    case OptionCheckRole::ModeEnable:
      // The radio needs at least one operating mode: the box just cleared goes back on.
      if (!AnyModeShownChecked(result.block)) {
        FieldOf(result.block, check.field) = 1;
        result.clickedChecked = true;
      }
      break;
    case OptionCheckRole::Plain:
    case OptionCheckRole::CommonAttribute:
      break;
  }
  return result;
}

OptFeatStore StoreOptFeat(RadioConfig& record, int id, int value) {
  OptFeatStore result = SaveOptFeat(record.OptFeat, id, value);
  record.OptFeat = result.block;
  return result;
}

}  // namespace kr4100
