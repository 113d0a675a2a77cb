// SPDX-License-Identifier: GPL-3.0-or-later
// The test mode windows' text table, both languages, one row per TestModeText in enum order.
#include "core/texts/test_mode_texts.h"

#include <array>
#include <cstddef>

#include "core/texts/text_table.h"

namespace kr4100 {
namespace {

constexpr std::array<Bilingual, static_cast<std::size_t>(TestModeText::Count)> kTestModeTexts{{
    /* Caption */ {"Test Mode", "测试模式"},
    /* ChannelFrame */ {"Test Channel", "测试信道"},
    /* SignallingFrame */ {"Test Signalling", "测试信令"},
    /* ChannelNo */ {"Channel No.", "信道编号"},
    /* Signalling */ {"Signalling", "信令"},
    /* Rx */ {"RX", "接收"},
    /* Tx */ {"TX", "发射"},
    /* Wide */ {"&Wide", "宽带(&W)"},
    /* Narrow */ {"&Narrow", "窄带(&N)"},
    /* Tuning */ {"&Tuning", "调协模式(&T)"},
    /* Print */ {"p&Rint", "打印(&R)"},
    /* Ptt */ {"&PTT", "&PTT"},
    /* Items */ {"Adjustment items", "调整项目"},
    /* MicrophoneReleased */ {"Microphone, released", "麦克风，未发射"},
    /* AntennaReceiving */ {"Antenna, receiving", "天线，接收"},
    /* MicrophoneTransmitting */ {"Microphone, transmitting", "麦克风，发射中"},
    /* AntennaTransmitting */ {"Antenna, transmitting", "天线，发射中"},
    /* WidePicture */ {"Wide band", "宽带"},
    /* NarrowPicture */ {"Narrow band", "窄带"},
    /* TransmitLamp */ {"Transmit lamp", "发射指示灯"},
    /* ParaStart */ {"&Start", "开始(&S)"},
    /* ParaPtt */ {"PTT", "PTT"},
    /* ParaValue */ {"Value", "数值"},
    /* ParaLevel */ {"Level", "电平"},
    /* ParaMeasured */ {"Measured value", "测量值"},
    /* ParaLamp */ {"Indicator lamp", "指示灯"},
}};
static_assert(AllRowsFilled(kTestModeTexts), "every test mode text needs both languages");

}  // namespace

const Bilingual& TestModeTextOf(TestModeText id) {
  return RowOf(kTestModeTexts, static_cast<std::size_t>(id));
}

}  // namespace kr4100
