// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/port_failure.h"

#include <cerrno>
#include <utility>

#include "core/texts/messages.h"

namespace kr4100 {
namespace {

// Win32 error codes, by value: the core does not include <windows.h>.
constexpr unsigned long kWinFileNotFound = 2;           // ERROR_FILE_NOT_FOUND
constexpr unsigned long kWinPathNotFound = 3;           // ERROR_PATH_NOT_FOUND
constexpr unsigned long kWinAccessDenied = 5;           // ERROR_ACCESS_DENIED
constexpr unsigned long kWinSharingViolation = 32;      // ERROR_SHARING_VIOLATION
constexpr unsigned long kWinBadUnit = 20;               // ERROR_BAD_UNIT
constexpr unsigned long kWinDeviceNotConnected = 1167;  // ERROR_DEVICE_NOT_CONNECTED

}  // namespace

PortFailure FailureFromErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return PortFailure::NoPermission;
    case EBUSY:
      return PortFailure::Busy;
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return PortFailure::Gone;
    default:
      return PortFailure::Unknown;
  }
}

PortFailure FailureFromWin32Error(unsigned long error) {
  switch (error) {
    case kWinAccessDenied:
    case kWinSharingViolation:
      return PortFailure::Busy;
    case kWinFileNotFound:
    case kWinPathNotFound:
    case kWinBadUnit:
    case kWinDeviceNotConnected:
      return PortFailure::Gone;
    default:
      return PortFailure::Unknown;
  }
}

PortOpenError ExplainPosixOpenFailure(int statError, int accessError, std::string ownerGroup,
                                      PortFailure reported) {
  if (statError != 0) {
    const PortFailure failure = FailureFromErrno(statError);
    return {failure == PortFailure::Unknown ? reported : failure, {}, {}};
  }
  if (accessError != 0 && FailureFromErrno(accessError) == PortFailure::NoPermission)
    return {PortFailure::NoPermission, std::move(ownerGroup), {}};
  if (reported == PortFailure::NoPermission) return {PortFailure::Busy, {}, {}};
  return {reported, {}, {}};
}

std::string PortFailureReason(const PortOpenError& error, int language) {
  switch (error.failure) {
    case PortFailure::NoPermission:
      if (error.group.empty()) return MessageText(MessageId::PortNoPermission, language);
      return MessageWith(MessageId::PortNotInGroup, language,
                         {{"{group}", error.group}, {"{group}", error.group}});
    case PortFailure::Busy:
      return MessageText(MessageId::PortBusy, language);
    case PortFailure::Gone:
      if (error.claimedBy)
        return std::string(MessageText(MessageId::PortGone, language)) + "\r\n" +
               BrailleClaimAdvice(*error.claimedBy, language);
      return MessageText(MessageId::PortGone, language);
    case PortFailure::Unknown:
      break;
  }
  return {};
}

std::string PortErrorText(const PortOpenError& error, int language) {
  std::string text = MessageText(MessageId::PortError, language);
  if (const std::string reason = PortFailureReason(error, language); !reason.empty())
    text += "\r\n" + reason;
  return text;
}

}  // namespace kr4100
