// SPDX-License-Identifier: GPL-3.0-or-later
// The radio-information block's fields by name: the local-information window labels its boxes
// with them and the command line's info prints them, so the two cannot drift apart.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "core/link/radio_image.h"
#include "core/texts/bilingual.h"

namespace kr4100 {

// In the block's order.
enum class RadioInfoFieldId : std::size_t {
  AreaCode,
  SerialNumber,
  ProductionDate,
  ManufactureCode,
  UserCode,
  MaintenanceDate,
  DealerCode,
  StockDate,
  SellDate,
  Seller,
  MaintenanceDescription,
};

struct RadioInfoField {
  Bilingual label;     // as the window labels the field's box
  const char* lineEn;  // as info names it in English, where scripts read it
  std::string (*text)(const RadioInfo& info);
  // The name info prints before the field's text: the window's in Chinese.
  const char* lineName(int language) const { return language == kChinese ? label.zh : lineEn; }
};

inline constexpr std::array<RadioInfoField, 11> kRadioInfoFields{{
    {{"Area Code", "销售区号"}, "Area code", [](const RadioInfo& i) { return i.AreaCode.text(); }},
    {{"Serial Number", "序列号"},
     "Serial number",
     [](const RadioInfo& i) { return i.SerialNumber.text(); }},
    {{"Producted Date", "出厂日期"},
     "Production date",
     [](const RadioInfo& i) { return i.ProductionDate.text(); }},
    {{"Manufacture Code", "生产批号"},
     "Manufacture code",
     [](const RadioInfo& i) { return i.ManufactureCode.text(); }},
    {{"User Code", "客户代码"}, "User code", [](const RadioInfo& i) { return i.UserCode.text(); }},
    {{"Maintained Date", "维修日期"},
     "Maintenance date",
     [](const RadioInfo& i) { return i.MaintenanceDate.text(); }},
    {{"Dealer Code", "经销商代码"},
     "Dealer code",
     [](const RadioInfo& i) { return i.DealerCode.text(); }},
    {{"Stock Date", "入库时间"},
     "Stock date",
     [](const RadioInfo& i) { return i.StockDate.text(); }},
    {{"Sell Date", "销售时间"}, "Sell date", [](const RadioInfo& i) { return i.SellDate.text(); }},
    {{"Seller", "经手人"}, "Seller", [](const RadioInfo& i) { return i.Seller.text(); }},
    {{"Maintained", "维修原因"},
     "Maintenance description",
     [](const RadioInfo& i) { return i.MaintenanceDescription.text(); }},
}};

constexpr const Bilingual& RadioInfoLabel(RadioInfoFieldId id) {
  return kRadioInfoFields[static_cast<std::size_t>(id)].label;
}

}  // namespace kr4100
