// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the web page: its own, and the program's menu captions and messages it shows under
// the same keys, so that the page and the desktop program say the same things.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "core/texts/backup_texts.h"
#include "core/texts/bilingual.h"
#include "core/texts/channel_bulk_texts.h"
#include "core/texts/messages.h"
#include "core/texts/shell_texts.h"

namespace kr4100 {

struct WebText {
  const char* key;
  Bilingual text;
};

// What only the page says.
inline constexpr std::array<WebText, 26> kWebOwnTexts{{
    {"noSerial",
     {"This browser cannot reach a serial port. Files can still be opened, edited and saved; to "
      "read or write a radio, use a Chromium-based browser (Chrome, Edge, Opera) on a computer, "
      "or the desktop program.",
      "此浏览器无法使用串口。仍可打开、编辑和保存文件；如需读写对讲机，请在电脑上使用基于 Chromium "
      "的浏览器（Chrome、Edge、Opera）或桌面程序。"}},
    {"desktopOnly",
     {"Test mode and the service functions are in the desktop program.",
      "测试模式和维修功能在桌面程序中。"}},
    {"groupWriteDesktopOnly",
     {"Writing many radios in a row is in the desktop program.",
      "连续写入多台对讲机在桌面程序中。"}},
    {"port", {"Port", "端口"}},
    {"virtualRadio", {"Virtual radio", "虚拟对讲机"}},
    {"serialCable", {"Serial cable", "串口线"}},
    {"choosePort", {"Choose the cable's port...", "选择串口线的端口..."}},
    {"portPermission",
     {"The browser now asks which serial port this page may use: choose the port of the "
      "programming cable.",
      "浏览器将询问此网页可以使用哪个串口：请选择编程线的端口。"}},
    {"stopBits", {"Stop bits", "停止位"}},
    {"flowControl", {"Flow control", "流控制"}},
    {"flowNone", {"None", "无"}},
    {"flowRtsCts", {"RTS/CTS", "RTS/CTS"}},
    {"band", {"Band", "频段"}},
    {"language", {"Language", "语言"}},
    {"openFile", {"Open a data file", "打开数据文件"}},
    {"dropFile", {"or drop a .dat file here", "或将 .dat 文件拖放到此处"}},
    {"download", {"Download", "下载"}},
    {"backupsInBrowser",
     {"Backups of every read and write are kept in this browser's storage.",
      "每次读取和写入的备份都保存在此浏览器的存储中。"}},
    {"offlineReady", {"The page now works offline too.", "此网页现在也可离线使用。"}},
    {"cancel", {"Cancel", "取消"}},
    {"ok", {"OK", "确定"}},
    {"progress", {"Progress", "进度"}},
    // The answers of the save question, which the desktop takes from its toolkit.
    {"yes", {"Yes", "是"}},
    {"no", {"No", "否"}},
    {"notices", {"Notices", "通知"}},
    {"groups", {"Channel groups", "信道组"}},
}};

struct WebShellText {
  const char* key;
  ShellText id;
};

// The desktop's menu captions the page uses for the same commands, by the menus' names.
inline constexpr std::array<WebShellText, 30> kWebShellTexts{{
    {"ProductTitle", ShellText::ProductTitle},
    {"FileName", ShellText::FileName},
    {"LanguageEnglish", ShellText::LanguageEnglish},
    {"LanguageChinese", ShellText::LanguageChinese},
    {"mnuEditChannels", ShellText::mnuEditChannels},
    {"CompareCaption", ShellText::CompareCaption},
    {"CompareEqual", ShellText::CompareEqual},
    {"mnuFile", ShellText::mnuFile},
    {"mnuFileNew", ShellText::mnuFileNew},
    {"mnuFileOpen", ShellText::mnuFileOpen},
    {"mnuFileSave", ShellText::mnuFileSave},
    {"mnuFileSaveAs", ShellText::mnuFileSaveAs},
    {"mnuEdit", ShellText::mnuEdit},
    {"mnuEditUndo", ShellText::mnuEditUndo},
    {"mnuEditRedo", ShellText::mnuEditRedo},
    {"mnuProgram", ShellText::mnuProgram},
    {"mnuReadFromRadio", ShellText::mnuReadFromRadio},
    {"mnuWriteToRadio", ShellText::mnuWriteToRadio},
    {"mnuMWriteToRadio", ShellText::mnuMWriteToRadio},
    {"mnuTest", ShellText::mnuTest},
    {"mnuVerifyAfterWrite", ShellText::mnuVerifyAfterWrite},
    {"mnuChannelInfo", ShellText::mnuChannelInfo},
    {"mnuOptFeature", ShellText::mnuOptFeature},
    {"mnuKeyAssignm", ShellText::mnuKeyAssignm},
    {"mnuScanInfo", ShellText::mnuScanInfo},
    {"mnuEmbeddedMsg", ShellText::mnuEmbeddedMsg},
    {"mnuExportChannels", ShellText::mnuExportChannels},
    {"mnuImportChannels", ShellText::mnuImportChannels},
    {"mnuFileCompare", ShellText::mnuFileCompare},
    {"mnuBackups", ShellText::mnuBackups},
}};

struct WebMessage {
  const char* key;
  MessageId id;
};

// The desktop's messages the page shows itself (the questions before a transfer, the progress
// caption), by the names of their ids.
inline constexpr std::array<WebMessage, 10> kWebMessages{{
    {"FileError", MessageId::FileError},
    {"NewDocument", MessageId::NewDocument},
    {"SaveQuestion", MessageId::SaveQuestion},
    {"ReadQuestion", MessageId::ReadQuestion},
    {"WriteQuestion", MessageId::WriteQuestion},
    {"ReadCaption", MessageId::ReadCaption},
    {"WriteCaption", MessageId::WriteCaption},
    {"VerifyCaption", MessageId::VerifyCaption},
    {"CompletionPercentage", MessageId::CompletionPercentage},
    {"PortError", MessageId::PortError},
}};

// The channel grid's commands and the fill dialog, the backups window and the write preview's
// buttons, as the desktop words them (without the keyboard accelerators: PlainCaption).
inline constexpr std::array<std::pair<const char*, const Bilingual*>, 30> kWebTableTexts{{
    {"bulkSetAttribute", &kBulkSetAttribute},
    {"bulkFill", &kBulkFill},
    {"bulkMoveUp", &kBulkMoveUp},
    {"bulkMoveDown", &kBulkMoveDown},
    {"bulkInsert", &kBulkInsert},
    {"bulkDelete", &kBulkDelete},
    {"bulkSort", &kBulkSort},
    {"fillCaption", &kFillCaption},
    {"fillStart", &kFillStart},
    {"fillStep", &kFillStep},
    {"fillOffset", &kFillOffset},
    {"fillOverRows", &kFillOverRows},
    {"fillNewChannels", &kFillNewChannels},
    {"fillCount", &kFillCount},
    {"BackupsCaption", &kBackupsCaption},
    {"BackupsOpen", &kBackupsOpen},
    {"BackupsCompare", &kBackupsCompare},
    {"BackupsWriteBack", &kBackupsWriteBack},
    {"BackupDate", &kBackupHeadings[0]},
    {"BackupKind", &kBackupHeadings[2]},
    {"BackupRadio", &kBackupHeadings[3]},
    {"BackupFile", &kBackupHeadings[6]},
    {"BackupRead", &kBackupRead},
    {"BackupWrite", &kBackupWrite},
    {"BackupWritten", &kBackupWritten},
    {"close", &kBackupsClose},
    {"previewWrite", &kPreviewWrite},
    {"previewCancel", &kPreviewCancel},
    {"noBackups", &kBackupsNone},
    {"tableBackups", &kBackupsTableName},
}};

// A caption without its accelerator: "&Fill Frequencies..." -> "Fill Frequencies...",
// "填写频率(&F)..." -> "填写频率...".
inline std::string PlainCaption(std::string_view caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '(' && i + 3 < caption.size() && caption[i + 1] == '&' &&
        caption[i + 3] == ')') {
      i += 3;
      continue;
    }
    if (caption[i] == '&') continue;
    out += caption[i];
  }
  return out;
}

// Every key once, over all the tables.
constexpr bool WebTextKeysUnique() {
  std::array<std::string_view, kWebOwnTexts.size() + kWebShellTexts.size() + kWebMessages.size() +
                                   kWebTableTexts.size()>
      keys{};
  std::size_t n = 0;
  for (const WebText& t : kWebOwnTexts) keys[n++] = t.key;
  for (const WebShellText& t : kWebShellTexts) keys[n++] = t.key;
  for (const WebMessage& t : kWebMessages) keys[n++] = t.key;
  for (const auto& t : kWebTableTexts) keys[n++] = t.first;
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      if (keys[i] == keys[j]) return false;
  for (const WebText& t : kWebOwnTexts)
    if (t.text.en == nullptr || t.text.zh == nullptr || !*t.text.en || !*t.text.zh) return false;
  return true;
}
static_assert(WebTextKeysUnique(), "every web text has one key and both languages");

}  // namespace kr4100
