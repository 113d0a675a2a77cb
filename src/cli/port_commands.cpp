// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/port_commands.h"

#include <ostream>
#include <string>

#include "core/link/braille_claim.h"
#include "core/texts/port_texts.h"

namespace kr4100 {
namespace {

// The advice when the braille-display service may have taken the cable.
void AdviseIfClaimed(const CliContext& context, const PortHooks& hooks) {
  if (const auto claim = FindBrailleClaim(hooks.udevRuleDirs))
    PrintMessage(context.err, BrailleClaimAdvice(*claim, context.language));
}

std::string Joined(const std::vector<PortDescription>& ports, std::size_t from) {
  std::string text;
  for (std::size_t i = from; i < ports.size(); ++i)
    text += (text.empty() ? "" : ", ") + PortLabel(ports[i]);
  return text;
}

int WaitForNewPort(const CliContext& context, const PortHooks& hooks) {
  const int seconds = context.options.waitNew;
  CableFinder finder(hooks.list(), std::chrono::seconds(seconds));
  const CableSearch result = WaitForCable(finder, hooks.list, kWaitNewInterval, hooks.pause);
  const std::vector<PortDescription>& ports = finder.ports();
  const int language = context.language;
  switch (result) {
    case CableSearch::Found:
    case CableSearch::Several:
      // The port as --port takes it, alone on its line, for a script.
      context.out << ports.front().port << '\n';
      if (ports.size() > 1)
        PrintMessage(context.err,
                     FillField(kWaitNewOthers.in(language), "{ports}", Joined(ports, 1)));
      return kExitOk;
    case CableSearch::Vanished:
      PrintMessage(context.err,
                   FillField(kFindCableVanished.in(language), "{port}", Joined(ports, 0)));
      AdviseIfClaimed(context, hooks);
      return kExitFailed;
    case CableSearch::Waiting:
    case CableSearch::None:
      break;
  }
  PrintMessage(context.err,
               FillField(kWaitNewNone.in(language), "{seconds}", std::to_string(seconds)));
  if (!HasUsbPort(hooks.list())) AdviseIfClaimed(context, hooks);
  return kExitFailed;
}

}  // namespace

int ListPorts(const CliContext& context, const PortHooks& hooks) {
  if (context.options.waitNew >= 0) return WaitForNewPort(context, hooks);
  const std::vector<PortDescription> ports = hooks.list();
  for (const PortDescription& port : ports) context.out << PortLabel(port) << '\n';
  if (!HasUsbPort(ports)) AdviseIfClaimed(context, hooks);
  return kExitOk;
}

}  // namespace kr4100
