// SPDX-License-Identifier: GPL-3.0-or-later
// kr4100-sim: a virtual KR-4100 behind a pseudo-terminal. The first line of standard output is
// the device path to open; the radio then answers there until SIGINT or SIGTERM.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "core/config/data_file_codec.h"
#include "core/config/data_file_layout.h"
#include "core/config/file_io.h"
#include "core/settings/program_version.h"
#include "sim/pty_server.h"
#include "sim/test_mode_responder.h"
#include "sim/virtual_radio.h"

namespace {

using kr4100::RadioImage;
using kr4100::sim::IdentitySettings;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kMaxCount = 1'000'000;

int gStopPipe[2] = {-1, -1};

extern "C" void OnStopSignal(int) {
  const char byte = 1;
  // Nothing to do about a full pipe: one byte in it is enough to stop.
  [[maybe_unused]] const ssize_t n = ::write(gStopPipe[1], &byte, 1);
}

bool InstallStopHandlers() {
  if (::pipe(gStopPipe) != 0) return false;
  for (const int fd : gStopPipe) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  ::sigemptyset(&sa.sa_mask);
  if (::sigaction(SIGINT, &sa, nullptr) != 0 || ::sigaction(SIGTERM, &sa, nullptr) != 0)
    return false;
  ::signal(SIGPIPE, SIG_IGN);
  return true;
}

// A code of one to four printable ASCII characters, as the identity reply carries it.
std::string CheckCode(const std::string& code) {
  const bool printable =
      std::all_of(code.begin(), code.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
  if (code.empty() || code.size() > 4 || !printable)
    return "must be 1 to 4 printable ASCII characters";
  return {};
}

std::optional<RadioImage> LoadImage(const std::string& path, std::string& error) {
  const auto size = kr4100::RegularFileSize(path);
  if (!size) {
    error = "cannot read image file " + path;
    return std::nullopt;
  }
  if (*size != kr4100::kImageSize) {
    error = "image file " + path + " holds " + std::to_string(*size) + " bytes, not " +
            std::to_string(kr4100::kImageSize);
    return std::nullopt;
  }
  const auto bytes = kr4100::ReadFilePrefix(path, kr4100::kImageSize);
  if (!bytes || bytes->size() != kr4100::kImageSize) {
    error = "cannot read image file " + path;
    return std::nullopt;
  }
  RadioImage image{};
  std::copy(bytes->begin(), bytes->end(), image.begin());
  return image;
}

// The test frequencies of a data file: the radio's own test channels are made to agree with them.
std::optional<kr4100::RadioConfig> LoadTestChannels(const std::string& path, std::string& error) {
  constexpr std::size_t kSize = kr4100::layout::kDataFileSize;
  const auto size = kr4100::RegularFileSize(path);
  const auto bytes = size ? kr4100::ReadFilePrefix(path, kSize) : std::nullopt;
  if (!size || !bytes) {
    error = "cannot read data file " + path;
    return std::nullopt;
  }
  if (*size != kSize || bytes->size() != kSize) {
    error = "data file " + path + " holds " + std::to_string(*size) + " bytes, not " +
            std::to_string(kSize);
    return std::nullopt;
  }
  return kr4100::DecodeDataFile(std::span<const std::uint8_t, kSize>(bytes->data(), kSize));
}

// An image from a programmed radio carries the radio's identity reply; start from it so the
// radio answers as the one whose memory it is.
IdentitySettings IdentityOfImage(const RadioImage& image) {
  IdentitySettings id;
  const auto* p = image.data() + kr4100::image_map::kIdentity;
  if (p[0] != 'P') return id;
  auto code = [](const std::uint8_t* c) {
    std::string s(c, c + 4);
    s = s.substr(0, s.find('\0'));
    return s.substr(0, s.find_last_not_of(' ') + 1);
  };
  if (const std::string model = code(p + 1); CheckCode(model).empty()) id.modelCode = model;
  id.modelType = p[6];
  id.bandCode = p[7];
  if (const std::string fw = code(p + 8); CheckCode(fw).empty()) id.firmware = fw;
  return id;
}

// Everything the command line sets, and the options whose presence matters.
struct SimOptions {
  IdentitySettings id;
  int modelType = IdentitySettings{}.modelType;
  int band = IdentitySettings{}.bandCode;
  std::string imagePath;
  kr4100::sim::PtyServerOptions server;
  kr4100::sim::Faults faults;
  int stopBits = 0;
  int handshaking = 0;
  int adapterLatency = 0;  // ms
  std::string testChannelsPath;
  kr4100::sim::TestModeFaults testFaults;
  CLI::Option* model = nullptr;
  CLI::Option* type = nullptr;
  CLI::Option* bandOption = nullptr;
  CLI::Option* firmware = nullptr;
  CLI::Option* stopBitsOption = nullptr;
  CLI::Option* handshakingOption = nullptr;
};

void AddRadioOptions(CLI::App& app, SimOptions& o) {
  o.model = app.add_option("--model", o.id.modelCode, "Model code in the identity reply")
                ->check(CLI::Validator(CheckCode, "CODE"));
  o.type = app.add_option("--model-type", o.modelType, "Model type value (0-255)")
               ->check(CLI::Range(0, 255));
  o.bandOption = app.add_option("--band", o.band, "Band code (0-255)")->check(CLI::Range(0, 255));
  o.firmware = app.add_option("--firmware", o.id.firmware, "Firmware version tag")
                   ->check(CLI::Validator(CheckCode, "TAG"));
  app.add_option("--image", o.imagePath, "Start from this 8192-byte memory image")
      ->check(CLI::ExistingFile);
  app.add_option("--save", o.server.savePath,
                 "Write the memory here after every end frame and at exit");
  app.add_flag("--pace", o.server.pace, "Pace both directions at 9600 baud");
  app.add_flag("--echo", o.server.echo,
               "Echo every byte received, as a cable that joins TX and RX does");
  app.add_option("--adapter-latency", o.adapterLatency,
                 "Hand replies on in packets of up to 62 bytes, each when full or MS after its "
                 "first byte, as a USB serial adapter does")
      ->check(CLI::Range(0, 1000));
  o.stopBitsOption =
      app.add_option("--stop-bits", o.stopBits, "Answer only a line set to these stop bits (1, 2)")
          ->check(CLI::IsMember({1, 2}));
  o.handshakingOption =
      app.add_option("--handshaking", o.handshaking,
                     "Answer only a line set to this handshaking: 0 none, 1 XON/XOFF, 2 RTS/CTS")
          ->check(CLI::Range(0, 2));
}

void AddTransferFaultOptions(CLI::App& app, kr4100::sim::Faults& faults) {
  app.add_option("--drop-reply", faults.dropReply, "Never send the N-th reply")
      ->check(CLI::Range(1, kMaxCount));
  app.add_option("--corrupt-block", faults.corruptBlock,
                 "Send the N-th data block with a wrong checksum")
      ->check(CLI::Range(1, kMaxCount));
  app.add_flag("--ignore-ack-of-ack", faults.ignoreAckOfAck,
               "Do not acknowledge the program's acknowledge");
  app.add_flag("--ignore-end", faults.ignoreEnd, "Do not acknowledge the end frame");
  app.add_option("--silent-after", faults.silentAfterBlocks,
                 "Fall silent after N data blocks (cable pulled)")
      ->check(CLI::Range(0, kMaxCount));
  app.add_option("--store-wrong", faults.storeWrongAddress,
                 "Store the written byte at this image address wrongly (bad memory cell)")
      ->check(CLI::Range(0, static_cast<int>(kr4100::kImageSize) - 1));
}

void AddTestModeOptions(CLI::App& app, SimOptions& o) {
  kr4100::sim::TestModeFaults& f = o.testFaults;
  app.add_option("--test-channels", o.testChannelsPath,
                 "Take the radio's test channels from this data file's test frequencies")
      ->check(CLI::ExistingFile);
  // The n-th reply spoilt one way each: a table, so every fault has the same range.
  using Fault = int kr4100::sim::TestModeFaults::*;
  static constexpr std::pair<const char*, std::pair<Fault, const char*>> kReplyFaults[] = {
      {"--test-drop-reply", {&kr4100::sim::TestModeFaults::dropReply,
                             "In test mode, never send the N-th reply"}},
      {"--test-corrupt-reply", {&kr4100::sim::TestModeFaults::corruptReply,
                                "In test mode, change the first byte of the N-th reply"}},
      {"--test-truncate-reply", {&kr4100::sim::TestModeFaults::truncateReply,
                                 "In test mode, send the N-th reply without its last byte"}},
      {"--test-stray-reply", {&kr4100::sim::TestModeFaults::strayReply,
                              "In test mode, send the N-th reply with a stray byte in front"}},
      {"--test-overlong-reply",
       {&kr4100::sim::TestModeFaults::overlongReply,
        "In test mode, send the N-th reply with one byte too many at its end"}},
  };
  for (const auto& [flag, fault] : kReplyFaults)
    app.add_option(flag, f.*(fault.first), fault.second)->check(CLI::Range(1, kMaxCount));
  app.add_flag("--test-ack-page", f.ackPageSelect,
               "In test mode, acknowledge a page select (the 0x06 arrives ahead of the values)");
  app.add_option("--test-silent-after", f.silentAfter,
                 "In test mode, fall silent after N replies (cable pulled)")
      ->check(CLI::Range(0, kMaxCount));
}

// A file an option names, loaded; one that will not do is said and stops the program.
template <typename Loaded>
bool LoadNamedFile(const std::string& path,
                   std::optional<Loaded> (*load)(const std::string&, std::string&),
                   std::optional<Loaded>& loaded) {
  std::string error;
  loaded = load(path, error);
  if (!loaded) std::cerr << "kr4100-sim: " << error << '\n';
  return loaded.has_value();
}

// The line settings and the radio's identity, this from the image where one is given; options
// on the command line win over the image.
bool ResolveIdentity(SimOptions& o, std::optional<RadioImage>& image) {
  if (o.stopBitsOption->count() > 0) o.server.stopBits = o.stopBits;
  if (o.handshakingOption->count() > 0) o.server.handshaking = o.handshaking;
  o.server.adapterLatency = std::chrono::milliseconds(o.adapterLatency);
  if (!o.imagePath.empty()) {
    if (!LoadNamedFile(o.imagePath, &LoadImage, image)) return false;
    const IdentitySettings fromImage = IdentityOfImage(*image);
    if (o.model->count() == 0) o.id.modelCode = fromImage.modelCode;
    if (o.type->count() == 0) o.modelType = fromImage.modelType;
    if (o.bandOption->count() == 0) o.band = fromImage.bandCode;
    if (o.firmware->count() == 0) o.id.firmware = fromImage.firmware;
  }
  o.id.modelType = static_cast<std::uint8_t>(o.modelType);
  o.id.bandCode = static_cast<std::uint8_t>(o.band);
  return true;
}

// Serves the pseudo-terminal until stopped; the exit status.
int Serve(kr4100::sim::VirtualRadio& radio, kr4100::sim::TestModeResponder& testMode,
          const kr4100::sim::PtyServerOptions& options) {
  if (!InstallStopHandlers()) {
    std::perror("kr4100-sim: signal handlers");
    return kExitFailure;
  }
  kr4100::sim::PtyServer server(radio, options);
  // Alignment values set in test mode are kept like a write's data: stored when test mode is left.
  server.setSaveWanted([&testMode, seen = 0]() mutable {
    const bool left = testMode.testModeEnds() != seen;
    seen = testMode.testModeEnds();
    return left;
  });
  std::string error;
  if (!server.open(error)) {
    std::cerr << "kr4100-sim: " << error << '\n';
    return kExitFailure;
  }
  std::cout << server.slavePath() << std::endl;

  const bool served = server.serve(gStopPipe[0], error);
  if (!served) std::cerr << "kr4100-sim: " << error << '\n';
  std::string saveError;
  if (!server.save(saveError)) {
    std::cerr << "kr4100-sim: " << saveError << '\n';
    return kExitFailure;
  }
  return served ? kExitOk : kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Virtual KR-4100 radio on a pseudo-terminal"};
  app.name("kr4100-sim");
  app.set_version_flag("--version", kr4100::kProgramVersion,
                       "Print the program's version and exit");
  SimOptions o;
  AddRadioOptions(app, o);
  AddTransferFaultOptions(app, o.faults);
  AddTestModeOptions(app, o);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? kExitOk : kExitUsage;
  }

  std::optional<RadioImage> image;
  if (!ResolveIdentity(o, image)) return kExitUsage;
  std::optional<kr4100::RadioConfig> testChannels;
  if (!o.testChannelsPath.empty() &&
      !LoadNamedFile(o.testChannelsPath, &LoadTestChannels, testChannels))
    return kExitUsage;

  kr4100::sim::VirtualRadio radio(o.id, o.faults);
  if (image) {
    radio.memory() = *image;
    radio.setIdentity(o.id);
  }
  // Attached once the memory is in place: a fresh radio's alignment values are filled in, an
  // image's are kept.
  kr4100::sim::TestModeResponder testMode(radio);
  testMode.faults() = o.testFaults;
  if (testChannels) testMode.setTestChannels(*testChannels);
  return Serve(radio, testMode, o.server);
}
