// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/data_file_codec.h"

#include <cstring>

namespace kr4100 {
namespace {

class Writer {
 public:
  explicit Writer(std::uint8_t* out) : out_(out) {}
  void operator()(const char*, const Integer& v) { put<2>(static_cast<std::uint16_t>(v)); }
  void operator()(const char*, const Long& v) { put<4>(static_cast<std::uint32_t>(v)); }
  template <std::size_t N>
  void operator()(const char*, const FixedText<N>& t) {
    std::memcpy(out_ + pos_, t.bytes().data(), N);
    pos_ += N;
  }
  std::size_t position() const { return pos_; }

 private:
  // Little-endian, the width fixed at compile time: no loop to count, which a fuzzer's
  // comparison tracing would otherwise pay for on every byte of every file.
  template <int Bytes>
  void put(std::uint32_t v) {
    out_[pos_] = static_cast<std::uint8_t>(v);
    out_[pos_ + 1] = static_cast<std::uint8_t>(v >> 8);
    if constexpr (Bytes == 4) {
      out_[pos_ + 2] = static_cast<std::uint8_t>(v >> 16);
      out_[pos_ + 3] = static_cast<std::uint8_t>(v >> 24);
    }
    pos_ += Bytes;
  }
  std::uint8_t* out_;
  std::size_t pos_ = 0;
};

class Reader {
 public:
  explicit Reader(const std::uint8_t* in) : in_(in) {}
  void operator()(const char*, Integer& v) { v = static_cast<Integer>(get<2>()); }
  void operator()(const char*, Long& v) { v = static_cast<Long>(get<4>()); }
  template <std::size_t N>
  void operator()(const char*, FixedText<N>& t) {
    std::memcpy(t.bytes().data(), in_ + pos_, N);
    pos_ += N;
  }
  std::size_t position() const { return pos_; }

 private:
  template <int Bytes>
  std::uint32_t get() {
    std::uint32_t v = static_cast<std::uint32_t>(in_[pos_]) |
                      static_cast<std::uint32_t>(in_[pos_ + 1]) << 8;
    if constexpr (Bytes == 4)
      v |= static_cast<std::uint32_t>(in_[pos_ + 2]) << 16 |
           static_cast<std::uint32_t>(in_[pos_ + 3]) << 24;
    pos_ += Bytes;
    return v;
  }
  const std::uint8_t* in_;
  std::size_t pos_ = 0;
};

}  // namespace

DataFileBytes EncodeDataFile(const RadioConfig& config) {
  DataFileBytes bytes{};
  Writer writer(bytes.data());
  layout::Fields(config, writer);
  return bytes;
}

RadioConfig DecodeDataFile(std::span<const std::uint8_t, layout::kDataFileSize> bytes) {
  RadioConfig config;
  Reader reader(bytes.data());
  layout::Fields(config, reader);
  return config;
}

}  // namespace kr4100
