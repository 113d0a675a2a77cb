#include "platform/port_line.h"

#if !KR4100_QT_SERIAL_PORT
#include "core/serial/serial_link.h"

namespace kr4100 {

// Without Qt's serial module the system's port is the core's line (qt_port_line.cpp otherwise).
std::unique_ptr<PortLine> MakeSystemPortLine() {
  return MakeLinkPortLine(MakeSystemSerialLink());
}

}  // namespace kr4100
#endif
