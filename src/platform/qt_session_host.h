// What every transfer-session host over Qt shares: the reply timer and the clock. The questions
// and reports are the core's ReportingSessionHost.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "core/link/reporting_session_host.h"
#include "core/link/transfer_session.h"

namespace kr4100 {

class QtSessionHost : public QObject, public ReportingSessionHost {
 public:
  explicit QtSessionHost(Prompter& prompter, QObject* parent = nullptr);

  // SessionHost
  void startReplyTimer(std::chrono::milliseconds interval) override;
  void stopReplyTimer() override;
  std::chrono::milliseconds now() const override;

 protected:
  QTimer replyTimer_;
  QElapsedTimer clock_;
};

}  // namespace kr4100
