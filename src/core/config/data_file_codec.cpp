#include "core/config/data_file_codec.h"

#include <cstring>

namespace kr4100 {
namespace {

class Writer {
 public:
  explicit Writer(std::uint8_t* out) : out_(out) {}
  void operator()(const char*, const Integer& v) { put(static_cast<std::uint16_t>(v), 2); }
  void operator()(const char*, const Long& v) { put(static_cast<std::uint32_t>(v), 4); }
  template <std::size_t N>
  void operator()(const char*, const FixedText<N>& t) {
    std::memcpy(out_ + pos_, t.bytes().data(), N);
    pos_ += N;
  }
  std::size_t position() const { return pos_; }

 private:
  void put(std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out_[pos_++] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  std::uint8_t* out_;
  std::size_t pos_ = 0;
};

class Reader {
 public:
  explicit Reader(const std::uint8_t* in) : in_(in) {}
  void operator()(const char*, Integer& v) { v = static_cast<Integer>(get(2)); }
  void operator()(const char*, Long& v) { v = static_cast<Long>(get(4)); }
  template <std::size_t N>
  void operator()(const char*, FixedText<N>& t) {
    std::memcpy(t.bytes().data(), in_ + pos_, N);
    pos_ += N;
  }
  std::size_t position() const { return pos_; }

 private:
  std::uint32_t get(int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint32_t>(in_[pos_++]) << (8 * i);
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
