#include "app/print_pages.h"

#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/texts/channel_texts.h"
#include "core/config/conversions.h"

namespace kr4100 {
namespace {

// ---- texts ----------------------------------------------------------------------------------

constexpr Bilingual kChannelsTitle{"Channel Information", "信道信息"};
constexpr Bilingual kOptionsTitle{"Optional Features", "可选功能"};
constexpr Bilingual kKeysTitle{"Key Assignment", "键设定"};
constexpr Bilingual kScanTitle{"Scan Information", "扫描信息"};
constexpr Bilingual kMessagesTitle{"Embedded Message", "嵌入信息"};

constexpr Bilingual kNoChannels{"No channels are in use.", "没有使用中的信道。"};

constexpr Bilingual kItemHeading{"Item", "项目"};
constexpr Bilingual kSettingHeading{"Setting", "设置"};
constexpr Bilingual kStoredHeading{"Stored Value", "存储值"};
constexpr Bilingual kNumberHeading{"No.", "序号"};
constexpr Bilingual kKeyHeading{"Key", "按键"};
constexpr Bilingual kFunctionHeading{"Function", "功能"};
constexpr Bilingual kMessageHeading{"Message", "信息"};
constexpr Bilingual kTextHeading{"Text", "内容"};
constexpr Bilingual kYes{"Yes", "是"};
constexpr Bilingual kNo{"No", "否"};
constexpr Bilingual kNone{"None", "无"};
const char* const kUnknown = "—";  // a stored value no list offers

// ---- option features ------------------------------------------------------------------------

// How a stored option shows: (value + add) × mul within lo..hi, a tenth with one decimal, an
// item of a list, a check box, an emergency channel (channel number − 1), or items[0] for 0 and
// the number above it.
enum class Shown { Number, Tenths, Items, Check, Emergency, OffThenNumber };

struct OptionRow {
  Bilingual name;
  Shown shown;
  int lo = 0;
  int hi = 0;
  int add = 0;
  int mul = 1;
  std::array<Bilingual, 4> items{};
};

constexpr Bilingual kOffLower{"Off", "关"};
constexpr Bilingual kOffUpper{"OFF", "关"};

constexpr OptionRow Check(Bilingual name) {
  return {name, Shown::Check};
}
constexpr OptionRow Gain(const char* name) {
  return {{name, name}, Shown::OffThenNumber, 0, 63, 0, 1, {kOffUpper}};
}
constexpr OptionRow Tone(Bilingual name) {
  return {name, Shown::Number, 30, 300, 0, 10};
}
constexpr OptionRow Delay(Bilingual name, int hi) {
  return {name, Shown::Number, 0, hi, 1, 5};
}
constexpr OptionRow Emergency(int group) {
  return {{kGroupLetters[group], kGroupLetters[group]}, Shown::Emergency};
}

const std::array<OptionRow, kOptFeatCount> kOptionRows{{
    {{"Time Out Timer(TOT)[s]", "超时定时器(TOT)[秒]"},
     Shown::OffThenNumber,
     0,
     20,
     0,
     30,
     {kOffLower}},
    Tone({"RB Frequecy[Hz]", "RB 频率[Hz]"}),
    {{"RB Time[ms]", "RB 时间[ms]"}, Shown::Number, 0, 19, 1, 50},
    Tone({"CW Side Tone[Hz]", "CW 侧音[Hz]"}),
    {{"Frequency Step", "频率步进"},
     Shown::Items,
     0,
     3,
     0,
     1,
     {{{"10KHz", "10KHz"}, {"1KHz", "1KHz"}, {"100Hz", "100Hz"}, {"10Hz", "10Hz"}}}},
    {{"LCD Display", "LCD 显示"}, Shown::Items, 0, 1, 0, 1, {{{"OFF", "关"}, {"ON", "开"}}}},
    {{"Scan Mode", "扫描模式"},
     Shown::Items,
     0,
     1,
     0,
     1,
     {{{"Squelch Scan", "静噪扫描"}, {"Time Scan", "时间扫描"}}}},
    {{"Scan Resume Time[s]", "扫描恢复时间[s]"}, Shown::Number, 0, 59, 1, 1},
    {{"LCD Display In Tx", "发射时LCD显示"},
     Shown::Items,
     0,
     3,
     0,
     1,
     {{{"Tx Frequency Display", "发射频率显示"},
       {"SWR LCD Display", "SWR驻波LCD显示"},
       {"Battery Voltage Display", "电池电压显示"},
       {"TOT Remain Time Display", "TOT剩余时间显示"}}}},
    {{"SWR Protect value", "驻波保护值"}, Shown::Tenths, 12, 200},
    {{"Battery Voltage Protect Value 1 -- Min[V]", "电池电压保护值1--最低[V]"},
     Shown::Tenths,
     90,
     170},
    {{"Battery Voltage Protect Value 2 -- Max[V]", "电池电压保护值2--最高[V]"},
     Shown::Tenths,
     90,
     170},
    Check({"LSB Enable", "使用LSB"}),
    Check({"USB Enable", "使用USB"}),
    Check({"FM Enable", "使用FM"}),
    Check({"AM Enable", "使用AM"}),
    Check({"PA Enalbe", "使用PA"}),
    Check({"CW Enable", "使用CW"}),
    Check({"Single Change Data", "允许独立改变信道数据"}),
    Check({"Common Option", "信道设置公共信道"}),
    Check({"Single Change RX/TX Frequency", "允许独立改变收发频率"}),
    Delay({"FM SQ Close Delay Time[ms]", "FM SQ关闭延时时间[ms]"}, 59),
    Delay({"AM SQ Close Delay Time[ms]", "AM SQ关闭延时时间[ms]"}, 59),
    Delay({"CW/USB/LSB SQ Close Delay Time[ms]", "CW/USB/LSB SQ关闭延时时间[ms]"}, 199),
    Emergency(0),
    Emergency(1),
    Emergency(2),
    Emergency(3),
    Emergency(4),
    Emergency(5),
    Gain("MIC Gain"),
    Gain("MON Gain"),
    Check({"BUSY", "BUSY"}),
    Check({"ECHO", "ECHO"}),
    Check({"HI-CUT", "HI-CUT"}),
    Check({"+10KHz", "+10KHz"}),
    Check({"NB/ANL", "NB/ANL"}),
    Check({"RB", "RB"}),
    Check({"SWR Protect Enabled", "驻波保护使能"}),
    Check({"DC Protect Enabled", "低电压保护使能"}),
    Tone({"Single Tone[Hz]", "单音[Hz]"}),
    {{"Clarifier Mode", "Clarifier Mode"},
     Shown::Items,
     0,
     2,
     0,
     1,
     {{{"Rx/Tx Frequency", "接收/发射 频率"}, {"Fine", "细调"}, {"Tx Frequency", "发射频率"}}}},
    {{"Push Mode", "Push Mode"},
     Shown::Items,
     0,
     2,
     0,
     1,
     {{{"Coarse", "粗调"}, {"Step Frequency", "频率步进"}, {"Tx Frequency", "发射频率"}}}},
    Gain("CW SIDE VOL"),
    Gain("BEEP VOL"),
}};

// ---- keys and scan --------------------------------------------------------------------------

// Function texts by key code 0..11 (1 and 0 both show "Reserved1"); 255 is "None".
constexpr std::array<Bilingual, 12> kKeyFunctions{{
    {"Reserved1", "保留1"},
    {"Reserved1", "保留1"},
    {"Key Lock", "按键锁定"},
    {"Key Lock with Backup", "按键锁定及备份"},
    {"Monitor", "监听"},
    {"Monitor Momentary", "监听瞬时"},
    {"Scan", "扫描"},
    {"Scan+Temporary Delete", "扫描+暂时删除"},
    {"Reserved2", "保留2"},
    {"Squelch Off", "取消静噪"},
    {"Squelch Off Momentary", "瞬时取消静噪"},
    {"Temporary Delete", "暂时删除"},
}};
constexpr int kKeyNone = 255;

constexpr std::array<Bilingual, 7> kScanLabels{{
    {"Priority", "优先"},
    {"Priority Channel", "优先信道"},
    {"Look Back Time A[s]", "回扫时间A[秒]"},
    {"Look Back Time B[s]", "回扫时间B[秒]"},
    {"Revert Channel", "返回信道"},
    {"Dropout Delay Time[s]", "扫描接收恢复延迟时间[秒]"},
    {"TX Dwell Time[s]", "扫描发射恢复延迟时间[秒]"},
}};
constexpr std::array<Bilingual, 3> kPriorityItems{
    {{"None", "无"}, {"Fixd", "固定"}, {"Selected", "选定"}}};
constexpr std::array<Bilingual, 4> kRevertItems{{
    {"Selected", "选定"},
    {"Selected+Talk Back", "选定+当前通话"},
    {"Priority", "优先"},
    {"Priority+Talk Back", "优先+当前通话"},
}};
constexpr int kNoPriorityChannel = 255;

// ---- HTML -----------------------------------------------------------------------------------

class Page {
 public:
  explicit Page(UiContext& ctx) : ctx_(ctx) {}

  QString t(const Bilingual& text) const { return ctx_.pick(text).toHtmlEscaped(); }
  template <std::size_t N>
  QString item(const std::array<Bilingual, N>& items, int value) const {
    return value >= 0 && value < static_cast<int>(N) ? t(items[static_cast<std::size_t>(value)])
                                                     : QString::fromUtf8(kUnknown);
  }

  // A section opens with its heading and the document line. Long sections (a group's channels,
  // the options) start a new sheet, and so does whatever follows them; short ones share one.
  void heading(const QString& title, bool longSection) {
    if (first_)
      html_ += QStringLiteral("<h2>");
    else if (longSection || previousLong_)
      html_ += QStringLiteral("<h2 style=\"page-break-before: always\">");
    else
      html_ += QStringLiteral("<h2 style=\"margin-top: 24px\">");
    first_ = false;
    previousLong_ = longSection;
    html_ += title + QStringLiteral("</h2>");
    const DocState& state = ctx_.doc().state();
    html_ += QStringLiteral("<p class=\"doc\">") +
             QString::fromStdString(MainWindowCaption(ctx_.state().modelName, state.bandText,
                                                      state.fileName, ctx_.language()))
                 .toHtmlEscaped() +
             QStringLiteral("</p>");
  }
  void paragraph(const QString& text) {
    html_ += QStringLiteral("<p>") + text + QStringLiteral("</p>");
  }

  // Cells are already escaped. widths: per column, in percent of the sheet (none: even).
  void beginTable(const QStringList& headings, const QList<int>& widths = {}) {
    html_ +=
        QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\"><thead><tr>");
    for (int i = 0; i < headings.size(); ++i) {
      html_ += i < widths.size() ? QStringLiteral("<th width=\"%1%\">").arg(widths[i])
                                 : QStringLiteral("<th>");
      html_ += headings[i] + QStringLiteral("</th>");
    }
    html_ += QStringLiteral("</tr></thead><tbody>");
  }
  // align: one letter per column, "c" centred, "l" left; columns beyond it are centred.
  void row(const QStringList& cells, QStringView align = {}) {
    html_ += QStringLiteral("<tr>");
    for (int i = 0; i < cells.size(); ++i) {
      const QChar a = i < align.size() ? align[i] : QLatin1Char('c');
      html_ += QStringLiteral("<td class=\"%1\">").arg(a) + cells[i] + QStringLiteral("</td>");
    }
    html_ += QStringLiteral("</tr>");
  }
  void endTable() { html_ += QStringLiteral("</tbody></table>"); }

  QString html() const { return html_; }
  UiContext& ctx() { return ctx_; }

 private:
  UiContext& ctx_;
  QString html_;
  bool first_ = true;
  bool previousLong_ = false;
};

QString Num(int value) {
  return QString::number(value);
}

void ChannelPages(Page& page) {
  const RadioConfig& record = page.ctx().doc().working();
  const BandEdges& edges = page.ctx().doc().state().edges;
  QStringList headings;
  for (const Bilingual& h : kChannelHeadings) headings << page.t(h);
  bool any = false;
  for (int g = 0; g < kGroupCount; ++g) {
    const int count =
        std::clamp<int>(record.ChCount[static_cast<std::size_t>(g)], 0, kChannelsPerGroup);
    std::vector<const ChInfo*> entries;
    for (int c = 1; c <= count; ++c) entries.push_back(&record.slot(c, g));
    if (entries.empty()) continue;
    // Slots hold channels in the order they were created; the sheet lists them as the grid rows.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ChInfo* a, const ChInfo* b) { return a->ChNum < b->ChNum; });
    any = true;
    const QString letter = QString::fromLatin1(kGroupLetters[static_cast<std::size_t>(g)]);
    page.heading(page.t(kChannelsTitle) + QStringLiteral(" [") + page.t(kGroupLabel) +
                     QLatin1Char(' ') + letter + QLatin1Char(']'),
                 true);
    // The frequencies get the room to stay on one line.
    page.beginTable(headings, {6, 13, 13, 10, 10, 10, 10, 10, 9, 9});
    for (const ChInfo* e : entries) {
      page.row({Num(e->ChNum), QString::fromStdString(FreToText(e->RxFre.text(), edges)),
                QString::fromStdString(FreToText(e->TxFre.text(), edges)),
                page.item(kEnableItems, e->Busy), page.item(kEnableItems, e->Echo),
                page.item(kEnableItems, e->HiCut), page.item(kEnableItems, e->Plus10K),
                page.item(kEnableItems, e->NbAnl), page.item(kEnableItems, e->Rb),
                page.item(kScanItems, e->Scan)});
    }
    page.endTable();
    const int emergency = record.OptFeat[static_cast<std::size_t>(kEmgCh0 + g)];
    page.paragraph(
        letter + QLatin1Char(' ') + page.t(kEmergencyChannel) + QStringLiteral(": ") +
        (emergency >= 0 && emergency < kChannelsPerGroup ? Num(emergency + 1) : page.t(kNone)));
  }
  if (!any) {
    page.heading(page.t(kChannelsTitle), false);
    page.paragraph(page.t(kNoChannels));
  }
}

QString OptionSetting(const Page& page, const OptionRow& row, int v) {
  const bool inRange = v >= row.lo && v <= row.hi;
  switch (row.shown) {
    case Shown::Number:
      if (inRange) return Num((v + row.add) * row.mul);
      break;
    case Shown::Tenths:
      if (inRange) return QString::number(v / 10.0, 'f', 1);
      break;
    case Shown::Items:
      if (inRange) return page.t(row.items[static_cast<std::size_t>(v)]);
      break;
    case Shown::Check:
      if (v == 0 || v == 1) return page.t(v == 1 ? kYes : kNo);
      break;
    case Shown::Emergency:
      if (v == -1) return page.t(kNone);
      if (v >= 0 && v < kChannelsPerGroup) return Num(v + 1);
      break;
    case Shown::OffThenNumber:
      if (v == 0) return page.t(row.items[0]);
      if (inRange) return Num((v + row.add) * row.mul);
      break;
  }
  return QString::fromUtf8(kUnknown);
}

void OptionPage(Page& page) {
  const RadioConfig& record = page.ctx().doc().working();
  page.heading(page.t(kOptionsTitle), true);
  page.beginTable({page.t(kNumberHeading), page.t(kItemHeading), page.t(kSettingHeading),
                   page.t(kStoredHeading)},
                  {7, 53, 25, 15});
  for (int i = 0; i < kOptFeatCount; ++i) {
    const OptionRow& row = kOptionRows[static_cast<std::size_t>(i)];
    QString name = page.t(row.name);
    if (row.shown == Shown::Emergency) name += QLatin1Char(' ') + page.t(kEmergencyChannel);
    const int value = record.OptFeat[static_cast<std::size_t>(i)];
    page.row({Num(i), name, OptionSetting(page, row, value), Num(value)}, u"clcc");
  }
  page.endTable();
}

void KeyPage(Page& page) {
  const RadioConfig& record = page.ctx().doc().working();
  page.heading(page.t(kKeysTitle), false);
  page.beginTable({page.t(kKeyHeading), page.t(kFunctionHeading), page.t(kStoredHeading)},
                  {20, 60, 20});
  for (std::size_t k = 0; k < record.KeyAssign.size(); ++k) {
    const int code = record.KeyAssign[k];
    const QString function = code == kKeyNone ? page.t(kNone) : page.item(kKeyFunctions, code);
    page.row({QStringLiteral("PF%1").arg(k + 1), function, Num(code)});
  }
  page.endTable();
}

QString ScanSetting(const Page& page, int index, int v) {
  switch (index) {
    case 0:
      return page.item(kPriorityItems, v);
    case 1:
      if (v == kNoPriorityChannel) return page.t(kPriorityItems[0]);
      return v >= 1 ? Num(v) : QString::fromUtf8(kUnknown);
    case 2:
    case 3: {
      if (v < 1 || v > 91) return QString::fromUtf8(kUnknown);
      const int centis = 50 + 5 * (v - 1);  // 0.50 s and 0.05 s steps
      return QStringLiteral("%1.%2").arg(centis / 100).arg(centis % 100, 2, 10, QLatin1Char('0'));
    }
    case 4:
      return page.item(kRevertItems, v);
    default:
      return v >= 0 && v <= 300 ? Num(v) : QString::fromUtf8(kUnknown);
  }
}

void ScanPage(Page& page) {
  const RadioConfig& record = page.ctx().doc().working();
  page.heading(page.t(kScanTitle), false);
  page.beginTable({page.t(kItemHeading), page.t(kSettingHeading), page.t(kStoredHeading)},
                  {50, 30, 20});
  for (int i = 0; i < static_cast<int>(kScanLabels.size()); ++i) {
    const int value = record.ScanInfo[static_cast<std::size_t>(i)];
    page.row(
        {page.t(kScanLabels[static_cast<std::size_t>(i)]), ScanSetting(page, i, value), Num(value)},
        u"lcc");
  }
  page.endTable();
}

void MessagePage(Page& page) {
  const RadioConfig& record = page.ctx().doc().working();
  page.heading(page.t(kMessagesTitle), false);
  page.beginTable({page.t(kMessageHeading), page.t(kTextHeading)}, {20, 80});
  int n = 1;
  for (const FixedText<32>* message : {&record.EmbMsg1, &record.EmbMsg2}) {
    // The radio keeps single-byte characters; whatever a file brought is shown byte for byte.
    const QString text = QString::fromLatin1(message->text()).toHtmlEscaped();
    page.row({page.t(kMessageHeading) + QLatin1Char(' ') + Num(n++),
              QStringLiteral("<span class=\"mono\">%1</span>").arg(text)},
             u"cl");
  }
  page.endTable();
}

const char* const kStyle =
    "<style>"
    "h2 { font-size: 14pt; margin-bottom: 2px; }"
    "p.doc { color: #505050; margin-top: 0px; margin-bottom: 8px; }"
    "table { border-collapse: collapse; border: 1px solid #808080; }"
    "th { background-color: #e4e4e4; border: 1px solid #808080; padding: 2px 3px; font-weight: "
    "bold; }"
    "td { border: 1px solid #808080; padding: 0px 3px; }"
    "td.c { text-align: center; }"
    "td.l { text-align: left; }"
    ".mono { font-family: monospace; white-space: pre; }"
    "</style>";

}  // namespace

QList<PrintPage> AllPrintPages() {
  return {PrintPage::Channels, PrintPage::OptFeatures, PrintPage::KeyAssign, PrintPage::ScanInfo,
          PrintPage::EmbMsg};
}

const Bilingual& PrintPageTitle(PrintPage page) {
  switch (page) {
    case PrintPage::Channels:
      return kChannelsTitle;
    case PrintPage::OptFeatures:
      return kOptionsTitle;
    case PrintPage::KeyAssign:
      return kKeysTitle;
    case PrintPage::ScanInfo:
      return kScanTitle;
    case PrintPage::EmbMsg:
      break;
  }
  return kMessagesTitle;
}

QString PrintPagesHtml(UiContext& ctx, const QList<PrintPage>& pages) {
  Page page(ctx);
  // Pages print in their fixed order whatever order they were chosen in.
  for (PrintPage p : AllPrintPages()) {
    if (!pages.contains(p)) continue;
    switch (p) {
      case PrintPage::Channels:
        ChannelPages(page);
        break;
      case PrintPage::OptFeatures:
        OptionPage(page);
        break;
      case PrintPage::KeyAssign:
        KeyPage(page);
        break;
      case PrintPage::ScanInfo:
        ScanPage(page);
        break;
      case PrintPage::EmbMsg:
        MessagePage(page);
        break;
    }
  }
  return QStringLiteral("<html><head>") + QString::fromLatin1(kStyle) +
         QStringLiteral("</head><body>") + page.html() + QStringLiteral("</body></html>");
}

void RenderPrintPages(UiContext& ctx, const QList<PrintPage>& pages, QPagedPaintDevice& device) {
  QTextDocument document;
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(9);
  // Chinese sheets take one font for both scripts: with a fallback font for the Chinese cells
  // only, rows of mixed cells get uneven heights and split across sheets.
  if (ctx.language() == kChinese) {
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("SimSun"), QStringLiteral("Sans Serif")});
  }
  document.setDefaultFont(font);
  // Columns widen to their longest word rather than split one ("FreQuency", "28.015000").
  QTextOption option = document.defaultTextOption();
  option.setWrapMode(QTextOption::WordWrap);
  document.setDefaultTextOption(option);
  document.setHtml(PrintPagesHtml(ctx, pages));
  // Without a page size of its own the document takes the device's and numbers the sheets.
  document.print(&device);
}

bool PrintPagesToPdf(UiContext& ctx, const QList<PrintPage>& pages, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  {
    QPdfWriter writer(&file);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    writer.setResolution(300);
    writer.setCreator(QString::fromStdString(ctx.state().modelName));
    writer.setTitle(QString::fromStdString(FileNamePart(ctx.doc().state().fileName)));
    RenderPrintPages(ctx, pages, writer);
  }
  file.close();
  return file.error() == QFileDevice::NoError;
}

}  // namespace kr4100
