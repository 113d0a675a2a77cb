#include "core/serial/port_description.h"

#include <cstdio>

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
  for (const std::string& name : names) ports.push_back({name, name, {}, {}, {}, {}});
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

}  // namespace kr4100
