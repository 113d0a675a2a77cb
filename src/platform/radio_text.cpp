// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/radio_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kr4100 {
namespace {

constexpr const char* kRadioEncoding = "GB18030";

}  // namespace

QString FromRadioText(std::string_view bytes) {
  // A fresh decoder each time: a lead byte left over at the end stays in its state, unshown.
  QStringDecoder decoder(kRadioEncoding);
  if (!decoder.isValid()) {
    // A Qt without ICU: the ASCII part at least is right.
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string ToRadioText(const QString& text, std::size_t maxBytes) {
  QStringEncoder encoder(kRadioEncoding);
  std::string bytes;
  // Character by character, so that the cut falls between two of them.
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QStringView character = QStringView(text).mid(i, length);
    const QByteArray encoded =
        encoder.isValid() ? QByteArray(encoder.encode(character)) : character.toLatin1();
    if (bytes.size() + static_cast<std::size_t>(encoded.size()) > maxBytes) break;
    bytes.append(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    i += length;
  }
  return bytes;
}

}  // namespace kr4100
