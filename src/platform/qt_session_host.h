// SPDX-License-Identifier: GPL-3.0-or-later
// What every transfer-session host over Qt shares: the reply timer, the clock and the assembly of
// replies. The questions and reports are the core's ReportingSessionHost.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "core/link/reporting_session_host.h"
#include "core/link/transfer_session.h"
#include "core/serial/reply_assembly.h"

namespace kr4100 {

class QtSessionHost : public QObject, public ReportingSessionHost {
 public:
  explicit QtSessionHost(Prompter& prompter, QObject* parent = nullptr);

  // SessionHost
  void startReplyTimer(std::chrono::milliseconds interval) override;
  void stopReplyTimer() override;
  std::chrono::milliseconds now() const override;

 protected:
  // Bytes from the link; a whole reply goes on to the session.
  void received(std::span<const std::uint8_t> bytes);

  QTimer replyTimer_;
  QElapsedTimer clock_;
  ReplyAssembly replies_{ReplyAssembly::Ending::Length};
};

}  // namespace kr4100
