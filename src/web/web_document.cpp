// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_document.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "core/config/channel_attributes.h"
#include "core/config/channel_bulk.h"
#include "core/config/channel_csv.h"
#include "core/config/data_file.h"
#include "core/config/model_band.h"
#include "core/config/record_diff.h"
#include "core/config/record_fields.h"
#include "core/config/version_table.h"
#include "core/texts/channel_bulk_texts.h"
#include "core/texts/channel_texts.h"
#include "core/texts/messages.h"
#include "core/texts/web_texts.h"

namespace kr4100::web {
namespace {

int gLanguage = kEnglish;

// As many refused rows as a message box shows on the desktop.
constexpr std::size_t kProblemsShown = 20;

// "RxFre" -> "rxFre": the page's keys are the field table's names in its own spelling, and the
// frequencies by their labels ("rxFrequency"), as a reader of the page's code looks for them.
std::string KeyOf(const ChannelField& field) {
  std::string key = field.kind == ChannelFieldKind::Frequency ? field.label->en : field.name;
  std::string out;
  bool upper = false;
  for (char c : key) {
    if (c == ' ') {
      upper = true;
      continue;
    }
    out += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    upper = false;
  }
  // "RX frequency" -> "rxFrequency", "ChNum" -> "chNum".
  std::size_t lead = 0;
  while (lead < out.size() && std::isupper(static_cast<unsigned char>(out[lead]))) ++lead;
  const std::size_t lower = lead > 1 && lead < out.size() ? lead - 1 : lead;
  for (std::size_t i = 0; i < lower; ++i)
    out[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(out[i])));
  return out;
}

const ChannelField* GridField(const std::string& key) {
  for (const ChannelField& f : kChannelFields)
    if (f.column != kNoColumn && KeyOf(f) == key) return &f;
  return nullptr;
}

// The row's channel number: row r shows channel r + 1, as the desktop grid's rows do.
int ChNumOfRow(int row) {
  return row + 1;
}

std::vector<int> ChNumsOfRows(const std::vector<int>& rows) {
  std::vector<int> out;
  for (int row : rows)
    if (row >= 0 && row < kChannelsPerGroup) out.push_back(ChNumOfRow(row));
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

int ColumnWidth(int column, int language) {
  std::size_t width = std::string_view(ChannelHeading(column).in(language)).size();
  if (column == kColRxFre || column == kColTxFre) width = std::max<std::size_t>(width, 10);
  if (const ChannelAttribute* a = AttributeOfColumn(column))
    for (const Bilingual& word : a->words)
      width = std::max(width, std::string_view(word.in(language)).size() + 2);  // and the arrow
  return static_cast<int>(std::max<std::size_t>(width, 4));
}

// The caption of a bulk command, as the undo step names it.
std::string CommandCaption(const std::string& command, int language) {
  const Bilingual* caption = command == "fill"       ? &kFillCaption
                             : command == "moveUp"   ? &kBulkMoveUp
                             : command == "moveDown" ? &kBulkMoveDown
                             : command == "insert"   ? &kBulkInsert
                             : command == "delete"   ? &kBulkDelete
                             : command == "sort"     ? &kBulkSort
                                                     : &kBulkSetAttribute;
  return PlainCaption(caption->in(language));
}

Outcome Refused(MessageId id) {
  return {false, MessageText(id, Language())};
}

}  // namespace

int Language() {
  return gLanguage;
}
void SetLanguage(int language) {
  gLanguage = language == kChinese ? kChinese : kEnglish;
}

WebDocument::WebDocument(int band)
    : WebDocument([band] {
        auto doc = std::make_unique<Document>();
        doc->setModelAndBand(kDefaultModelCode, BandTextOf(band == 1 ? 1 : 0, kDefaultModelCode));
        // No template folder: the templates are what a new document without one is.
        doc->InitNewDocument();
        return doc;
      }()) {}

WebDocument::WebDocument(std::unique_ptr<Document> doc) : doc_(std::move(doc)), undo_(*doc_) {
  watchWarnings();
}

void WebDocument::watchWarnings() {
  doc_->setWarningSink([this](MessageId id) { warnings_.push_back(id); });
}

std::string WebDocument::takeWarnings() {
  std::string out;
  for (MessageId id : warnings_) {
    if (!out.empty()) out += "\n";
    out += MessageText(id, Language());
  }
  warnings_.clear();
  return out;
}

int WebDocument::bandCode() const {
  return BandCodeOf(doc_->state().bandText, doc_->state().modelText);
}

std::string WebDocument::caption() const {
  const DocState& state = doc_->state();
  std::string text =
      MainWindowCaption(kDefaultModelName, state.bandText, state.fileName, Language());
  if (modified()) text += " *";
  return text;
}

std::vector<std::uint8_t> WebDocument::save() {
  const DataFileBytes bytes = SaveDataBytes(*doc_);
  return {bytes.begin(), bytes.end()};
}

int WebDocument::groupCount() {
  return kGroupCount;
}

std::string WebDocument::groupCaption(int group) const {
  if (group < 0 || group >= kGroupCount) return {};
  const char* letter = kGroupLetters[static_cast<std::size_t>(group)];
  return std::string(kGroupLabel.in(Language())) + (Language() == kChinese ? "" : " ") + letter;
}

std::vector<GridColumn> WebDocument::columns() const {
  std::vector<GridColumn> out;
  for (const ChannelField* f : kChannelFieldsShown) {
    if (f->column == kNoColumn) continue;
    GridColumn column{KeyOf(*f),
                      ChannelHeading(f->column).in(Language()),
                      "number",
                      {},
                      ColumnWidth(f->column, Language())};
    if (f->kind == ChannelFieldKind::Frequency) column.kind = "frequency";
    if (const ChannelAttribute* a = AttributeOfField(*f)) {
      column.kind = "switch";
      for (const Bilingual& word : a->words) column.choices.emplace_back(word.in(Language()));
    }
    out.push_back(std::move(column));
  }
  return out;
}

int WebDocument::rowCount(int group) const {
  if (group < 0 || group >= kGroupCount) return 0;
  int highest = 0;
  const RadioConfig& r = doc_->working();
  for (int slot = 1; slot <= r.usedChannels(group); ++slot)
    highest = std::max<int>(highest, r.slot(slot, group).ChNum);
  return std::min(highest + 1, kChannelsPerGroup);
}

std::string WebDocument::cell(int group, int row, const std::string& column) const {
  const ChannelField* field = GridField(column);
  if (field == nullptr || group < 0 || group >= kGroupCount || row < 0 || row >= kChannelsPerGroup)
    return {};
  const int chNum = ChNumOfRow(row);
  if (field->kind == ChannelFieldKind::Number) return std::to_string(chNum);
  const ChInfo* entry = doc_->working().findChannel(group, chNum);
  if (entry == nullptr) return {};
  if (field->kind == ChannelFieldKind::Frequency)
    return FreToText((entry->*field->text).text(), doc_->state().edges);
  if (const ChannelAttribute* a = AttributeOfField(*field)) {
    // A value from a foreign file that is neither 0 nor 1 shows as an empty cell.
    const Bilingual* word = WordOfValue(*a, entry->*a->member);
    return word ? word->in(Language()) : std::string();
  }
  return {};
}

Outcome WebDocument::setCell(int group, int row, const std::string& column,
                             const std::string& text) {
  const ChannelField* field = GridField(column);
  if (field == nullptr || field->kind == ChannelFieldKind::Number || group < 0 ||
      group >= kGroupCount || row < 0 || row >= kChannelsPerGroup)
    return {false, {}};
  doc_->SelectGroup(group);
  std::string value = text;
  if (const ChannelAttribute* a = AttributeOfField(*field)) {
    // A switch stores its word's index; either language's word, or the index itself.
    value.clear();
    for (std::size_t k = 0; k < a->words.size(); ++k)
      if (text == a->words[k].en || text == a->words[k].zh || text == std::to_string(k))
        value = std::to_string(k);
    if (value.empty()) return Refused(MessageId::InvalidData);
    // A switch of a row without a channel stays empty, as the desktop grid's list does.
    if (!doc_->working().findChannel(group, ChNumOfRow(row))) return {false, {}};
  }
  warnings_.clear();
  const bool stored = doc_->SetChannelValue(ChNumOfRow(row), field->column, value);
  undo_.checkpoint();
  return {stored, takeWarnings()};
}

Outcome WebDocument::bulk(int group, const std::vector<int>& rows, const std::string& command,
                          const std::string& arg) {
  if (group < 0 || group >= kGroupCount) return {false, {}};
  const std::vector<int> chNums = ChNumsOfRows(rows);
  const RadioConfig before = doc_->working();
  BulkOutcome done;
  if (command == "switchOn" || command == "switchOff") {
    const ChannelField* field = GridField(arg);
    if (field == nullptr || field->kind != ChannelFieldKind::Switch) return {false, {}};
    const Integer value = command == "switchOn" ? 1 : 0;
    done = doc_->EditChannels([&](RadioConfig& r) {
      return SetAttributeOfChannels(r, group, chNums, field->column, value);
    });
  } else if (command == "moveUp" || command == "moveDown") {
    done = doc_->EditChannels(
        [&](RadioConfig& r) { return MoveRows(r, group, chNums, command == "moveUp" ? -1 : 1); });
  } else if (command == "insert") {
    done = doc_->EditChannels([&](RadioConfig& r) { return InsertEmptyRows(r, group, chNums); });
  } else if (command == "delete") {
    done = doc_->EditChannels([&](RadioConfig& r) { return DeleteChannels(r, group, chNums); });
  } else if (command == "sort") {
    done = doc_->EditChannels([&](RadioConfig& r) { return SortByRxFrequency(r, group); });
  } else {
    return {false, {}};
  }
  return finishBulk(command, before, done);
}

Outcome WebDocument::finishBulk(const std::string& command, const RadioConfig& before,
                                const BulkOutcome& done) {
  const int language = Language();
  if (done.refusal) return {false, BulkRefusalText(done, language)};
  const BulkCommandText said =
      DescribeBulkCommand(CommandCaption(command, language), before, doc_->working(), language);
  undo_.checkpoint(said.text);
  // The command's name is for the undo step; only the priority channel's change is news.
  return {true, said.priorityChannelChanged ? said.text : std::string()};
}

Outcome WebDocument::fill(int group, const std::vector<int>& rows, const FillRequest& request) {
  if (group < 0 || group >= kGroupCount) return {false, {}};
  const ParsedFillSteps parsed = ParseFillSteps(request.start, request.step, request.offset);
  if (!parsed.steps) return Refused(parsed.refusal.value_or(MessageId::FillNotNumbers));
  const FillPlan plan = request.count > 0
                            ? PlanFillNewChannels(doc_->working(), group, request.count,
                                                  *parsed.steps, doc_->state().edges)
                            : PlanFillOverRows(doc_->working(), group, ChNumsOfRows(rows),
                                               *parsed.steps, doc_->state().edges);
  if (plan.refusal) return Refused(*plan.refusal);
  if (!plan.refused.empty()) {
    // Before anything changes: which channels would leave the band, and whether to go on.
    const FillRefusalText said =
        DescribeFillRefusal(plan, doc_->state().bandText, Language(), kProblemsShown);
    if (!said.canFillRest || !request.rest) return {false, said.text, said.canFillRest};
  }
  if (plan.channels.empty()) return {false, {}};
  const RadioConfig before = doc_->working();
  const BulkOutcome done = doc_->EditChannels([&](RadioConfig& r) { return ApplyFill(r, plan); });
  return finishBulk("fill", before, done);
}

EmergencyChoice WebDocument::emergency(int group) const {
  if (group < 0 || group >= kGroupCount) return {};
  const RadioConfig& r = doc_->working();
  // Labelled as the desktop labels its list: the group's letter, then the words.
  EmergencyChoice out{std::string(kGroupLetters[static_cast<std::size_t>(group)]) + " " +
                          kEmergencyChannel.in(Language()),
                      {},
                      {}};
  for (int n : r.channelNumbers(group)) out.choices.push_back(std::to_string(n));
  const int chosen = r.OptFeat[static_cast<std::size_t>(kEmgCh0 + group)] + 1;
  if (r.findChannel(group, chosen)) out.value = std::to_string(chosen);
  return out;
}

Outcome WebDocument::setEmergency(int group, const std::string& chNum) {
  const EmergencyChoice offered = emergency(group);
  // Only a channel the list offers: the desktop's list has no other entries to choose.
  if (std::find(offered.choices.begin(), offered.choices.end(), chNum) == offered.choices.end())
    return {false, {}};
  doc_->SetEmergencyChannel(group, std::atoi(chNum.c_str()));
  undo_.checkpoint();
  return {true, {}};
}

std::string WebDocument::exportCsv() const {
  return ExportChannelsCsv(doc_->working(), doc_->state().edges);
}

Outcome WebDocument::importCsv(const std::string& text) {
  const ChannelTablesResult result = ImportChannelsCsv(text, doc_->state().edges);
  if (!result.ok())
    return {false, std::string(MessageText(MessageId::ChannelsNotImported, Language())) + "\r\n" +
                       DescribeCsvProblems(result.problems, doc_->state().edges, Language(),
                                           kProblemsShown)};
  doc_->ReplaceChannelTables(result.tables);
  undo_.checkpoint();  // the whole import is one undo step
  return {true, {}};
}

Comparison WebDocument::compareWith(std::span<const std::uint8_t> bytes,
                                    const std::string& name) const {
  Document other;
  const FileOutcome opened = OpenDataBytes(other, bytes, name, VersionTable::BuiltIn());
  if (!opened.ok()) return {{false, opened.message(Language())}, {}};
  Comparison out{{true, {}}, {}};
  for (const FieldDifference& d : DiffRecords(doc_->working(), other.working(), Language()))
    out.lines.push_back(DifferenceLine(d, Language()));
  return out;
}

Opened OpenDocument(std::span<const std::uint8_t> bytes, const std::string& name) {
  auto doc = std::make_unique<Document>();
  const FileOutcome opened = OpenDataBytes(*doc, bytes, name, VersionTable::BuiltIn());
  if (!opened.ok()) return {nullptr, {false, opened.message(Language())}};
  return {std::make_unique<WebDocument>(std::move(doc)), {true, {}}};
}

}  // namespace kr4100::web
