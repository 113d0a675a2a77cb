// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed-width text fields of the configuration record: exactly N bytes, one byte per character.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kr4100 {

template <std::size_t N>
class FixedText {
 public:
  constexpr FixedText() = default;
  constexpr explicit FixedText(std::string_view text) { assign(text); }

  // Shorter text is padded with blanks, longer text is cut. A caller that wants the stored form
  // "text, NUL, blanks" passes the NUL itself.
  constexpr void assign(std::string_view text) {
    bytes_.fill(' ');
    std::copy_n(text.begin(), std::min(text.size(), N), bytes_.begin());
  }
  constexpr FixedText& operator=(std::string_view text) {
    assign(text);
    return *this;
  }

  // The text as readers see it: cut at the first NUL, trailing blanks dropped.
  std::string text() const {
    std::string_view all(bytes_.data(), N);
    all = all.substr(0, all.find('\0'));
    const auto last = all.find_last_not_of(' ');
    return std::string(last == std::string_view::npos ? std::string_view{} : all.substr(0, last + 1));
  }

  // All N stored characters, NULs and padding included.
  std::string_view raw() const { return {bytes_.data(), N}; }
  constexpr std::array<char, N>& bytes() { return bytes_; }
  constexpr const std::array<char, N>& bytes() const { return bytes_; }

  static constexpr std::size_t size() { return N; }

  friend bool operator==(const FixedText&, const FixedText&) = default;

 private:
  std::array<char, N> bytes_{};
};

}  // namespace kr4100
