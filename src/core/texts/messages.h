// SPDX-License-Identifier: GPL-3.0-or-later
// The program's message table: every message box text, in both languages.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <string_view>

#include "core/texts/bilingual.h"

namespace kr4100 {

enum class MessageId : int {
  NewDocument,            // "All data will be cleared."
  FileTitle,              // "Data File"
  FileError,              // "file error."
  PortError,              // "Cannot Open Communication Port."
  ReadQuestion,           // "Read data from radio." CR LF "Do you wish continue?"
  WriteQuestion,          // "Write data to radio." CR LF "Do you wish continue?"
  SaveQuestion,           // "File has been modify,save it now?"
  OverwriteQuestion,      // "file will be Overwrite,Continue?"
  Connection,             // "Check Connection. Retry or Cancel?"
  ReadCompleted,          // "Read Data Completed."
  WriteCompleted,         // "Write Data Completed."
  PrintSelection,         // "Please select printing items."
  ModelWrong,             // "Model type is wrong."
  VersionWrong,           // "Version is wrong."
  BandWrong,              // "Frequency band type is wrong."
  FirmwareVersion,        // "Firmware version is"
  SoftwareVersion,        // "Programming software version is"
  DataFileVersion,        // "DataFile version is"
  TestFrequencyMismatch,  // "Test Frequency nismatch." ...
  FrequencyDataCleared,   // "Frequency data will be cleared."
  OkButton,               // "&OK"
  CancelButton,           // "&Cancel"
  WarningTitle,           // "Warning"
  InvalidData,            // "Invalid Data"
  OutOfRange,             // "Frequency is out of range."
  NotNumeric,             // "is not numeric."
  CloseButton,            // "&Close"
  PrintButton,            // "&Print"
  HelpButton,             // "&Help"
  UnknownDataFileVersion, // "Unknown version Of DataFile!"
  IncompatibleVersion,    // "incompatible version. It may cause unknown error.To start ..."
  ProgrammingSoftwareIs,  // "programming software is" (second line of the incompatible question)
  VersionNotExist,        // "Fail to start the software. This version does not exist."
  NotIsNumeric,           // "Not IsNumeric"
  ReadCaption,            // "Read data from radio" (progress window caption)
  WriteCaption,           // "Write data to radio"
  CompletionPercentage,   // "Completion percentage:"
  SearchCaption,          // "Search for communication setting,please wait for a few minutes..."
  RadioInfoNotWritten,    // the radio did not take the radio information
  RadioCountInvalid,      // the number of radios for a group write is not a positive whole number
  PackRefused,            // lead text before the setting that does not fit the radio's memory
  UnpackRefused,          // lead text before what made the data read from the radio unusable
  BandNotStorable,        // the model dialog refuses a band of 100 MHz or more
  // Channel CSV and the channel grid's clipboard.
  ChannelsNotImported,    // lead text before the rows of a channel file that were refused
  ChannelsNotPasted,      // lead text before the pasted rows that were refused
  // Backups, read-back verify and the group write's production log.
  BackupFailed,           // lead text before the backup file that could not be written
  VerifyFailed,           // lead text before the list of differences a read-back found
  VerifyMore,             // "and {n} more" below the first differences
  GroupSummary,           // "{n} of {total} radios written"
  GroupFailedCount,       // "{n} failed"
  GroupProgressCounts,    // the group progress window's running tally
  GroupRadioDifference,   // "Radio {n}: " in front of a difference in the group summary
  ProductionLogFailed,    // the production log file could not be written
  VerifyCaption,          // progress caption while a write is read back
  // The channel grid's commands on several channels at once.
  ChannelsPastSixty,      // "{group}": the group would need more than 60 channels
  GroupKeepsOneChannel,   // a command would leave a group without channels
  FillRefused,            // lead text before the channels a fill would put outside "{band}"
  FillTheRest,            // the question after the refused channels
  FillNothing,            // no chosen channel can be filled
  FillNotNumbers,         // the fill dialog's fields are not numbers
  FillStepNotTenHz,       // the fill's step is not a multiple of 0.01 kHz
  FillOffsetNotTenHz,     // the fill's TX offset is not a multiple of 0.01 kHz
  // Why a port would not open, on the lines below "Cannot Open Communication Port.".
  PortNoPermission,       // the user may not use the device
  PortNotInGroup,         // the same, naming the device's group "{group}" and how to join it
  PortBusy,               // another program holds the port
  PortGone,               // the port does not exist (unplugged)
  // A write that stopped after its first data block, and what may restore the radio.
  WritePartial,           // the radio may hold part of the new configuration
  WriteBackOffer,         // "{when}": write back the backup of what the radio held before?
  WriteBackFile,          // "{file}": the command line names that backup
  TraceFailed,            // "{file}": the serial trace could not be made (the session goes on)
  Count
};

const Bilingual& Message(MessageId id);
inline const char* MessageText(MessageId id, int language) { return Message(id).in(language); }

// What the port search found, for the command line: the device, its stop bits and handshaking
// (0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both), e.g. "Radio found on /dev/ttyUSB0, 2 stop bits,
// handshaking RTS/CTS".
// Message text with "{name}" fields filled in order of the pairs given.
std::string MessageWith(MessageId id, int language,
                        std::initializer_list<std::pair<std::string_view, std::string>> fields);

std::string RadioFoundText(std::string_view device, int stopBits, int handshaking, int language);

}  // namespace kr4100
