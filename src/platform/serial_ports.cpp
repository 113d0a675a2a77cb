// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial_ports.h"

#if KR4100_QT_SERIAL_PORT
#include <QSerialPortInfo>
#else
#include "core/serial/port_names.h"
#include "core/serial/serial_link.h"
#endif

namespace kr4100 {

#if KR4100_QT_SERIAL_PORT

std::vector<std::string> SystemSerialPorts() {
  std::vector<std::string> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
    ports.push_back(info.systemLocation().toStdString());
  return ports;
}

std::vector<PortDescription> SystemSerialPortDescriptions() {
  std::vector<PortDescription> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    PortDescription port{info.systemLocation().toStdString(),
                         info.portName().toStdString(),
                         info.description().toStdString(),
                         info.manufacturer().toStdString(),
                         {},
                         {},
                         {}};
    if (info.hasVendorIdentifier()) port.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier()) port.productId = info.productIdentifier();
    ports.push_back(std::move(port));
  }
  return ports;
}

bool SamePort(const std::string& listed, const std::string& named) {
  return listed == named ||
         QSerialPortInfo(QString::fromStdString(listed)).portName().toStdString() == named;
}

#else

// The ports the system registered, as kr4100-cli.exe lists them.
std::vector<std::string> SystemSerialPorts() {
  return RegisteredSerialPorts();
}

std::vector<PortDescription> SystemSerialPortDescriptions() {
  return RegisteredSerialPortDescriptions();
}

bool SamePort(const std::string& listed, const std::string& named) {
  return SameSerialPort(listed, named);
}

#endif

}  // namespace kr4100
