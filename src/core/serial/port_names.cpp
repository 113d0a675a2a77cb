// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/port_names.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace kr4100 {
namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";

std::string ShortName(const std::string& name) {
  std::string s = name.starts_with(kDevicePrefix) ? name.substr(kDevicePrefix.size()) : name;
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

// "COM12" -> ("COM", 12, ""); a name without a number sorts by its text alone.
std::tuple<std::string, unsigned long, std::string> SortKey(const std::string& name) {
  const std::string s = ShortName(name);
  const auto digit =
      std::find_if(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
  auto end = std::find_if(digit, s.end(), [](unsigned char c) { return !std::isdigit(c); });
  // Long runs of digits are compared as text after the shorter ones.
  if (digit == s.end() || end - digit > 9) return {s, 0, {}};
  return {std::string(s.begin(), digit), std::stoul(std::string(digit, end)),
          std::string(end, s.end())};
}

}  // namespace

std::string SerialDevicePath(const std::string& name) {
  if (name.starts_with("\\\\")) return name;
  return std::string(kDevicePrefix) + name;
}

bool SameSerialPort(const std::string& listed, const std::string& named) {
  return ShortName(listed) == ShortName(named);
}

void SortSerialPorts(std::vector<std::string>& ports) {
  std::stable_sort(ports.begin(), ports.end(), [](const std::string& a, const std::string& b) {
    return SortKey(a) < SortKey(b);
  });
}

void SortSerialPorts(std::vector<PortDescription>& ports) {
  std::stable_sort(ports.begin(), ports.end(),
                   [](const PortDescription& a, const PortDescription& b) {
                     return SortKey(a.port) < SortKey(b.port);
                   });
}

}  // namespace kr4100
