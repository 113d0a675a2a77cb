// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/record_fields.h"

#include "core/config/option_tables.h"

namespace kr4100 {

const Bilingual& OptionFeatureLabel(int index) {
  if (const OptionList* list = OptionListOfField(index)) return list->caption;
  if (const OptionCheck* check = OptionCheckOfField(index)) return check->caption;
  return kEmergencyChannel;
}

}  // namespace kr4100
