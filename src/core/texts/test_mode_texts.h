// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the test mode window and of its adjustment dialog. The items', signallings' and
// messages' names are the test-mode core's; OK, Cancel and Close are the program's messages.
#pragma once

#include "core/texts/bilingual.h"

namespace kr4100 {

enum class TestModeText : int {
  Caption,
  ChannelFrame,  // the two list frames, channel first
  SignallingFrame,
  ChannelNo,
  Signalling,
  Rx,
  Tx,
  Wide,
  Narrow,
  Tuning,
  Print,
  Ptt,
  // Named for assistive tools only: the window itself shows pictures.
  Items,
  MicrophoneReleased,
  AntennaReceiving,
  MicrophoneTransmitting,
  AntennaTransmitting,
  WidePicture,
  NarrowPicture,
  TransmitLamp,
  // The adjustment dialog; its PTT button has no accelerator.
  ParaStart,
  ParaPtt,
  ParaValue,  // named for assistive tools only, as the three below
  ParaLevel,
  ParaMeasured,
  ParaLamp,
  Count
};

const Bilingual& TestModeTextOf(TestModeText id);

}  // namespace kr4100
