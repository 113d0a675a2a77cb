// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/channel_csv.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "core/config/channel_attributes.h"
#include "core/config/document.h"
#include "core/config/numbers.h"
#include "core/config/record_fields.h"
#include "core/texts/channel_texts.h"

namespace kr4100 {
namespace {

constexpr char kComma = ',';
constexpr char kTab = '\t';
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kValueColumns = 2 + kChannelAttributeCount;  // RX, TX and the attributes
constexpr int kCsvColumns = 2 + kValueColumns;  // group letter and channel number first
constexpr int kGridColumns = kChannelColumnCount;  // channel number first

// Only the first heading is ever read back (to skip the row).
constexpr const char* kCsvGroupHeading = "Group";
std::vector<std::string> CsvHeader() {
  std::vector<std::string> header{kCsvGroupHeading, "CH No.", "RX Frequency", "TX Frequency"};
  for (const ChannelAttribute& a : kChannelAttributes) header.emplace_back(a.csvHeading);
  return header;
}

// ---- reading delimited text ------------------------------------------------------------------

struct Record {
  int line = 0;  // where the record starts
  std::vector<std::string> fields;
  bool unclosedQuote = false;
};

bool IsBlank(const Record& r) {
  return std::all_of(r.fields.begin(), r.fields.end(),
                     [](const std::string& f) { return Trim(f).empty(); });
}

// RFC 4180 records: fields split at the delimiter, quoted fields with doubled quotes inside and
// line breaks of their own. CRLF, LF and a lone CR all end a record; lines are counted the same
// way, so a line number is what an editor shows.
std::vector<Record> ReadRecords(std::string_view text, char delimiter) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::vector<Record> records;
  int line = 1;
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto lineBreakAt = [&](std::size_t k) { return text[k] == '\n' || text[k] == '\r'; };
  auto skipLineBreak = [&] {
    if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    ++i;
    ++line;
  };
  while (i < n) {
    Record record;
    record.line = line;
    std::string field;
    bool inQuotes = false;
    bool fieldStart = true;
    bool ended = false;
    while (i < n && !ended) {
      const char c = text[i];
      if (inQuotes) {
        if (c == '"' && i + 1 < n && text[i + 1] == '"') {
          field += '"';
          i += 2;
        } else if (c == '"') {
          inQuotes = false;
          ++i;
        } else if (lineBreakAt(i)) {
          const std::size_t from = i;
          skipLineBreak();
          field.append(text.substr(from, i - from));
        } else {
          field += c;
          ++i;
        }
      } else if (c == '"' && fieldStart) {
        inQuotes = true;
        fieldStart = false;
        ++i;
      } else if (c == delimiter) {
        record.fields.push_back(std::move(field));
        field.clear();
        fieldStart = true;
        ++i;
      } else if (lineBreakAt(i)) {
        skipLineBreak();
        ended = true;
      } else {
        field += c;
        fieldStart = false;
        ++i;
      }
    }
    record.fields.push_back(std::move(field));
    record.unclosedQuote = inQuotes;
    records.push_back(std::move(record));
  }
  return records;
}

// ---- writing ------------------------------------------------------------------------------------
std::string Quoted(std::string_view field, char delimiter) {
  if (field.find_first_of(std::string{delimiter, '"', '\r', '\n'}) == std::string_view::npos)
    return std::string(field);
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

void AppendRow(std::string& out, const std::vector<std::string>& fields, char delimiter,
               std::string_view lineEnd) {
  for (std::size_t k = 0; k < fields.size(); ++k) {
    if (k > 0) out += delimiter;
    out += Quoted(fields[k], delimiter);
  }
  out += lineEnd;
}

// RX, TX and the seven words, as the grid shows them. A value the lists do not hold (a foreign
// file) stays empty, as its grid cell does.
void AppendValues(std::vector<std::string>& fields, const ChInfo& e, const BandEdges& band,
                  int language) {
  for (const ChannelField* f : kChannelFieldsShown) {
    if (f->column < kColRxFre) continue;  // the number goes first, bookkeeping not at all
    const Bilingual* word = f->text ? nullptr : WordOfValue(*AttributeOfField(*f), e.*f->number);
    fields.push_back(f->text ? FreToText((e.*f->text).text(), band)
                             : std::string(word ? word->in(language) : ""));
  }
}

// ---- checking a row -----------------------------------------------------------------------------

struct ChannelValues {
  std::string rx;  // stored forms
  std::string tx;
  std::array<Integer, kChannelAttributeCount> attributes{};
};

bool SameAsciiNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

std::optional<Integer> AttributeValue(const ChannelAttribute& a, std::string_view word) {
  for (std::size_t v = 0; v < a.words.size(); ++v)
    if (SameAsciiNoCase(word, a.words[v].en) || word == a.words[v].zh)
      return static_cast<Integer>(v);
  return std::nullopt;
}

// A frequency under the grid's rules, except that one outside the band is refused, never pulled
// to an edge: a file is not a typing slip.
std::optional<std::string> CheckedFrequency(std::string_view text, int column, int line,
                                            const BandEdges& band, std::vector<CsvProblem>& out) {
  const bool numeric = IsNumeric(text);
  const std::string display = numeric ? NormaliseFreText(text, false, band, {}) : std::string();
  if (display.empty()) {
    out.push_back({.line = line,
                   .kind = numeric ? CsvProblemKind::OutOfBand : CsvProblemKind::NotNumber,
                   .column = column,
                   .value = std::string(text)});
    return std::nullopt;
  }
  return FreToStore(display, band);
}

// Fields from `first` on: RX, TX, seven words. Problems go to `out`; nothing when any was found.
std::optional<ChannelValues> CheckValues(const Record& r, std::size_t first, const BandEdges& band,
                                         std::vector<CsvProblem>& out) {
  const std::size_t before = out.size();
  auto field = [&](std::size_t k) { return Trim(r.fields[first + k]); };
  ChannelValues values;
  std::optional<std::string> rx;
  if (field(0).empty())
    out.push_back({.line = r.line, .kind = CsvProblemKind::RxMissing, .column = kColRxFre});
  else
    rx = CheckedFrequency(field(0), kColRxFre, r.line, band, out);
  // An empty TX is the RX frequency, as in the grid.
  std::optional<std::string> tx =
      field(1).empty() ? rx : CheckedFrequency(field(1), kColTxFre, r.line, band, out);
  for (std::size_t k = 0; k < kChannelAttributes.size(); ++k) {
    const ChannelAttribute& a = kChannelAttributes[k];
    const auto word = field(2 + k);
    if (const auto v = AttributeValue(a, word))
      values.attributes[k] = *v;
    else
      out.push_back({.line = r.line,
                     .kind = CsvProblemKind::AttributeWord,
                     .column = a.column,
                     .value = std::string(word)});
  }
  if (out.size() != before || !rx || !tx) return std::nullopt;
  values.rx = *rx;
  values.tx = *tx;
  return values;
}

void Fill(ChInfo& e, const ChannelValues& v) {
  e.ChUsed = 1;
  e.RxFre = v.rx;
  e.TxFre = v.tx;
  for (std::size_t k = 0; k < kChannelAttributes.size(); ++k)
    e.*kChannelAttributes[k].member = v.attributes[k];
}

std::optional<int> ChannelNumber(std::string_view text) {
  const auto n = ParseInteger16(text);
  return n && *n >= 1 && *n <= kChannelsPerGroup ? std::optional<int>(*n) : std::nullopt;
}

std::optional<int> GroupOfLetter(std::string_view text) {
  for (int g = 0; g < kGroupCount; ++g)
    if (SameAsciiNoCase(text, kGroupLetters[static_cast<std::size_t>(g)])) return g;
  return std::nullopt;
}

// Trailing empty fields are what a spreadsheet pads short rows with; they do not count.
std::size_t ColumnsUsed(const Record& r) {
  std::size_t n = r.fields.size();
  while (n > 0 && Trim(r.fields[n - 1]).empty()) --n;
  return n;
}

bool HasColumns(const Record& r, std::size_t wanted, std::vector<CsvProblem>& out) {
  if (r.unclosedQuote) {
    out.push_back({.line = r.line, .kind = CsvProblemKind::UnclosedQuote});
    return false;
  }
  if (r.fields.size() >= wanted && ColumnsUsed(r) <= wanted) return true;
  const std::size_t found = r.fields.size() < wanted ? r.fields.size() : ColumnsUsed(r);
  out.push_back({.line = r.line,
                 .kind = CsvProblemKind::ColumnCount,
                 .count = static_cast<int>(found),
                 .expected = static_cast<int>(wanted)});
  return false;
}

bool IsHeader(const Record& r) {
  const auto first = Trim(r.fields.front());
  return SameAsciiNoCase(first, kCsvGroupHeading) || first == kGroupLabel.zh;
}

// ---- texts --------------------------------------------------------------------------------------

constexpr Bilingual kLine{"Line ", "第 "};
constexpr Bilingual kLineEnd{": ", " 行："};
// A problem names the column by its field's label; the number column has none.
std::string ColumnName(int column, int language) {
  for (const ChannelField& f : kChannelFields)
    if (f.column == column && f.column != kNoColumn && f.label) return f.label->in(language);
  return {};
}

std::string InQuotes(std::string_view value, int language) {
  return language == kChinese ? "“" + std::string(value) + "”" : "\"" + std::string(value) + "\"";
}

std::string BandText(const BandEdges& band) {
  return FormatFixed6(band.lower) + " - " + FormatFixed6(band.upper) + " MHz";
}

bool NoValues(const Record& r, std::size_t first) {
  const auto from = r.fields.begin() + static_cast<std::ptrdiff_t>(first);
  return std::all_of(from, from + kValueColumns, [](const auto& f) { return Trim(f).empty(); });
}
}  // namespace

ChannelTables ChannelTablesOf(const RadioConfig& record) {
  return {record.ChCount, record.Ch};
}

std::string ExportChannelsCsv(const RadioConfig& record, const BandEdges& band) {
  std::string out;
  AppendRow(out, CsvHeader(), kComma, "\r\n");
  for (int g = 0; g < kGroupCount; ++g) {
    const int count = record.usedChannels(g);
    // Stored order, not channel order: importing the file gives back the very same slots.
    for (int c = 1; c <= count; ++c) {
      const ChInfo& e = record.slot(c, g);
      std::vector<std::string> fields{kGroupLetters[static_cast<std::size_t>(g)],
                                      std::to_string(e.ChNum)};
      AppendValues(fields, e, band, kEnglish);
      AppendRow(out, fields, kComma, "\r\n");
    }
  }
  return out;
}

ChannelTablesResult ImportChannelsCsv(std::string_view text, const BandEdges& band) {
  ChannelTablesResult result;
  std::vector<Record> records = ReadRecords(text, kComma);
  std::erase_if(records, IsBlank);
  if (!records.empty() && !records.front().unclosedQuote && IsHeader(records.front()))
    records.erase(records.begin());

  std::map<std::pair<int, int>, int> seen;  // (group, channel) -> line
  for (const Record& r : records) {
    if (!HasColumns(r, kCsvColumns, result.problems)) continue;
    const auto letter = Trim(r.fields[0]);
    const auto number = Trim(r.fields[1]);
    const auto group = GroupOfLetter(letter);
    const auto chNum = ChannelNumber(number);
    if (!group)
      result.problems.push_back(
          {.line = r.line, .kind = CsvProblemKind::GroupLetter, .value = std::string(letter)});
    if (!chNum)
      result.problems.push_back(
          {.line = r.line, .kind = CsvProblemKind::ChannelNumber, .value = std::string(number)});
    const auto values = CheckValues(r, 2, band, result.problems);
    if (!group || !chNum) continue;
    const auto [place, fresh] = seen.try_emplace({*group, *chNum}, r.line);
    if (!fresh) {
      result.problems.push_back({.line = r.line,
                                 .kind = CsvProblemKind::Duplicate,
                                 .group = *group,
                                 .chNum = *chNum,
                                 .otherLine = place->second});
      continue;
    }
    if (!values || !result.problems.empty()) continue;
    const auto g = static_cast<std::size_t>(*group);
    Integer& count = result.tables.ChCount[g];
    ChInfo& e = result.tables.Ch[g][static_cast<std::size_t>(count)];
    e.ChNum = static_cast<Integer>(*chNum);
    Fill(e, values.value());
    ++count;
  }
  if (records.empty() && result.problems.empty())
    result.problems.push_back({.kind = CsvProblemKind::NoChannels});
  return result;
}

std::string CopyChannelRows(const RadioConfig& record, int group, const std::vector<int>& chNums,
                            const BandEdges& band, int language) {
  std::string out;
  if (group < 0 || group >= kGroupCount) return out;
  for (int chNum : chNums) {
    std::vector<std::string> fields{std::to_string(chNum)};
    if (const ChInfo* entry = record.findChannel(group, chNum))
      AppendValues(fields, *entry, band, language);
    else
      fields.resize(kGridColumns);
    // Spreadsheets put CRLF between copied rows too.
    AppendRow(out, fields, kTab, "\r\n");
  }
  return out;
}

ChannelTablesResult PasteChannelRows(const RadioConfig& record, int group, int firstChNum,
                                     std::string_view text, const BandEdges& band) {
  ChannelTablesResult result;
  result.tables = ChannelTablesOf(record);
  std::vector<Record> records = ReadRecords(text, kTab);
  // Every line of a copied block is a row, empty ones too; only what ends the text is not.
  while (!records.empty() && records.back().fields.size() == 1 && IsBlank(records.back()))
    records.pop_back();
  if (group < 0 || group >= kGroupCount) return result;

  std::vector<std::pair<int, ChannelValues>> rows;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const Record& r = records[k];
    const int target = firstChNum + static_cast<int>(k);
    if (r.unclosedQuote) {
      result.problems.push_back({.line = r.line, .kind = CsvProblemKind::UnclosedQuote});
      continue;
    }
    if (IsBlank(r)) continue;
    // With the grid's channel-number column, or without it (values copied from elsewhere).
    const bool numbered = r.fields.size() != static_cast<std::size_t>(kValueColumns);
    const std::size_t first = numbered ? 1 : 0;
    if (!HasColumns(r, numbered ? kGridColumns : kValueColumns, result.problems)) continue;
    if (NoValues(r, first)) continue;  // an unused channel of the copied block: its target stays
    if (numbered && !Trim(r.fields[0]).empty() && !ChannelNumber(Trim(r.fields[0])))
      result.problems.push_back({.line = r.line,
                                 .kind = CsvProblemKind::ChannelNumber,
                                 .value = std::string(Trim(r.fields[0]))});
    if (target > kChannelsPerGroup) {
      result.problems.push_back(
          {.line = r.line, .kind = CsvProblemKind::PastLastChannel, .chNum = target});
      continue;
    }
    if (auto values = CheckValues(r, first, band, result.problems))
      rows.emplace_back(target, std::move(*values));
  }
  if (!result.problems.empty()) return result;
  if (rows.empty()) {
    result.problems.push_back({.kind = CsvProblemKind::NoChannels});
    return result;
  }

  RadioConfig pasted = record;
  Integer& count = pasted.ChCount[static_cast<std::size_t>(group)];
  count = static_cast<Integer>(pasted.usedChannels(group));
  for (const auto& [chNum, values] : rows) {
    ChInfo* entry = pasted.findChannel(group, chNum);
    if (!entry) {
      // A new channel starts clean; an existing one keeps the fine offsets the radio reported,
      // as a grid edit leaves them.
      entry = &pasted.slot(++count, group);
      *entry = ChInfo{};
      entry->ChNum = static_cast<Integer>(chNum);
    }
    Fill(*entry, values);
  }
  result.tables = ChannelTablesOf(pasted);
  return result;
}

std::string DescribeCsvProblem(const CsvProblem& p, const BandEdges& band, int language) {
  const bool zh = language == kChinese;
  std::string text;
  if (p.line > 0) text = kLine.in(language) + std::to_string(p.line) + kLineEnd.in(language);
  const std::string column = ColumnName(p.column, language);
  const std::string value = InQuotes(p.value, language);
  switch (p.kind) {
    case CsvProblemKind::ColumnCount:
      text +=
          zh ? "共 " + std::to_string(p.count) + " 列，应为 " + std::to_string(p.expected) + " 列"
             : std::to_string(p.count) + " columns, " + std::to_string(p.expected) + " expected";
      break;
    case CsvProblemKind::UnclosedQuote:
      text += zh ? "引号未闭合" : "a quotation mark is not closed";
      break;
    case CsvProblemKind::GroupLetter:
      text += zh ? "组" + value + "不是 A-F 之一" : "group " + value + " is not one of A-F";
      break;
    case CsvProblemKind::ChannelNumber:
      text += zh ? "信道号" + value + "不在 1-60 之间"
                 : "channel number " + value + " is not a whole number from 1 to 60";
      break;
    case CsvProblemKind::RxMissing:
      text += zh ? "缺少接收频率" : "the RX frequency is missing";
      break;
    case CsvProblemKind::NotNumber:
      text += zh ? column + value + "不是数字" : column + " " + value + " is not a number";
      break;
    case CsvProblemKind::OutOfBand:
      text += zh ? column + value + "超出频段 " + BandText(band)
                 : column + " " + value + " is outside the band " + BandText(band);
      break;
    case CsvProblemKind::AttributeWord: {
      const ChannelAttribute* a = AttributeOfColumn(p.column);
      const auto& items = (a ? *a : kChannelAttributes.front()).words;
      text += zh ? column + value + "不是“" + items[0].zh + "”或“" + items[1].zh + "”"
                 : column + " " + value + " is not " + items[0].en + " or " + items[1].en;
      break;
    }
    case CsvProblemKind::Duplicate: {
      const std::string letter =
          kGroupLetters[static_cast<std::size_t>(std::clamp(p.group, 0, kGroupCount - 1))];
      text += zh ? letter + " 组信道 " + std::to_string(p.chNum) + " 已在第 " +
                       std::to_string(p.otherLine) + " 行出现"
                 : "group " + letter + " channel " + std::to_string(p.chNum) +
                       " is already on line " + std::to_string(p.otherLine);
      break;
    }
    case CsvProblemKind::PastLastChannel:
      text +=
          zh ? "将落在信道 " + std::to_string(p.chNum) + "，超出最后一个信道 60"
             : "would land on channel " + std::to_string(p.chNum) + ", past the last channel 60";
      break;
    case CsvProblemKind::NoChannels:
      text += zh ? "没有信道行" : "there are no channel rows";
      break;
  }
  return text;
}

std::string DescribeCsvProblems(const std::vector<CsvProblem>& problems, const BandEdges& band,
                                int language, std::size_t limit) {
  std::string text;
  const std::size_t shown = std::min(limit, problems.size());
  for (std::size_t k = 0; k < shown; ++k) {
    if (k > 0) text += "\r\n";
    text += DescribeCsvProblem(problems[k], band, language);
  }
  if (problems.size() > shown) {
    const std::string more = std::to_string(problems.size() - shown);
    text += "\r\n";
    text += language == kChinese ? "另有 " + more + " 处" : "and " + more + " more";
  }
  return text;
}

}  // namespace kr4100
