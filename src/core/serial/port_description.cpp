// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/serial/port_description.h"

#include <cstdio>

#include "core/texts/port_texts.h"

namespace kr4100 {
namespace {

std::string ShortName(const PortDescription& port) {
  if (!port.name.empty()) return port.name;
  const auto slash = port.port.find_last_of("/\\");
  return slash == std::string::npos ? port.port : port.port.substr(slash + 1);
}

}  // namespace

std::vector<PortDescription> NamesOnly(const std::vector<std::string>& names) {
  std::vector<PortDescription> ports;
  for (const std::string& name : names) ports.push_back({name, name, {}, {}, {}, {}, {}});
  return ports;
}

std::string PortLabel(const PortDescription& port) {
  std::string details = port.description;
  // Drivers often give the maker as the description too.
  if (!port.manufacturer.empty() && port.manufacturer != port.description)
    details += (details.empty() ? "" : ", ") + port.manufacturer;
  if (port.vendorId && port.productId) {
    char ids[16];
    std::snprintf(ids, sizeof ids, "(%04x:%04x)", *port.vendorId, *port.productId);
    details += (details.empty() ? "" : " ") + std::string(ids);
  }
  const std::string name = ShortName(port);
  return details.empty() ? name : name + " \u2014 " + details;
}

const PortDescription* FindListedPort(const std::vector<PortDescription>& ports,
                                      const std::string& port) {
  for (const PortDescription& listed : ports)
    if (listed.port == port || ShortName(listed) == port) return &listed;
  return nullptr;
}

std::string AdapterLine(const std::vector<PortDescription>& ports, const std::string& port,
                        int language) {
  const PortDescription* listed = FindListedPort(ports, port);
  if (listed == nullptr) return {};
  const std::string label = PortLabel(*listed);
  if (label == ShortName(*listed)) return {};
  return FillField(kTimeoutAdapter.in(language), "{adapter}", label);
}

std::string LatencyAdvice(const PortDescription& port, int language) {
  if (!port.latencyTimerMs || *port.latencyTimerMs <= kLatencyTimerGoodMs) return {};
  return FillField(kSlowLatency.in(language), "{ms}", std::to_string(*port.latencyTimerMs));
}

}  // namespace kr4100
