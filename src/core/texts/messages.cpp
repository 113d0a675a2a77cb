// SPDX-License-Identifier: GPL-3.0-or-later
// The message table, both languages, one row per MessageId in enum order.
#include "core/texts/messages.h"

#include <array>
#include <cstddef>
#include <string>

#include "core/texts/text_table.h"

namespace kr4100 {
namespace {

constexpr std::array<Bilingual, static_cast<std::size_t>(MessageId::Count)> kMessages{{
    /* NewDocument */ {"All data will be cleared.", "所有数据将被清空。"},
    /* FileTitle */ {"Data File", "数据文件"},
    /* FileError */ {"file error.", "文件错误。"},
    /* PortError */ {"Cannot Open Communication Port.", "无法打开通信端口。"},
    /* ReadQuestion */
    {"Read data from radio.\r\nDo you wish continue?", "从对讲机读取数据。\r\n是否继续？"},
    /* WriteQuestion */
    {"Write data to radio.\r\nDo you wish continue?", "向对讲机写入数据。\r\n是否继续？"},
    /* SaveQuestion */ {"File has been modify,save it now?", "当前文件已被修改，是否现在保存？"},
    /* OverwriteQuestion */ {"file will be Overwrite,Continue?", "文件将被覆盖，是否继续？"},
    /* Connection */ {"Check Connection. Retry or Cancel?", "检测连接。重试或取消？"},
    /* ReadCompleted */ {"Read Data Completed.", "读取数据完成。"},
    /* WriteCompleted */ {"Write Data Completed.", "写入数据完成。"},
    /* PrintSelection */ {"Please select printing items.", "请选择打印项目。"},
    /* ModelWrong */ {"Model type is wrong.", "机型类型错误。"},
    /* VersionWrong */ {"Version is wrong.", "版本错误。"},
    /* BandWrong */ {"Frequency band type is wrong.", "频段类型错误。"},
    /* FirmwareVersion */ {"Firmware version is", "固件版本为"},
    /* SoftwareVersion */ {"Programming software version is", "写频软件版本为"},
    /* DataFileVersion */ {"DataFile version is", "数据文件版本为"},
    /* TestFrequencyMismatch */
    {"Test Frequency nismatch.\r\nExecute read data from radio\r\nor write to radio.",
     "测试频率不匹配\r\n执行“从对讲机读取数据”\r\n或“向对讲机写入数据”。"},
    /* FrequencyDataCleared */ {"Frequency data will be cleared.", "频率数据将被清除。"},
    /* OkButton */ {"&OK", "确定(&O)"},
    /* CancelButton */ {"&Cancel", "取消(&C)"},
    /* WarningTitle */ {"Warning", "警告"},
    /* InvalidData */ {"Invalid Data", "无效数据"},
    /* OutOfRange */ {"Frequency is out of range.", "频率超出范围。"},
    /* NotNumeric */ {"is not numeric.", "不是有效数据。"},
    /* CloseButton */ {"&Close", "关闭(&C)"},
    /* PrintButton */ {"&Print", "打印(&P)"},
    /* HelpButton */ {"&Help", "帮助(&H)"},
    /* UnknownDataFileVersion */ {"Unknown version Of DataFile!", "未能识别的数据版本!"},
    /* IncompatibleVersion */
    {"incompatible version. It may cause unknown error.To start the corresponding software "
     "version, or not?",
     "版本不兼容，有可能引起未知错误，是否启动对应版本软件？"},
    /* ProgrammingSoftwareIs */ {"programming software is", "写频软件版本为"},
    /* VersionNotExist */
    {"Fail to start the software. This version does not exist.", "未能启动，不存在此版本软件！"},
    // This one was only ever written in English; both columns carry it.
    /* NotIsNumeric */ {"Not IsNumeric", "Not IsNumeric"},
    /* ReadCaption */ {"Read data from radio", "从对讲机读取数据"},
    /* WriteCaption */ {"Write data to radio", "向对讲机写入数据"},
    /* CompletionPercentage */ {"Completion percentage:", "完成进度:"},
    /* SearchCaption */
    {"Search for communication setting,please wait for a few minutes...",
     "正在匹配串口配置，可能需要几分钟，请等待。。。"},
    /* RadioInfoNotWritten */
    {"The radio did not accept the radio information. Nothing was changed in the radio.",
     "对讲机未接受对讲机信息，对讲机中的数据没有改变。"},
    /* RadioCountInvalid */
    {"The number of radios must be a whole number of at least 1.",
     "对讲机数量必须是不小于1的整数。"},
    /* PackRefused */
    {"Nothing was written to the radio. This setting does not fit the radio's memory:",
     "未向对讲机写入任何数据。以下设置超出对讲机存储范围："},
    /* UnpackRefused */
    {"The data read from the radio is not valid; the document was not changed:",
     "从对讲机读取的数据无效，当前文件未被改变："},
    /* BandNotStorable */
    {"This frequency band cannot be used: frequencies of 100 MHz or more cannot be stored.",
     "无法使用此频段：不能保存100 MHz及以上的频率。"},
    // Channel CSV and the channel grid's clipboard.
    /* ChannelsNotImported */
    {"The channels were not imported; nothing was changed. Rows with errors:",
     "信道未导入，数据没有改变。有误的行："},
    /* ChannelsNotPasted */
    {"Nothing was pasted. Rows with errors:", "未粘贴任何内容。有误的行："},
    // Backups, read-back verify and the group write's production log.
    /* BackupFailed */
    {"The backup could not be written (the transfer goes on):", "无法写入备份（传输继续进行）："},
    /* VerifyFailed */
    {"Verify after writing: the radio does not hold what was written. Differences:",
     "写入后校验：对讲机中的数据与写入的不一致。差异："},
    /* VerifyMore */
    {"and {n} more", "另有 {n} 处"},
    /* GroupSummary */
    {"{n} of {total} radios written", "已写入 {n} / {total} 台对讲机"},
    /* GroupFailedCount */
    {"{n} failed", "{n} 台失败"},
    /* GroupProgressCounts */
    {"Succeeded: {ok}   Failed: {failed}", "成功：{ok}   失败：{failed}"},
    /* GroupRadioDifference */
    {"Radio {n}: ", "对讲机 {n}："},
    /* ProductionLogFailed */
    {"The production log could not be written:", "无法写入生产记录："},
    /* VerifyCaption */
    {"Verify data in radio", "校验对讲机数据"},
    // The channel grid's commands on several channels at once.
    /* ChannelsPastSixty */
    {"Group {group} would need more than 60 channels; nothing was changed.",
     "{group} 组将需要60个以上的信道，数据没有改变。"},
    /* GroupKeepsOneChannel */
    {"A group keeps at least one channel; nothing was changed.",
     "每组至少保留一个信道，数据没有改变。"},
    /* FillRefused */
    {"These channels would leave the band {band} and are not filled:",
     "以下信道将超出频段 {band}，不予填写："},
    /* FillTheRest */
    {"Fill the other channels? No changes nothing.", "是否填写其余信道？选“否”则不做任何更改。"},
    /* FillNothing */
    {"No channel can be filled; nothing was changed.", "没有可填写的信道，数据没有改变。"},
    /* FillNotNumbers */
    {"The start frequency, the step and the TX offset must be numbers, and the number of new "
     "channels a whole number from 1 to 60.",
     "起始频率、步进和发射偏移必须是数字，新建信道数必须是1到60的整数。"},
    /* FillStepNotTenHz */
    {"The step must be a multiple of 0.01 kHz (10 Hz).", "步进必须是 0.01 kHz（10 Hz）的整数倍。"},
    /* FillOffsetNotTenHz */
    {"The TX offset must be a multiple of 0.01 kHz (10 Hz).",
     "发射偏移必须是 0.01 kHz（10 Hz）的整数倍。"},
    // Why a port would not open.
    /* PortNoPermission */
    {"You have no permission to use this port.", "您没有使用此端口的权限。"},
    /* PortNotInGroup */
    {"You have no permission to use this port: it belongs to the group \"{group}\", and you are "
     "not in it.\r\nAdd yourself with the command: sudo usermod -aG {group} $USER\r\nthen log "
     "out and log in again.",
     "您没有使用此端口的权限：该端口属于用户组“{group}”，而您不在该组中。\r\n"
     "请用以下命令加入该组：sudo usermod -aG {group} $USER\r\n然后注销并重新登录。"},
    /* PortBusy */
    {"The port is in use by another program. Close that program and try again.",
     "该端口正被其他程序占用。请关闭该程序后重试。"},
    /* PortGone */
    {"The port does not exist: the cable or USB adapter may be unplugged. Plug it in, or choose "
     "another port under Setup.",
     "该端口不存在：连接线或USB适配器可能已拔出。请插好，或在“设置”中选择其他端口。"},
    // A write that did not finish.
    /* WritePartial */
    {"The write did not finish. The radio may now hold part of the new configuration: write it "
     "again before using the radio.",
     "写入未完成。对讲机中现在可能只有部分新配置：使用对讲机之前请重新写入。"},
    /* WriteBackOffer */
    {"A backup of what this radio held before exists ({when}). Write it back to the radio now?",
     "存在该对讲机之前内容的备份（{when}）。现在把它写回对讲机吗？"},
    /* WriteBackFile */
    {"A backup of what this radio held before: {file}", "该对讲机之前内容的备份：{file}"},
    /* TraceFailed */
    {"The serial trace could not be made (the session goes on): {file}",
     "无法建立串口记录（通信继续进行）：{file}"},
}};

static_assert(kMessages.size() == static_cast<std::size_t>(MessageId::Count));
static_assert(AllRowsFilled(kMessages), "every message needs both languages");

constexpr Bilingual kRadioFound{"Radio found on {device}, {stopBits}, handshaking {handshaking}",
                                "在 {device} 上找到对讲机，{stopBits}，握手方式 {handshaking}"};
constexpr Bilingual kOneStopBit{"{n} stop bit", "停止位 {n}"};
constexpr Bilingual kStopBits{"{n} stop bits", "停止位 {n}"};
constexpr std::array<Bilingual, 4> kHandshakingNames{{
    {"none", "无"},
    {"XON/XOFF", "XON/XOFF"},
    {"RTS/CTS", "RTS/CTS"},
    {"XON/XOFF and RTS/CTS", "XON/XOFF 和 RTS/CTS"},
}};

std::string Fill(std::string text, std::string_view field, std::string_view value) {
  const auto at = text.find(field);
  if (at != std::string::npos) text.replace(at, field.size(), value);
  return text;
}

}  // namespace

std::string RadioFoundText(std::string_view device, int stopBits, int handshaking, int language) {
  const std::string bits =
      Fill((stopBits == 1 ? kOneStopBit : kStopBits).in(language), "{n}", std::to_string(stopBits));
  const std::string mode =
      handshaking >= 0 && handshaking < static_cast<int>(kHandshakingNames.size())
          ? kHandshakingNames[static_cast<std::size_t>(handshaking)].in(language)
          : std::to_string(handshaking);
  // The device last: its path is the user's and may hold anything.
  std::string text = Fill(kRadioFound.in(language), "{stopBits}", bits);
  text = Fill(std::move(text), "{handshaking}", mode);
  return Fill(std::move(text), "{device}", device);
}

std::string MessageWith(MessageId id, int language,
                        std::initializer_list<std::pair<std::string_view, std::string>> fields) {
  std::string text = MessageText(id, language);
  for (const auto& [field, value] : fields) text = Fill(std::move(text), field, value);
  return text;
}

const Bilingual& Message(MessageId id) {
  return RowOf(kMessages, static_cast<std::size_t>(id));
}

}  // namespace kr4100
