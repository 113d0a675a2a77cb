// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/texts/accessible_texts.h"
#include "core/texts/messages.h"
#include "core/texts/shell_texts.h"

namespace kr4100 {
namespace {

TEST(MessageTable, EveryMessageHasDistinctLanguageColumnsExceptNotIsNumeric) {
  for (int i = 0; i < static_cast<int>(MessageId::Count); ++i) {
    const auto id = static_cast<MessageId>(i);
    const Bilingual& m = Message(id);
    ASSERT_NE(m.en, nullptr) << i;
    ASSERT_NE(m.zh, nullptr) << i;
    EXPECT_GT(std::strlen(m.en), 0u) << i;
    EXPECT_GT(std::strlen(m.zh), 0u) << i;
    // A row copied into the wrong column shows up as an English text in the Chinese column.
    if (id != MessageId::NotIsNumeric) {
      EXPECT_STRNE(m.en, m.zh) << i;
    }
  }
}

TEST(MessageTable, ExactTexts) {
  EXPECT_STREQ(MessageText(MessageId::NewDocument, kEnglish), "All data will be cleared.");
  EXPECT_STREQ(MessageText(MessageId::NewDocument, kChinese), "所有数据将被清空。");
  EXPECT_STREQ(MessageText(MessageId::ReadQuestion, kEnglish),
               "Read data from radio.\r\nDo you wish continue?");
  EXPECT_STREQ(MessageText(MessageId::WriteQuestion, kChinese), "向对讲机写入数据。\r\n是否继续？");
  EXPECT_STREQ(MessageText(MessageId::SaveQuestion, kChinese), "当前文件已被修改，是否现在保存？");
  EXPECT_STREQ(MessageText(MessageId::TestFrequencyMismatch, kChinese),
               "测试频率不匹配\r\n执行“从对讲机读取数据”\r\n或“向对讲机写入数据”。");
  EXPECT_STREQ(MessageText(MessageId::NotNumeric, kChinese), "不是有效数据。");
  EXPECT_STREQ(MessageText(MessageId::HelpButton, kChinese), "帮助(&H)");
  EXPECT_STREQ(MessageText(MessageId::UnknownDataFileVersion, kChinese), "未能识别的数据版本!");
  EXPECT_STREQ(MessageText(MessageId::VersionNotExist, kEnglish),
               "Fail to start the software. This version does not exist.");
  EXPECT_STREQ(MessageText(MessageId::NotIsNumeric, kChinese), "Not IsNumeric");
}

TEST(RadioFoundText, EveryHandshakingInBothLanguages) {
  EXPECT_EQ(RadioFoundText("/dev/ttyUSB0", 1, 0, kEnglish),
            "Radio found on /dev/ttyUSB0, 1 stop bit, handshaking none");
  EXPECT_EQ(RadioFoundText("COM3", 2, 1, kEnglish),
            "Radio found on COM3, 2 stop bits, handshaking XON/XOFF");
  EXPECT_EQ(RadioFoundText("COM3", 2, 3, kEnglish),
            "Radio found on COM3, 2 stop bits, handshaking XON/XOFF and RTS/CTS");
  EXPECT_EQ(RadioFoundText("COM3", 1, 2, kChinese),
            "在 COM3 上找到对讲机，停止位 1，握手方式 RTS/CTS");
  EXPECT_EQ(RadioFoundText("COM3", 2, 3, kChinese),
            "在 COM3 上找到对讲机，停止位 2，握手方式 XON/XOFF 和 RTS/CTS");
  // A device path is shown as it is, whatever it holds.
  EXPECT_EQ(RadioFoundText("/tmp/{stopBits}", 1, 7, kEnglish),
            "Radio found on /tmp/{stopBits}, 1 stop bit, handshaking 7");
}

TEST(MessageTable, UnknownLanguageFallsBackToEnglishAndStrayIdIsHarmless) {
  EXPECT_STREQ(MessageText(MessageId::FileError, 0), "file error.");
  EXPECT_STREQ(MessageText(MessageId::FileError, 7), "file error.");
  EXPECT_STREQ(Message(static_cast<MessageId>(999)).en, "");
  EXPECT_STREQ(Message(static_cast<MessageId>(-1)).zh, "");
}

TEST(ShellTable, EveryTextFilledAndMenusTranslated) {
  for (int i = 0; i < static_cast<int>(ShellText::Count); ++i) {
    const auto id = static_cast<ShellText>(i);
    const Bilingual& t = Shell(id);
    ASSERT_NE(t.en, nullptr) << i;
    ASSERT_NE(t.zh, nullptr) << i;
    EXPECT_GT(std::strlen(t.en), 0u) << i;
    EXPECT_GT(std::strlen(t.zh), 0u) << i;
    // The product name, and the set window's version label, which has always read the same.
    if (id != ShellText::ProductTitle && id != ShellText::RadioInfoVersion) {
      EXPECT_STRNE(t.en, t.zh) << i;
    }
  }
}

TEST(ShellTable, ExactTexts) {
  EXPECT_STREQ(ShellTextIn(ShellText::mnuFileNew, kChinese), "新建(&N)");
  EXPECT_STREQ(ShellTextIn(ShellText::MnuInitial, kEnglish), "&Initial Setting");
  EXPECT_STREQ(ShellTextIn(ShellText::mnuComm, kChinese), "通讯端口(&C)");
  EXPECT_STREQ(ShellTextIn(ShellText::mnuWindowArrangeIcons, kChinese), "排列图标(&A)");
  EXPECT_STREQ(ShellTextIn(ShellText::mnuHelpAbout, kChinese), "关于 KR_4100(&A)");
  EXPECT_STREQ(ShellTextIn(ShellText::mnuFile, kChinese), "文件&F");
  EXPECT_STREQ(ShellTextIn(ShellText::mnuEdit, kChinese), "编辑(E)");
  EXPECT_STREQ(ShellTextIn(ShellText::mnuHelp, kEnglish), "&Help");
  EXPECT_STREQ(ShellTextIn(ShellText::CommunicationPort, kChinese), "通信端口");
  EXPECT_STREQ(ShellTextIn(ShellText::Com, kChinese), "通信口");
  EXPECT_STREQ(ShellTextIn(ShellText::LanguageChinese, kEnglish), "Chinese");
  EXPECT_STREQ(ShellTextIn(ShellText::LanguageEnglish, kChinese), "英语");
  EXPECT_STREQ(ShellTextIn(ShellText::ProductTitle, kChinese), "KR-4100");
}

TEST(MainWindowCaption, BothLanguagesAndPathForms) {
  EXPECT_EQ(MainWindowCaption("KR-4100", "28.000000 - 29.700000 MHz", "new.dat", kEnglish),
            "KR-4100[28.000000 - 29.700000 MHz][File Name:new.dat]");
  EXPECT_EQ(MainWindowCaption("KR-4100", "28.000000 - 29.700000 MHz", "new.dat", kChinese),
            "KR-4100[28.000000 - 29.700000 MHz][文件名:new.dat]");
  EXPECT_EQ(MainWindowCaption("KR-4100", "25.615000 - 30.105000 MHz", "C:\\radios\\fleet/a\\b.dat",
                              kEnglish),
            "KR-4100[25.615000 - 30.105000 MHz][File Name:b.dat]");
  EXPECT_EQ(MainWindowCaption("KR-4100", "x", "/home/u/data/c.dat", kEnglish),
            "KR-4100[x][File Name:c.dat]");
  EXPECT_EQ(MainWindowCaption("KR-4100", "x", "dir/", kEnglish), "KR-4100[x][File Name:]");
}

TEST(IncompatibleVersionQuestion, BothLanguages) {
  EXPECT_EQ(IncompatibleVersionQuestion("V5.10", kEnglish),
            "incompatible version. It may cause unknown error.To start the corresponding "
            "software version, or not?\r\nDataFile version is V5.10\r\n"
            "programming software is V6.00");
  EXPECT_EQ(IncompatibleVersionQuestion("V5.10", kChinese),
            "版本不兼容，有可能引起未知错误，是否启动对应版本软件？\r\n数据文件版本为 V5.10\r\n"
            "写频软件版本为 V6.00");
}

// A screen reader reads a cell without seeing its heading or row: both go into what it hears,
// and an empty cell must not be read as nothing at all.
TEST(AccessibleCellText, HeadingValueAndChannelInBothLanguages) {
  EXPECT_EQ(AccessibleCellText("RX Frequency", "28.015000", 1, kEnglish),
            "RX Frequency, 28.015000, channel 1");
  EXPECT_EQ(AccessibleCellText("RX Frequency", "", 60, kEnglish),
            "RX Frequency, empty, channel 60");
  EXPECT_EQ(AccessibleCellText("接收频率", "28.015000", 12, kChinese),
            "接收频率，28.015000，信道 12");
  EXPECT_EQ(AccessibleCellText("接收频率", "", 2, kChinese), "接收频率，空，信道 2");
  // The channel-number column names its channel already.
  EXPECT_EQ(AccessibleCellText("CH No.", "7", 0, kEnglish), "CH No., 7");
}

}  // namespace
}  // namespace kr4100
