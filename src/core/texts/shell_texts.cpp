// SPDX-License-Identifier: GPL-3.0-or-later
// The shell's text table, both languages, one row per ShellText in enum order.
#include "core/texts/shell_texts.h"

#include <array>
#include <cstddef>

#include "core/texts/messages.h"
#include "core/texts/product.h"
#include "core/texts/text_table.h"

namespace kr4100 {
namespace {

constexpr std::array<Bilingual, static_cast<std::size_t>(ShellText::Count)> kShellTexts{{
    /* mnuFileNew */ {"&New", "新建(&N)"},
    /* mnuFileOpen */ {"&Open", "打开(&O)"},
    /* mnuFileSave */ {"&Save", "保存(&S)"},
    /* mnuFileSaveAs */ {"Save &As", "另存为(&A)"},
    /* mnuFilePrint */ {"&Print", "打印(&P)"},
    /* mnuFileExit */ {"E&xit", "退出(&X)"},
    /* mnuModelInfo */ {"&Model Information", "机型信息(&M)"},
    /* mnuChannelInfo */ {"&Channel Information", "信道信息(&C)"},
    /* mnuOptFeature */ {"&Option Features", "可选功能(&O)"},
    /* mnuKeyAssignm */ {"&Key Assignment", "键设置(&K)"},
    /* mnuScanInfo */ {"&Scan Information", "扫描信息(&S)"},
    /* mnuDTMF */ {"&DTMF", "DTMF(双音多频)(&D)"},
    /* mnuFleetSync */ {"&Fleet Sync", "Fleet Sync(队列同步)(&F)"},
    /* mnuTestFre */ {"&Test FreQuence", "测试频率(&T)"},
    /* mnuEmbeddedMsg */ {"Embedded &Message", "嵌入信息(&M)"},
    /* mnuEMG */ {"Local &Information", "本机信息(&I)"},
    /* mnuReadFromRadio */ {"&Read from Radio", "从对讲机读取数据(&R)"},
    /* mnuWriteToRadio */ {"&Write to Radio", "向对讲机写入数据(&W)"},
    /* mnuMWriteToRadio */ {"Write to &Group of Radios", "成批向对讲机写入数据(&G)"},
    /* mnuTest */ {"&Test Mode", "测试模式(&T)"},
    /* mnuRadioInfo */ {"&Radio Information", "对讲机信息(&R)"},
    /* mnuSetRadioInfo */ {"&Set Radio Information", "设置对讲机信息(&S)"},
    /* mnuComm */ {"&Communication Port", "通讯端口(&C)"},
    /* mnuLanguage */ {"&Language Setup", "语言设置(&L)"},
    /* MnuInitial */ {"&Initial Setting", "初始化设置(&I)"},
    /* mnuTreeView */ {"Tree &View", "树视图(&V)"},
    /* mnuViewToolbar */ {"&Toolbar", "工具栏(&T)"},
    /* mnuViewStatusBar */ {"&Status Bar", "状态栏(&S)"},
    /* mnuWindowCascade */ {"&Cascade", "层叠(&C)"},
    /* mnuWindowTileVertical */ {"Tile Windows &Vertically", "纵向平铺窗口(&V)"},
    /* mnuWindowTileHorizontal */ {"Tile Windows &Horizontally", "横向平铺窗口(&H)"},
    /* mnuWindowArrangeIcons */ {"&Arrange Icons", "排列图标(&A)"},
    /* mnuCloseAll */ {"Close All &Windows", "关闭所有窗口(&W)"},
    /* mnuHelpAbout */ {"&About KR_4100", "关于 KR_4100(&A)"},
    /* mnuFile */ {"&File", "文件&F"},
    /* mnuModel */ {"&Model", "机型(&M)"},
    /* mnuEdit */ {"&Edit", "编辑(E)"},
    /* mnuProgram */ {"&Program", "编程(&P)"},
    /* mnuTools */ {"&Tools", "工具(&T)"},
    /* mnuSetup */ {"&Setup", "设置(&S)"},
    /* mnuView */ {"&View", "视图(&V)"},
    /* mnuWindow */ {"&Window", "窗口(&W)"},
    /* mnuHelp */ {"&Help", "帮助(&H)"},
    /* ModelType */ {"Model Type", "机型类型"},
    /* Frequency */ {"Frequency", "频率"},
    /* ModelInformation */ {"Model Information", "机型信息"},
    /* CommunicationPort */ {"Communication Port", "通信端口"},
    /* Com */ {"COM", "通信口"},
    /* LanguageMode */ {"Language Mode", "语言模式"},
    /* LanguageSetup */ {"Language Setup", "语言设置"},
    /* FileName */ {"File Name", "文件名"},
    /* LanguageEnglish */ {"English", "英语"},
    /* LanguageChinese */ {"Chinese", "中文"},
    /* ProductTitle */ {kDefaultModelName, kDefaultModelName},
    // Channel CSV: File menu.
    /* mnuExportChannels */ {"&Export Channels...", "导出信道(&E)..."},
    /* mnuImportChannels */ {"&Import Channels...", "导入信道(&I)..."},
    // Comparing the document with a data file.
    /* mnuFileCompare */ {"Compare with File...", "与文件比较..."},
    // Undo and redo of the working record.
    /* mnuEditUndo */ {"&Undo", "撤销(&U)"},
    /* mnuEditRedo */ {"&Redo", "重做(&R)"},
    // Backups and read-back verify.
    /* mnuOpenBackup */ {"Open &Backup...", "打开备份(&B)..."},
    /* mnuVerifyAfterWrite */ {"&Verify after writing", "写入后校验(&V)"},
    /* mnuBackups */ {"Backups...", "备份..."},
    // Edit menu: the channel grid's commands on the chosen rows.
    /* mnuEditChannels */ {"C&hannels", "信道操作(&H)"},
    // Serial trace.
    /* mnuRecordSerialTrace */ {"Record serial &trace", "记录串口通信(&T)"},
    /* TraceFolderTip */
    {"Each radio session is recorded in a file of its own in {folder}",
     "每次与对讲机的通信都单独记录在以下文件夹的文件中：{folder}"},
    // The about box.
    /* AboutCaption */ {"About KR_4100", "关于 KR_4100"},
    /* VersionsCaption */ {"Versions", "版本"},
    /* AboutPurpose */ {"Programming software for the mobile radio", "车载对讲机写频软件"},
    /* VersionsButton */ {"&Versions...", "版本(&V)..."},
    /* VersionsAccepted */
    {"Data file and firmware versions accepted:", "可接受的数据文件及固件版本："},
    /* AboutLicence */
    {"Free software under the GNU General Public License, version 3 or later\n"
     "(GPL-3.0-or-later), without any warranty.",
     "本软件为自由软件，依照 GNU 通用公共许可证第 3 版或更高版本\n"
     "（GPL-3.0-or-later）发布，不提供任何担保。"},
    // Comparing the document with a data file.
    /* CompareCaption */ {"Compare with File", "与文件比较"},
    /* CompareThisDocument */ {"This document", "本文档"},
    /* CompareTheFile */ {"The file", "该文件"},
    /* CompareTableName */ {"Differences", "差异"},
    /* CompareEqual */
    {"The document and the file hold the same settings.", "文档与文件的设置相同。"},
    /* CompareDiffering */ {"{n} settings differ.", "有 {n} 项设置不同。"},
    /* CompareOneDiffering */ {"1 setting differs.", "有 1 项设置不同。"},
    /* CompareClose */ {"Close", "关闭"},
    // The print dialog.
    /* PrintCaption */ {"Print", "打印"},
    /* PrintButton */ {"&Print...", "打印(&P)..."},
    /* PdfButton */ {"P&DF...", "PDF(&D)..."},
    /* PdfFilter */ {"PDF files (*.pdf)", "PDF 文件 (*.pdf)"},
    // The radio-information dialogs.
    /* RadioInfoCaption */ {"Radio Information", "对讲机信息"},
    /* RadioInfoSerialNumber */ {"Serial Number", "序号"},
    /* RadioInfoSetCaption */ {"Set Radio Information", "设置对讲机信息"},
    /* RadioInfoVersion */ {"版本", "版本"},
    /* RadioInfoRead */ {"&Read", "读出(&R)"},
    /* RadioInfoWrite */ {"&Write", "写入(&W)"},
    /* RadioInfoTimeSync */ {"&Time Sync", "时间同步(&T)"},
    /* LocalInfoCaption */ {"Local Information", "本机信息"},
    /* LocalInfoDealer */ {"Dealer Information", "销售商信息"},
}};

static_assert(kShellTexts.size() == static_cast<std::size_t>(ShellText::Count));
static_assert(AllRowsFilled(kShellTexts), "every shell text needs both languages");

std::string_view AfterLastSeparator(std::string_view path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

}  // namespace

const Bilingual& Shell(ShellText id) {
  return RowOf(kShellTexts, static_cast<std::size_t>(id));
}

std::string MainWindowCaption(std::string_view modelName, std::string_view bandText,
                              std::string_view documentName, int language) {
  std::string caption;
  caption.reserve(modelName.size() + bandText.size() + documentName.size() + 24);
  caption += modelName;
  caption += '[';
  caption += bandText;
  caption += "][";
  caption += Shell(ShellText::FileName).in(language);
  caption += ':';
  caption += AfterLastSeparator(documentName);
  caption += ']';
  return caption;
}

std::string IncompatibleVersionQuestion(std::string_view fileTagDisplay, int language) {
  std::string text = MessageText(MessageId::IncompatibleVersion, language);
  text += "\r\n";
  text += MessageText(MessageId::DataFileVersion, language);
  text += ' ';
  text += fileTagDisplay;
  text += "\r\n";
  text += MessageText(MessageId::ProgrammingSoftwareIs, language);
  text += ' ';
  text += kSoftVerText;
  return text;
}

}  // namespace kr4100
