// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the backups listing (the backups window and `kr4100-cli backups` show the same
// columns) and of the write confirmation that lists what a write changes in the radio.
#pragma once

#include <array>

#include "core/texts/bilingual.h"

namespace kr4100 {

inline constexpr std::array<Bilingual, 7> kBackupHeadings{{
    {"Date", "日期"},
    {"Time", "时间"},
    {"Read/Write", "读/写"},
    {"Model", "机型"},
    {"Band", "频段"},
    {"Firmware", "固件"},
    {"File", "文件"},
}};
inline constexpr Bilingual kBackupRead{"Read", "读取"};
inline constexpr Bilingual kBackupWrite{"Write", "写入"};
inline constexpr Bilingual kBackupWritten{"Written", "已写入"};

// The backups window.
inline constexpr Bilingual kBackupsCaption{"Backups", "备份"};
inline constexpr Bilingual kBackupsTableName{"Backups, newest first", "备份（最新的在前）"};
inline constexpr Bilingual kBackupsNone{"There are no backups yet.", "还没有备份。"};
inline constexpr Bilingual kBackupsOpen{"&Open", "打开(&O)"};
inline constexpr Bilingual kBackupsCompare{"&Compare with Document", "与文档比较(&C)"};
inline constexpr Bilingual kBackupsWriteBack{"&Write Back to Radio", "写回对讲机(&W)"};
inline constexpr Bilingual kBackupsClose{"Close", "关闭"};

// The write confirmation measured against what the radio is known to hold: its last read or
// completed write. {radio}: the radio it was, {last}: "last read on ..." or "last written on ...";
// {n}: how many settings change.
inline constexpr Bilingual kPreviewCaption{"Write data to radio", "向对讲机写入数据"};
inline constexpr Bilingual kPreviewChanges{
    "Write data to radio.\nCompared with what the last {radio} this program talked to holds "
    "({last}), the write changes {n} of its settings:",
    "向对讲机写入数据。\n与本程序上次连接的 {radio}中的内容（{last}）相比，本次写入将改变其中 {n} "
    "项设置："};
inline constexpr Bilingual kPreviewNoChange{
    "Write data to radio.\nThe write changes nothing in what the last {radio} this program "
    "talked to holds ({last}).",
    "向对讲机写入数据。\n本次写入不改变本程序上次连接的 {radio}中的任何设置（{last}）。"};
inline constexpr Bilingual kPreviewLastRead{"last read on {when}", "上次读取于 {when}"};
inline constexpr Bilingual kPreviewLastWritten{"last written on {when}", "上次写入于 {when}"};
// {model}, {band}, {firmware}: the radio as its backups name it.
inline constexpr Bilingual kPreviewRadio{"{model} (band {band}, firmware {firmware})",
                                         "{model}（频段 {band}，固件 {firmware}）"};
inline constexpr Bilingual kPreviewRadioNoFirmware{"{model} (band {band})",
                                                   "{model}（频段 {band}）"};
inline constexpr Bilingual kPreviewInRadio{"In the radio now", "对讲机中（现在）"};
inline constexpr Bilingual kPreviewAfterWrite{"After the write", "写入后"};
inline constexpr Bilingual kPreviewTableName{"Changes the write makes", "写入将作的改变"};
inline constexpr Bilingual kPreviewWrite{"Write", "写入"};
inline constexpr Bilingual kPreviewCancel{"Cancel", "取消"};
// The plain write question when no copy of what the radio holds exists: its third button reads
// the radio into a backup first, so that the write can be previewed.
inline constexpr Bilingual kPreviewReadFirst{"Read first", "先读取"};
inline constexpr Bilingual kPreviewUnknown{
    "Write data to radio.\nThis program has no copy of what the radio holds now, so it cannot "
    "list what the write changes. \"Read first\" reads the radio into a backup (the open "
    "document stays as it is), then shows the changes before writing.",
    "向对讲机写入数据。\n本程序没有对讲机当前内容的副本，无法列出本次写入将作的改变。"
    "“先读取”会把对讲机读入备份（打开的文档保持不变），然后在写入前列出改变。"};

}  // namespace kr4100
