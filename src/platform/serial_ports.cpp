#include "platform/serial_ports.h"

#include <QSerialPortInfo>

namespace kr4100 {

std::vector<std::string> SystemSerialPorts() {
  std::vector<std::string> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
    ports.push_back(info.systemLocation().toStdString());
  return ports;
}

bool SamePort(const std::string& listed, const std::string& named) {
  return listed == named || QSerialPortInfo(QString::fromStdString(listed)).portName().toStdString() == named;
}

}  // namespace kr4100
