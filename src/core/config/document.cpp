// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/document.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>
#include <utility>

#include "core/config/channel_bulk.h"
#include "core/config/channel_csv.h"
#include "core/config/data_file_codec.h"
#include "core/config/embedded_message.h"
#include "core/config/file_io.h"
#include "core/config/numbers.h"
#include "core/config/record_fields.h"
#include "core/config/record_fields_blocks.h"
#include "core/config/test_fre_edit.h"

namespace kr4100 {
namespace {

// Counts come from files too; never let one index past its table.
int UsedCount(int count, int slots) {
  return std::clamp(count, 0, slots);
}

// The text of a fixed field up to its first NUL, blanks kept.
std::string UpToNul(std::string_view raw) {
  return std::string(raw.substr(0, raw.find('\0')));
}

bool SameChannel(const ChInfo& a, const ChInfo& b) {
  return std::all_of(kChannelFields.begin(), kChannelFields.end(), [&](const ChannelField& f) {
    if (!f.compared) return true;
    return f.text ? a.*f.text == b.*f.text : a.*f.number == b.*f.number;
  });
}

bool SameChannelTable(const RadioConfig& w, const RadioConfig& s) {
  for (int g = 0; g < kGroupCount; ++g) {
    if (w.ChCount[static_cast<std::size_t>(g)] != s.ChCount[static_cast<std::size_t>(g)])
      return false;
    const int count = w.usedChannels(g);
    for (int c = 1; c <= count; ++c) {
      const ChInfo& saved = s.slot(c, g);
      // The same channels created in another order are the same document.
      const ChInfo* match =
          w.slot(c, g).ChNum == saved.ChNum ? &w.slot(c, g) : w.findChannel(g, saved.ChNum);
      if (!match || !SameChannel(*match, saved)) return false;
    }
  }
  return true;
}

template <class Entry, std::size_t N>
bool SameList(int countA, const std::array<Entry, N>& a, int countB,
              const std::array<Entry, N>& b) {
  if (countA != countB) return false;
  const int used = UsedCount(countA, static_cast<int>(N));
  return std::equal(a.begin(), a.begin() + used, b.begin());
}

// Each of a's test frequencies is one of b's, found by its grid row (No).
bool EveryTestFrequencyIn(const RadioConfig& a, const RadioConfig& b) {
  const int used = UsedCount(a.TestFreCount, kTestFreSlots);
  const auto first = b.TestFre.begin();
  for (int i = 0; i < used; ++i) {
    const TestFreEntry& entry = a.TestFre[static_cast<std::size_t>(i)];
    const auto match =
        std::find_if(first, first + used, [&](const TestFreEntry& e) { return e.No == entry.No; });
    if (match == first + used || !(*match == entry)) return false;
  }
  return true;
}

// Test frequencies belong to grid rows (No), not to positions, so order does not matter. Both
// ways: a row copied over another would otherwise still find its match.
bool SameTestFrequencies(const RadioConfig& a, const RadioConfig& b) {
  return a.TestFreCount == b.TestFreCount && EveryTestFrequencyIn(a, b) &&
         EveryTestFrequencyIn(b, a);
}

// The parts compared by a rule of their own (the lists and their counts) rather than as a whole.
constexpr std::string_view kPartsWithTheirOwnRule[] = {
    "ChCount", "Ch", "AutodialCount", "Autodial", "TestFreCount", "TestFre",
    "FleetListCount", "FleetList"};

}  // namespace

bool SameDocumentContent(const RadioConfig& w, const RadioConfig& s) {
  // The parts the record field table marks not compared are bookkeeping, not content; every other
  // part takes part as a whole unless its rule is one of the list rules below, so a part added to
  // the table is compared without anyone listing it here (the record field test walks every
  // stored field to prove none is missed).
  bool same = SameChannelTable(w, s) && SameTestFrequencies(w, s) &&
              SameList(w.AutodialCount, w.Autodial, s.AutodialCount, s.Autodial) &&
              SameList(w.FleetListCount, w.FleetList, s.FleetListCount, s.FleetList);
  ForEachField(kRecordParts, [&](const auto& part) {
    if (!same || !part.compared ||
        std::find(std::begin(kPartsWithTheirOwnRule), std::end(kPartsWithTheirOwnRule),
                  part.name) != std::end(kPartsWithTheirOwnRule))
      return;
    same = w.*part.member == s.*part.member;
  });
  return same;
}

bool Document::IsDocumentUnchanged() const {
  return SameDocumentContent(working_, saved_);
}

Document::Document() : today_(LocalToday) {
  state_.edges = SetBandEdges(state_.bandText);
}

void Document::addObserver(DocumentObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void Document::removeObserver(DocumentObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Document::notifyReplaced() {
  for (auto* o : std::vector<DocumentObserver*>(observers_)) o->documentReplaced();
}

void Document::notifyEdited() {
  for (auto* o : std::vector<DocumentObserver*>(observers_)) o->recordEdited();
}

void Document::SelectGroup(int group) {
  working_.CurGroup = static_cast<Integer>(group);
}

void Document::SetEmergencyChannel(int group, int chNum) {
  if (group < 0 || group >= kGroupCount) return;
  working_.OptFeat[static_cast<std::size_t>(kEmgCh0 + group)] = static_cast<Integer>(chNum - 1);
  notifyEdited();
}

void Document::setModelAndBand(std::string modelText, std::string bandText) {
  state_.modelText = std::move(modelText);
  state_.bandText = std::move(bandText);
  state_.edges = SetBandEdges(state_.bandText);
}

void Document::SyncModelInfo() {
  ModelInfo& m = working_.ModelInfo;
  m.ModelCode = state_.modelText + '\0';
  // The band lookup trims the model text it is given, and what follows sees the trimmed text.
  state_.modelText = std::string(Trim(state_.modelText));
  m.BandType = static_cast<Integer>(BandCodeOf(state_.bandText, state_.modelText));
  m.ModelType = static_cast<Integer>(ModelTypeOf(state_.modelText));
  m.ModelName = state_.modelText + '\0';
}

void Document::SyncDocState() {
  const ModelInfo& m = working_.ModelInfo;
  state_.modelText = UpToNul(m.ModelCode.raw());
  state_.bandText = BandTextOf(m.BandType, state_.modelText);
  state_.edges = SetBandEdges(state_.bandText);
}

void Document::CommitWorkingCopy() {
  SyncModelInfo();
  working_.Version = kRecordVersionTag;
  saved_ = working_;
}

void Document::RestoreWorkingCopy() {
  working_ = saved_;
  SyncDocState();
}

void Document::LoadSaved(const RadioConfig& fromFile) {
  saved_ = fromFile;
  RestoreWorkingCopy();
  notifyReplaced();
}

void Document::ReplaceWorking(const RadioConfig& record) {
  working_ = record;
  SyncDocState();
  notifyReplaced();
}

void Document::RestoreWorking(const RadioConfig& record, std::string modelText,
                              std::string bandText) {
  working_ = record;
  setModelAndBand(std::move(modelText), std::move(bandText));
  notifyReplaced();
}

bool Document::ReadTemplate(const std::filesystem::path& path) {
  const auto bytes = ReadFilePrefix(path, layout::kDataFileSize);
  return ReadTemplateBytes(bytes ? std::span<const std::uint8_t>(*bytes)
                                 : std::span<const std::uint8_t>());
}

bool Document::ReadTemplateBytes(std::span<const std::uint8_t> content) {
  if (content.size() < layout::kDataFileSize) {
    CommitWorkingCopy();
    return false;
  }
  saved_ = DecodeDataFile(content.first<layout::kDataFileSize>());
  RestoreWorkingCopy();
  notifyReplaced();
  return true;
}

void Document::setDefaultTestFrequencies() {
  working_.TestFreCount = 6;
  for (int i = 1; i <= 6; ++i) {
    TestFreEntry& e = working_.TestFre[static_cast<std::size_t>(i - 1)];
    e.No = static_cast<Integer>(i);
    e.RxFre = DefaultTestFreStored(false, i, state_.bandText, state_.edges);
    e.TxFre = DefaultTestFreStored(true, i, state_.bandText, state_.edges);
    e.RxMark = kTestFreMarkDefault;
    e.TxMark = kTestFreMarkDefault;
  }
}

void Document::fillDefaults() {
  // Start from an empty record so a new document never carries stale slots of the last one.
  working_ = RadioConfig{};
  RadioConfig& r = working_;
  r.Version = kRecordVersionTag;
  r.CurGroup = 0;

  static constexpr const char* kFirstChannel[kGroupCount] = {"28.015000", "28.145000", "28.115000",
                                                             "28.085000", "28.055000", "28.025000"};
  for (int g = 0; g < kGroupCount; ++g) AppendChannel(1, g, kFirstChannel[g]);

  for (const OptionFeature& f : kOptionFeatures)
    r.OptFeat[static_cast<std::size_t>(f.index)] = f.byDefault;
  r.KeyAssign = DefaultsOf(kKeyAssignFields);
  r.ScanInfo = DefaultsOf(kScanInfoFields);
  r.Dtmf = DefaultsOf<DtmfSettings>();
  r.Fleet = DefaultsOf<FleetSyncSettings>();
  setDefaultTestFrequencies();
  r.EmbMsg1 = kNoText<kEmbMsgLength>;
  r.EmbMsg2 = kNoText<kEmbMsgLength>;

  ModelInfo& m = r.ModelInfo;
  m = DefaultsOf<ModelInfo>();
  m.BandType2 = static_cast<Integer>(BandCodeOf(state_.bandText, state_.modelText));
  state_.modelText = std::string(Trim(state_.modelText));
  m.ModelName = state_.modelText + '\0';
  m.ProgDate = EightDigitDate(today_());
}

std::string TemplateFileName(int bandCode, TemplateKind kind) {
  return std::to_string(bandCode) +
         (kind == TemplateKind::NewDocument ? "_KR-4100_New.dat" : "_KR-4100.dat");
}

void Document::ResetToNewDocument(TemplateKind kind) {
  fillDefaults();
  if (!templateDir_.empty()) {
    const int band = BandCodeOf(state_.bandText, state_.modelText);
    // A template brings the settings of a new document, not its model and band: those are what
    // the user chose (model dialog, band list) and would otherwise fall back to the template's.
    std::string modelText = state_.modelText;
    std::string bandText = state_.bandText;
    ReadTemplate(templateDir_ / TemplateFileName(band, kind));
    setModelAndBand(std::move(modelText), std::move(bandText));
  }
  CommitWorkingCopy();
  notifyReplaced();
}

void Document::InitNewDocument() {
  state_.neverSaved = true;
  state_.fileName = kNewDocumentName;
  ResetToNewDocument(TemplateKind::NewDocument);
}

int Document::FindChannelSlot(int chNum, int group) const {
  const ChInfo* entry = working_.findChannel(group, chNum);
  return entry ? static_cast<int>(entry - working_.Ch[static_cast<std::size_t>(group)].data()) + 1
               : 0;
}

void Document::AppendChannel(int chNum, int group, std::string_view freText) {
  if (group < 0 || group >= kGroupCount) return;
  Integer& count = working_.ChCount[static_cast<std::size_t>(group)];
  const int used = working_.usedChannels(group);
  if (used >= kChannelsPerGroup) return;
  count = static_cast<Integer>(used + 1);
  ChInfo& e = working_.slot(count, group);
  e.ChNum = static_cast<Integer>(chNum);
  e.ChUsed = 1;
  e.RxFre = FreToStore(freText, state_.edges);
  e.TxFre = FreToStore(freText, state_.edges);
  for (const ChannelAttribute& a : kChannelAttributes) e.*a.member = a.newChannel;
}

void Document::DeleteChannelSlot(int slot, int group) {
  if (group < 0 || group >= kGroupCount) return;
  const int used = working_.usedChannels(group);
  if (slot < 1 || slot > used) return;
  for (int c = slot; c < used; ++c) working_.slot(c, group) = working_.slot(c + 1, group);
  working_.ChCount[static_cast<std::size_t>(group)] = static_cast<Integer>(used - 1);
}

void Document::SetChannelField(ChInfo& entry, int column, std::string_view value) {
  switch (column) {
    case kColRxFre:
      entry.RxFre = FreToStore(value, state_.edges);
      return;
    case kColTxFre:
      entry.TxFre = FreToStore(value, state_.edges);
      return;
    default:
      break;
  }
  const ChannelAttribute* attribute = AttributeOfColumn(column);
  if (!attribute) return;
  const auto number = ParseNumber(value);
  if (!number) return;
  const double rounded = std::nearbyint(*number);  // whole numbers round half to even
  if (rounded < -32768.0 || rounded > 32767.0) return;
  entry.*attribute->member = static_cast<Integer>(rounded);
}

bool Document::SetChannelValue(int chNum, int column, std::string_view valueIn) {
  std::string value(valueIn);
  const bool frequency = column == kColRxFre || column == kColTxFre;
  if (frequency && !value.empty()) {
    value = NormaliseFreText(value, column == kColTxFre, state_.edges, warn_);
    if (value.empty()) {
      // Refused after the range warning: the channel keeps what it had, since only a cell the
      // user emptied deletes one. Its row is shown again over what was typed.
      notifyChannelChanged(chNum);
      return false;
    }
  }

  const int group = working_.currentGroup();
  const int slot = FindChannelSlot(chNum, group);
  if (slot != 0 && column == kColRxFre && value.empty()) {
    // A group keeps at least one channel.
    if (working_.usedChannels(group) > 1) {
      DeleteChannelSlot(slot, group);
      emergencyRecheck();
    }
  } else if (slot != 0) {
    ChInfo& entry = working_.slot(slot, group);
    if (column == kColTxFre && value.empty())
      value = FreToText(entry.RxFre.text(), state_.edges, warn_);
    SetChannelField(entry, column, value);
  } else if (column == kColRxFre && !value.empty()) {
    AppendChannel(chNum, group, value);
    emergencyRecheck();
  }
  notifyChannelChanged(chNum);
  notifyEdited();
  return true;
}

void Document::ReplaceChannelTables(const ChannelTables& tables) {
  working_.ChCount = tables.ChCount;
  working_.Ch = tables.Ch;
  channelTablesEdited();
}

void Document::notifyChannelChanged(int chNum) {
  for (auto* o : std::vector<DocumentObserver*>(observers_)) o->channelChanged(chNum);
}

void Document::emergencyRecheck() {
  for (auto* o : std::vector<DocumentObserver*>(observers_)) o->channelSetChanged();
  RecheckEmergencyChannels(working_);
}

void Document::channelTablesEdited() {
  emergencyRecheck();
  notifyReplaced();
  notifyEdited();
}

}  // namespace kr4100
