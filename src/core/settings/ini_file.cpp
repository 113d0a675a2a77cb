// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include "core/os/os.h"

namespace kr4100 {

namespace fs = std::filesystem;

namespace {

// The reading service hands values over in a 512-character buffer, one of them the NUL.
constexpr std::size_t kMaxValueLength = 511;

// Blanks as the classic profile functions see them, a stray CR included.
constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::string Lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

enum class LineKind { kOther, kSection, kKey };

struct Line {
  LineKind kind = LineKind::kOther;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // raw value of a key line, trimmed
};

Line Classify(std::string_view raw) {
  const std::string_view s = TrimBlanks(raw);
  if (s.empty() || s.front() == ';') return {};
  if (s.front() == '[') {
    // A header without its closing bracket is not a header; it may still hold a key.
    const auto close = s.rfind(']');
    if (close != std::string_view::npos && close > 0) {
      return {LineKind::kSection, TrimBlanks(s.substr(1, close - 1)), {}};
    }
  }
  const auto equals = s.find('=');
  if (equals == std::string_view::npos) return {};
  const std::string_view key = TrimBlanks(s.substr(0, equals));
  if (key.empty()) return {};
  return {LineKind::kKey, key, TrimBlanks(s.substr(equals + 1))};
}

// The value as a caller of the reading service sees it.
std::string ReadForm(std::string_view raw) {
  std::string_view v = raw.substr(0, raw.find('\0'));
  v = TrimBlanks(v);
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  return std::string(v.substr(0, kMaxValueLength));
}

// Quotes keep blanks at the ends, and quotes a value itself starts and ends with, from being lost.
std::string WriteForm(std::string_view value) {
  const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
  if (quoted || TrimBlanks(value).size() != value.size()) {
    return "\"" + std::string(value) + "\"";
  }
  return std::string(value);
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile file;
  const auto firstBreak = text.find('\n');
  if (firstBreak != std::string_view::npos && (firstBreak == 0 || text[firstBreak - 1] != '\r')) {
    file.eol_ = "\n";
  }
  file.lines_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    // A CR stays part of the line in a file of LF line ends, so the text comes back unchanged.
    if (file.eol_ == "\r\n" && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    file.lines_.emplace_back(line);
    start = end + 1;
  }
  file.reindex();
  return file;
}

IniFile IniFile::Open(const fs::path& path) {
  IniFile file;
  std::error_code ec;
  if (fs::is_regular_file(path, ec)) {
    std::ifstream in(path, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    file = Parse(content);
    file.existed_ = true;
  }
  file.path_ = path;
  return file;
}

void IniFile::reindex() {
  index_.clear();
  SectionKeys* section = nullptr;  // keys before any header, or in a repeated section, are unseen
  for (const std::string& raw : lines_) {
    const Line line = Classify(raw);
    if (line.kind == LineKind::kSection) {
      const auto [it, inserted] = index_.try_emplace(Lower(line.name));
      section = inserted ? &it->second : nullptr;
    } else if (line.kind == LineKind::kKey && section != nullptr) {
      section->try_emplace(Lower(line.name), ReadForm(line.value));
    }
  }
}

void IniFile::indexKeyLine(std::string_view section, std::string_view key, std::string_view raw) {
  // The line is the first of its key in the first section of its name, which is the section
  // the index holds: one entry changes. Start-up writes key after key, and a whole re-index per
  // key made that the dearest part of reading the settings.
  const Line line = Classify(raw);
  const auto s = index_.find(Lower(section));
  if (line.kind != LineKind::kKey || !SameName(line.name, key) || s == index_.end()) {
    reindex();
    return;
  }
  s->second.insert_or_assign(Lower(key), ReadForm(line.value));
}

std::optional<std::string> IniFile::read(std::string_view section, std::string_view key) const {
  const auto s = index_.find(Lower(TrimBlanks(section)));
  if (s == index_.end()) return std::nullopt;
  const auto k = s->second.find(Lower(TrimBlanks(key)));
  if (k == s->second.end()) return std::nullopt;
  return k->second;
}

bool IniFile::write(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  // Refuse what could not be read back as the same key: it would change the file's structure.
  if (key.empty() || key.front() == ';' || key.front() == '[' ||
      key.find('=') != std::string_view::npos || HasLineBreakOrNul(section) ||
      HasLineBreakOrNul(key) || HasLineBreakOrNul(value)) {
    return false;
  }
  const std::string encoded = WriteForm(value);

  std::size_t sectionLine = lines_.size();  // first header of that name
  std::size_t lastFilled = 0;               // last non-blank line of that section
  std::size_t keyLine = lines_.size();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line line = Classify(lines_[i]);
    if (sectionLine == lines_.size()) {
      if (line.kind == LineKind::kSection && SameName(line.name, section)) {
        sectionLine = i;
        lastFilled = i;
      }
      continue;
    }
    if (line.kind == LineKind::kSection) break;
    if (!TrimBlanks(lines_[i]).empty()) lastFilled = i;
    if (line.kind == LineKind::kKey && SameName(line.name, key)) {
      keyLine = i;
      break;
    }
  }

  if (keyLine != lines_.size()) {
    // Keep the key's own spelling; only the value changes.
    lines_[keyLine] = std::string(Classify(lines_[keyLine]).name) + "=" + encoded;
    indexKeyLine(section, key, lines_[keyLine]);
  } else if (sectionLine != lines_.size()) {
    const auto at = lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastFilled + 1),
                                  std::string(key) + "=" + encoded);
    indexKeyLine(section, key, *at);
  } else {
    if (!lines_.empty() && !TrimBlanks(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::string(key) + "=" + encoded);
    // No section of that name was there, so the new one is the first and the index only gains it.
    const Line header = Classify(lines_[lines_.size() - 2]);
    if (header.kind == LineKind::kSection && SameName(header.name, section)) {
      index_.try_emplace(Lower(section));
      indexKeyLine(section, key, lines_.back());
    } else {
      reindex();
    }
  }
  // A file that cannot be written keeps the change in memory, so this run still sees it.
  return path_.empty() || save();
}

std::string IniFile::text() const {
  std::string result;
  for (const std::string& line : lines_) {
    result += line;
    result += eol_;
  }
  return result;
}

bool IniFile::save() const {
  if (path_.empty()) return false;
  fs::path temporary;
  try {
    std::error_code ec;
    // A system installation reaches its settings in /etc through a link: the file it leads to
    // is the one to replace, not the link.
    fs::path target = path_;
    if (fs::is_symlink(path_, ec)) {
      const fs::path resolved = fs::canonical(path_, ec);
      if (!ec) target = resolved;
    }
    const fs::path folder = target.parent_path();
    if (!folder.empty()) fs::create_directories(folder, ec);

    // Written beside the target and renamed over it, so a crash never leaves half a file.
    std::random_device random;
    temporary = target;
    temporary += ".tmp" + std::to_string(random() % 1000000U);
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      if (!out) return false;
      const std::string content = text();
      out.write(content.data(), static_cast<std::streamsize>(content.size()));
      out.flush();
      if (!out) {
        out.close();
        fs::remove(temporary, ec);
        return false;
      }
    }
    if (!os::RenameOver(temporary, target)) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return false;
    }
    return true;
  } catch (...) {
    if (!temporary.empty()) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
    }
    return false;
  }
}

}  // namespace kr4100
