#include "platform/radio_text.h"

#include <QStringDecoder>

namespace kr4100 {

QString FromRadioText(std::string_view bytes) {
  // A fresh decoder each time: a lead byte left over at the end stays in its state, unshown.
  QStringDecoder decoder("GB18030");
  if (!decoder.isValid()) {
    // A Qt without ICU: the ASCII part at least is right.
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace kr4100
