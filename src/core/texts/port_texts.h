// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of finding the radio's cable, of ports something else takes, and of slow adapters: the
// port dialog and `kr4100-cli ports` show the same.
#pragma once

#include <string>
#include <string_view>

#include "core/texts/bilingual.h"

namespace kr4100 {

// The text with its first "{field}" replaced by the value.
inline std::string FillField(std::string text, std::string_view field, std::string_view value) {
  if (const auto at = text.find(field); at != std::string::npos)
    text.replace(at, field.size(), value);
  return text;
}

// The port dialog's button and the two steps of the search.
inline constexpr Bilingual kFindCable{"&Find My Cable...", "查找我的数据线(&F)..."};
inline constexpr Bilingual kFindCableStop{"&Stop Finding", "停止查找(&S)"};
inline constexpr Bilingual kFindCableUnplug{
    "Unplug the radio's programming cable from the computer (if it is plugged in), then press "
    "OK.",
    "请从电脑上拔下对讲机的写频数据线（如已插上），然后按“确定”。"};
// {seconds}: how long the search waits.
inline constexpr Bilingual kFindCablePlugIn{
    "Now plug the cable in. Waiting for its port to appear ({seconds} s)...",
    "现在请插上数据线。正在等待它的端口出现（{seconds} 秒）……"};
// {port}: the port as the list shows it.
inline constexpr Bilingual kFindCableFound{"Your cable is on {port}. It is chosen now.",
                                           "您的数据线在 {port} 上，已选中该端口。"};
// {ports}: the ports, one a line.
inline constexpr Bilingual kFindCableSeveral{
    "More than one port appeared:\r\n{ports}\r\nChoose the cable's port from the list.",
    "出现了不止一个端口：\r\n{ports}\r\n请从列表中选择数据线的端口。"};
inline constexpr Bilingual kFindCableNone{
    "No port appeared. Check that the cable is plugged in firmly and that its driver is "
    "installed, then try again.",
    "没有出现新端口。请检查数据线是否插牢、驱动程序是否已安装，然后重试。"};
inline constexpr Bilingual kFindCableVanished{
    "A port appeared and vanished again a moment later: {port}",
    "一个端口出现后随即又消失了：{port}"};
inline constexpr Bilingual kFindCableStatusName{"Cable search", "数据线查找"};
inline constexpr Bilingual kPortNoteName{"About the ports", "端口说明"};

// The braille-display service. {rules}: its rules file, {chip}: "1a86:7523".
inline constexpr Bilingual kBrailleClaim{
    "The braille-display service (brltty) is installed with a rule ({rules}) that takes USB "
    "serial adapters such as {chip} for a braille display: their port vanishes a moment after "
    "it appears.\r\nIf nobody here uses a braille display, stop it with: sudo systemctl mask "
    "brltty-udev.service\r\nor remove it with: sudo apt remove brltty\r\nthen unplug the cable "
    "and plug it in again.",
    "已安装盲文显示服务（brltty），其规则（{rules}）会把 {chip} 等USB串口适配器当作盲文显示器"
    "占用：端口出现后随即消失。\r\n如果这里没有人使用盲文显示器，请用以下命令停用它：sudo "
    "systemctl mask brltty-udev.service\r\n或将其卸载：sudo apt remove brltty\r\n然后拔下数据线"
    "并重新插上。"};

// `kr4100-cli ports --wait-new`. {seconds}: the wait.
inline constexpr Bilingual kWaitNewNone{"No new port appeared within {seconds} s.",
                                        "{seconds} 秒内没有出现新端口。"};
inline constexpr Bilingual kWaitNewOthers{"Other ports appeared too: {ports}",
                                          "同时出现的其他端口：{ports}"};

// A Windows adapter that holds short replies back. {ms}: its latency timer.
inline constexpr Bilingual kSlowLatency{
    "This adapter's latency timer is {ms} ms: it holds each short reply back that long. Lower it "
    "to 1 or 2 ms in Device Manager: the port's Properties, Port Settings, Advanced, Latency "
    "Timer.",
    "此适配器的延迟计时器为 {ms} 毫秒：每个短应答都会被延迟这么久。请在设备管理器中把它调低到 "
    "1 或 2 毫秒：该端口的“属性”、“端口设置”、“高级”、“延迟计时器”。"};

// The adapter a session talked through, for a time-out. {adapter}: the port as a list shows it.
inline constexpr Bilingual kTimeoutAdapter{"Port: {adapter}", "端口：{adapter}"};

}  // namespace kr4100
