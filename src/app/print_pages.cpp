// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/editor_areas.h"
#include "core/config/channel_attributes.h"
#include "core/config/conversions.h"
#include "core/config/embedded_message.h"
#include "core/config/key_tables.h"
#include "core/config/option_tables.h"
#include "core/config/record_fields.h"
#include "core/config/record_fields_blocks.h"
#include "core/config/scan_tables.h"
#include "core/texts/channel_texts.h"
#include "platform/radio_text.h"

namespace kr4100 {
namespace {

// ---- texts ----------------------------------------------------------------------------------

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
const char* const kUnknown = "—";  // a stored value no list offers

// ---- HTML -----------------------------------------------------------------------------------

class Page {
 public:
  explicit Page(UiContext& ctx) : ctx_(ctx) {}

  QString t(const Bilingual& text) const { return ctx_.pick(text).toHtmlEscaped(); }
  int language() const { return ctx_.language(); }
  // A text from the settings tables, or the mark of a stored value no list offers.
  QString shown(const std::optional<std::string>& text) const {
    return text ? QString::fromUtf8(*text).toHtmlEscaped() : QString::fromUtf8(kUnknown);
  }
  QString shown(const std::optional<Bilingual>& text) const {
    return text ? t(*text) : QString::fromUtf8(kUnknown);
  }
  template <std::size_t N>
  QString item(const std::array<Bilingual, N>& items, int value) const {
    return value >= 0 && value < static_cast<int>(N) ? t(items[static_cast<std::size_t>(value)])
                                                     : QString::fromUtf8(kUnknown);
  }

  // A section opens with its heading and the document line. Long sections (a group's channels,
  // the options) start a new sheet, and so does whatever follows them; short ones share one.
  enum class Length { Short, Long };
  void heading(const QString& title, Length length) {
    const bool longSection = length == Length::Long;
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
  for (int c = 0; c < kChannelColumnCount; ++c) headings << page.t(ChannelHeading(c));
  // The frequencies get the room to stay on one line; the switches share the rest.
  QList<int> widths{6, 13, 13};
  const int rest = 100 - 6 - 13 - 13;
  for (int k = 0; k < kChannelAttributeCount; ++k)
    widths.push_back(rest / kChannelAttributeCount + (k < rest % kChannelAttributeCount ? 1 : 0));
  bool any = false;
  for (int g = 0; g < kGroupCount; ++g) {
    std::vector<const ChInfo*> entries;
    for (int c = 1; c <= record.usedChannels(g); ++c) entries.push_back(&record.slot(c, g));
    if (entries.empty()) continue;
    // Slots hold channels in the order they were created; the sheet lists them as the grid rows.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ChInfo* a, const ChInfo* b) { return a->ChNum < b->ChNum; });
    any = true;
    const QString letter = QString::fromLatin1(kGroupLetters[static_cast<std::size_t>(g)]);
    page.heading(page.t(PrintPageTitle(PrintPage::Channels)) + QStringLiteral(" [") +
                     page.t(kGroupLabel) + QLatin1Char(' ') + letter + QLatin1Char(']'),
                 Page::Length::Long);
    page.beginTable(headings, widths);
    for (const ChInfo* e : entries) {
      QStringList cells;
      for (const ChannelField* f : kChannelFieldsShown) {
        if (!f->printed) continue;
        if (f->text)
          cells << QString::fromStdString(FreToText((e->*f->text).text(), edges));
        else if (const ChannelAttribute* a = AttributeOfField(*f))
          cells << page.item(a->words, e->*f->number);
        else
          cells << Num(e->*f->number);
      }
      page.row(cells);
    }
    page.endTable();
    const int emergency = record.OptFeat[static_cast<std::size_t>(kEmgCh0 + g)];
    page.paragraph(
        letter + QLatin1Char(' ') + page.t(kEmergencyChannel) + QStringLiteral(": ") +
        (emergency >= 0 && emergency < kChannelsPerGroup ? Num(emergency + 1) : page.t(kNoneWord)));
  }
  if (!any) {
    page.heading(page.t(PrintPageTitle(PrintPage::Channels)), Page::Length::Short);
    page.paragraph(page.t(kNoChannels));
  }
}

QString OptionSetting(const Page& page, int field, int v) {
  if (const OptionList* list = OptionListOfField(field))
    return page.shown(ItemTextOfStored(list->items, v, page.language()));
  if (OptionCheckOfField(field)) {
    if (v == 0 || v == 1) return page.t(v == 1 ? kYes : kNo);
    return QString::fromUtf8(kUnknown);
  }
  // The emergency channel of a group, kept as its channel number − 1.
  if (v == -1) return page.t(kNoneWord);
  if (v >= 0 && v < kChannelsPerGroup) return Num(v + 1);
  return QString::fromUtf8(kUnknown);
}

QString OptionName(const Page& page, int field) {
  const QString label = page.t(OptionFeatureLabel(field));
  if (kOptionFeatures[static_cast<std::size_t>(field)].image != OptionImage::Emergency)
    return label;
  const char* letter = kGroupLetters[static_cast<std::size_t>(field - kEmgCh0)];
  return QString::fromLatin1(letter) + QLatin1Char(' ') + label;
}

void OptionPage(Page& page) {
  const RadioConfig& record = page.ctx().doc().working();
  page.heading(page.t(PrintPageTitle(PrintPage::OptFeatures)), Page::Length::Long);
  page.beginTable({page.t(kNumberHeading), page.t(kItemHeading), page.t(kSettingHeading),
                   page.t(kStoredHeading)},
                  {7, 53, 25, 15});
  for (int i = 0; i < kOptFeatCount; ++i) {
    const int value = record.OptFeat[static_cast<std::size_t>(i)];
    page.row({Num(i), OptionName(page, i), OptionSetting(page, i, value), Num(value)}, u"clcc");
  }
  page.endTable();
}

void KeyPage(Page& page) {
  const RadioConfig& record = page.ctx().doc().working();
  page.heading(page.t(PrintPageTitle(PrintPage::KeyAssign)), Page::Length::Short);
  page.beginTable({page.t(kKeyHeading), page.t(kFunctionHeading), page.t(kStoredHeading)},
                  {20, 60, 20});
  for (std::size_t k = 0; k < record.KeyAssign.size(); ++k) {
    const int code = record.KeyAssign[k];
    page.row({page.t(kKeyAssignFields[k].label),
              QString::fromStdString(KeyShownText(code, page.language())).toHtmlEscaped(),
              Num(code)});
  }
  page.endTable();
}

QString ScanSettingText(const Page& page, ScanSetting setting, int v,
                        const ScanListContext& context) {
  // The sheet names the stored revert code itself, whichever items the priority mode offers.
  if (setting == ScanSetting::Revert) return page.shown(RevertText(v));
  if (const auto position = ItemIndexOfStored(setting, v, context)) {
    return page.shown(
        ScanItemTexts(setting, context, page.language())[static_cast<std::size_t>(*position)]);
  }
  // A channel number beyond the model's list is still the channel the record names.
  if (setting == ScanSetting::PriorityChannel && v >= 1) return Num(v);
  return QString::fromUtf8(kUnknown);
}

void ScanPage(Page& page) {
  const RadioConfig& record = page.ctx().doc().working();
  const ScanListContext context = ScanListContextOf(record, page.ctx().doc().state().modelText);
  page.heading(page.t(PrintPageTitle(PrintPage::ScanInfo)), Page::Length::Short);
  page.beginTable({page.t(kItemHeading), page.t(kSettingHeading), page.t(kStoredHeading)},
                  {50, 30, 20});
  for (int i = 0; i < kScanSettingCount; ++i) {
    const auto setting = static_cast<ScanSetting>(i);
    const int value = record.ScanInfo[static_cast<std::size_t>(i)];
    page.row(
        {page.t(ScanCaption(setting)), ScanSettingText(page, setting, value, context), Num(value)},
        u"lcc");
  }
  page.endTable();
}

void MessagePage(Page& page) {
  const RadioConfig& record = page.ctx().doc().working();
  page.heading(page.t(PrintPageTitle(PrintPage::EmbMsg)), Page::Length::Short);
  page.beginTable({page.t(kMessageHeading), page.t(kTextHeading)}, {20, 80});
  std::size_t n = 0;
  for (const EmbMsgText* message : {&record.EmbMsg1, &record.EmbMsg2}) {
    // As the message window shows it: a Chinese message from a radio prints as Chinese.
    const QString text = FromRadioText(message->text()).toHtmlEscaped();
    page.row(
        {page.t(kEmbMsgLabels[n++]), QStringLiteral("<span class=\"mono\">%1</span>").arg(text)},
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

// Each page's writer, by its page.
constexpr std::pair<PrintPage, void (*)(Page&)> kPageWriters[] = {
    {PrintPage::Channels, &ChannelPages},
    {PrintPage::OptFeatures, &OptionPage},
    {PrintPage::KeyAssign, &KeyPage},
    {PrintPage::ScanInfo, &ScanPage},
    {PrintPage::EmbMsg, &MessagePage}};

}  // namespace

QList<PrintPage> AllPrintPages() {
  QList<PrintPage> pages;
  for (const EditorArea& area : EditorAreas())
    if (area.printPage) pages << *area.printPage;
  return pages;
}

const Bilingual& PrintPageTitle(PrintPage page) {
  return *AreaOfPrintPage(page)->printTitle;
}

QString PrintPagesHtml(UiContext& ctx, const QList<PrintPage>& pages) {
  Page page(ctx);
  // Pages print in their fixed order whatever order they were chosen in.
  for (PrintPage p : AllPrintPages()) {
    if (!pages.contains(p)) continue;
    for (const auto& [writes, write] : kPageWriters)
      if (writes == p) write(page);
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
