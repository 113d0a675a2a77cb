// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the channel grid's commands on several channels at once (its context menu, the Edit
// menu's channel entries and the fill dialog), both languages.
#pragma once

#include "core/texts/bilingual.h"

namespace kr4100 {

// Commands.
inline constexpr Bilingual kBulkSetAttribute{"Set for Chosen &Channels", "设置所选信道(&C)"};
inline constexpr Bilingual kBulkFill{"&Fill Frequencies...", "填写频率(&F)..."};
inline constexpr Bilingual kBulkMoveUp{"Move &Up", "上移(&U)"};
inline constexpr Bilingual kBulkMoveDown{"Move &Down", "下移(&D)"};
inline constexpr Bilingual kBulkMoveToGroup{"Move to &Group", "移到组(&G)"};
inline constexpr Bilingual kBulkInsert{"&Insert Empty Channel", "插入空信道(&I)"};
inline constexpr Bilingual kBulkDelete{"De&lete Channels", "删除信道(&L)"};
inline constexpr Bilingual kBulkSort{"&Sort Group by RX Frequency", "按接收频率排序本组(&S)"};
inline constexpr Bilingual kBulkChooseAll{"Choose &All Rows", "选择所有行(&A)"};

// The fill dialog.
inline constexpr Bilingual kFillCaption{"Fill Frequencies", "填写频率"};
inline constexpr Bilingual kFillStart{"Start Frequency (MHz)", "起始频率 (MHz)"};
inline constexpr Bilingual kFillStep{"Step (kHz)", "步进 (kHz)"};
inline constexpr Bilingual kFillOffset{"TX Offset (kHz)", "发射偏移 (kHz)"};
inline constexpr Bilingual kFillOverRows{"Chosen rows", "所选行"};
inline constexpr Bilingual kFillNewChannels{"New channels after the last one",
                                            "在最后一个信道后新建"};
inline constexpr Bilingual kFillCount{"Number of new channels", "新建信道数"};
inline constexpr Bilingual kFillOk{"&OK", "确定(&O)"};
inline constexpr Bilingual kFillCancel{"&Cancel", "取消(&C)"};

// A refused row of a fill: "Channel 12: TX frequency 29.712500 MHz is outside the band".
inline constexpr Bilingual kFillRefusedChannel{"Channel ", "信道 "};
inline constexpr Bilingual kFillRefusedSeparator{": ", "："};
inline constexpr Bilingual kFillRefusedRx{"RX frequency ", "接收频率 "};
inline constexpr Bilingual kFillRefusedTx{"TX frequency ", "发射频率 "};
inline constexpr Bilingual kFillRefusedOutside{" MHz is outside the band", " MHz 超出频段"};
inline constexpr Bilingual kFillRefusedMore{"and {n} more", "另有 {n} 个"};

// After a command that put another channel on the scan priority channel's number: the undo step
// and the status bar. "{command}" is the command's name, "{groups}" the group letters.
inline constexpr Bilingual kPriorityChannelMovedInGroup{
    "{command}; the priority channel number {n} no longer names the same channel in group {groups}",
    "{command}；优先信道号 {n} 在 {groups} 组中已不再是原来的信道"};
inline constexpr Bilingual kPriorityChannelMovedInGroups{
    "{command}; the priority channel number {n} no longer names the same channel in groups "
    "{groups}",
    "{command}；优先信道号 {n} 在 {groups} 组中已不再是原来的信道"};

}  // namespace kr4100
