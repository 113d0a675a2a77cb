// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: a new document made once, and the few inputs that also go through
// the path-based readers by way of a real file.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/config/calendar_date.h"
#include "core/config/document.h"

namespace kr4100::fuzz {

inline CalendarDate FixedDay() {
  return {2026, 1, 2};
}

// A new document on a fixed day. Building one costs more than a whole input's decoding, so each
// input starts from a copy of this one.
inline const Document& NewDocument() {
  static const Document fresh = [] {
    Document doc;
    doc.setToday(FixedDay);
    doc.InitNewDocument();
    return doc;
  }();
  return fresh;
}

// One input in this many also goes through a file: a file per input is what held the targets to
// a few hundred inputs a second, while the path-based readers only add the file read to the
// in-memory decoding every input gets.
inline constexpr std::size_t kPathShare = 256;

// Chosen by the input's own bytes, not by a count of runs, so a saved input does exactly the
// same when it is run alone to reproduce a finding.
inline bool TakesPathWay(std::span<const std::uint8_t> bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return std::hash<std::string_view>{}(text) % kPathShare == 0;
}

// Writes the input to this process's scratch file (removed at exit) and returns its path. A file
// that cannot be written stops the run: the path-based readers would go unchecked without a word.
inline const std::filesystem::path& WriteScratchFile(std::span<const std::uint8_t> bytes,
                                                     std::string_view extension) {
  struct Scratch {
    std::filesystem::path path;
    ~Scratch() {
      std::error_code ec;
      std::filesystem::remove(path, ec);
    }
  };
  static const Scratch scratch{
      std::filesystem::temp_directory_path() /
      ("kr4100-fuzz-" + std::to_string(::getpid()) + std::string(extension))};
  std::ofstream out(scratch.path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "cannot write the scratch file %s\n", scratch.path.c_str());
    std::exit(2);
  }
  return scratch.path;
}

}  // namespace kr4100::fuzz
