// SPDX-License-Identifier: GPL-3.0-or-later
// A transfer session on a simulated clock, cabled to a virtual radio on COM1: the fixture of the
// session and port-search tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "core/config/document.h"
#include "core/link/transfer_session.h"
#include "sim/simulated_link.h"
#include "sim/virtual_radio.h"

namespace kr4100::testing {

class SessionOnSimulatedLink : public ::testing::Test {
 protected:
  SessionOnSimulatedLink() {
    link.attach(&session);
    link.plug(&radio);
    session.setPortSettings({"COM1", 1, 0});
    session.setProgramIdentity("HT52", 0);
    doc.setToday([] { return CalendarDate{2026, 12, 8}; });
    doc.InitNewDocument();
  }

  bool Read(SessionKind kind = SessionKind::Read) {
    if (!session.open(kind)) return false;
    session.prepareRead();
    session.start();
    EXPECT_TRUE(link.runUntilIdle());
    return link.result && link.result->second;
  }
  bool Write() {
    if (!session.open(SessionKind::Write)) return false;
    EXPECT_FALSE(session.prepareWrite(doc.working()).has_value());
    session.start();
    EXPECT_TRUE(link.runUntilIdle());
    return link.result && link.result->second;
  }
  // A group write's radios, one at a time: each finished radio is unplugged half a second later
  // and the next plugged in 2 s later.
  void PlugInTurn(std::vector<sim::VirtualRadio*> radios) {
    link.plug(radios[0]);
    link.whenNextRadio = [this, radios](int n) {
      const auto now = link.now();
      link.at(now + std::chrono::milliseconds(500), [this] { link.unplug(); });
      link.at(now + std::chrono::milliseconds(2500),
              [this, radios, n] { link.plug(radios[static_cast<std::size_t>(n - 1)]); });
    };
  }
  bool GroupWrite(int radios) {
    if (!session.open(SessionKind::Write)) return false;
    EXPECT_FALSE(session.prepareWrite(doc.working()).has_value());
    session.startGroupWrite(radios);
    EXPECT_TRUE(link.runUntilIdle());
    return link.result && link.result->second;
  }
  std::vector<int> Addresses(const sim::VirtualRadio& r, sim::FrameKind kind) const {
    std::vector<int> out;
    for (const auto& e : r.events())
      if (e.kind == kind) out.push_back(e.address);
    return out;
  }
  int Count(std::uint8_t first) const {
    return static_cast<int>(std::count_if(link.sent.begin(), link.sent.end(),
                                          [&](const auto& f) { return !f.empty() && f[0] == first; }));
  }

  VersionTable versions = VersionTable::BuiltIn();
  sim::SimulatedLink link;
  TransferSession session{link, versions};
  sim::VirtualRadio radio;
  Document doc;
};

}  // namespace kr4100::testing
