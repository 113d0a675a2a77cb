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

// The backups window.
inline constexpr Bilingual kBackupsCaption{"Backups", "备份"};
inline constexpr Bilingual kBackupsTableName{"Backups, newest first", "备份（最新的在前）"};
inline constexpr Bilingual kBackupsNone{"There are no backups yet.", "还没有备份。"};
inline constexpr Bilingual kBackupsOpen{"&Open", "打开(&O)"};
inline constexpr Bilingual kBackupsCompare{"&Compare with Document", "与文档比较(&C)"};
inline constexpr Bilingual kBackupsWriteBack{"&Write Back to Radio", "写回对讲机(&W)"};
inline constexpr Bilingual kBackupsClose{"Close", "关闭"};

// The write confirmation measured against the radio's last read. {when}: the read's date and
// time; {n}: how many settings change.
inline constexpr Bilingual kPreviewCaption{"Write data to radio", "向对讲机写入数据"};
inline constexpr Bilingual kPreviewChanges{
    "Write data to radio.\nSince the radio was last read ({when}), the write changes {n} of its "
    "settings:",
    "向对讲机写入数据。\n与上次读取对讲机（{when}）时相比，本次写入将改变其中 {n} 项设置："};
inline constexpr Bilingual kPreviewNoChange{
    "Write data to radio.\nThe write changes nothing the radio held when it was last read "
    "({when}).",
    "向对讲机写入数据。\n与上次读取对讲机（{when}）时相比，本次写入不改变任何设置。"};
inline constexpr Bilingual kPreviewInRadio{"In the radio (last read)", "对讲机中（上次读取）"};
inline constexpr Bilingual kPreviewAfterWrite{"After the write", "写入后"};
inline constexpr Bilingual kPreviewTableName{"Changes the write makes", "写入将作的改变"};
inline constexpr Bilingual kPreviewWrite{"Write", "写入"};
inline constexpr Bilingual kPreviewCancel{"Cancel", "取消"};

}  // namespace kr4100
