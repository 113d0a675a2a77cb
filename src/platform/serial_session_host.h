// The transfer session's host over a real serial port (QSerialPort) and Qt timers. What the user
// must see or answer goes to a Prompter, so the command line and the windows can each answer in
// their own way.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <functional>
#include <vector>

#include "link/session_host.h"
#include "link/transfer_session.h"

namespace kr4100 {

// Questions and reports of a session, answered by the GUI (message boxes) or the command line.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual Answer ask(Question question) = 0;
  virtual Answer identityRefused(const IdentityCheck& check) = 0;
};

// QSerialPort settings for the program's port settings: 9600 baud, 8 data bits, no parity, the
// stop bits, and handshaking 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both (hardware flow control,
// Qt has no combined mode; the radio cable uses RTS/CTS then).
void ApplyPortSettings(QSerialPort& port, const PortSettings& settings);

class SerialSessionHost : public QObject, public SessionHost {
 public:
  explicit SerialSessionHost(Prompter& prompter, QObject* parent = nullptr);

  void attach(TransferSession* session) { session_ = session; }
  std::function<void(int)> onProgress;
  std::function<void(bool)> onSearching;
  std::function<void(const PortSettings&)> onPortSettingsFound;
  std::function<void(int)> onNextRadio;
  std::function<void(SessionKind, bool)> onFinished;
  std::function<std::vector<std::string>()> onCandidatePorts;

  // SessionHost
  bool openPort(const PortSettings& settings) override;
  void closePort() override;
  void send(std::span<const std::uint8_t> frame, int expectedReplyLength) override;
  void startReplyTimer(std::chrono::milliseconds interval) override;
  void stopReplyTimer() override;
  std::chrono::milliseconds now() const override;
  Answer ask(Question question) override { return prompter_.ask(question); }
  Answer identityRefused(const IdentityCheck& check) override { return prompter_.identityRefused(check); }
  void progress(int percent) override;
  void searching(bool on) override;
  std::vector<std::string> candidatePorts() override;
  void portSettingsFound(const PortSettings& settings) override;
  void nextRadio(int radioNumber) override;
  void finished(SessionKind kind, bool success) override;

  // Bytes that went over the wire in both directions since the last open (for measurements).
  std::size_t bytesOnWire() const { return bytesOnWire_; }

 private:
  void readAvailable();

  Prompter& prompter_;
  TransferSession* session_ = nullptr;
  QSerialPort port_;
  QTimer replyTimer_;
  QElapsedTimer clock_;
  QByteArray input_;
  qsizetype threshold_ = 1;
  std::size_t bytesOnWire_ = 0;
};

}  // namespace kr4100
