#pragma once

#include <QRegularExpression>
#include <QString>

// True when text holds letters of the Japanese script: kana, CJK punctuation and ideographs,
// full-width forms.
inline bool HasJapanese(const QString& text) {
  static const QRegularExpression japanese(
      QStringLiteral("[\\x{3000}-\\x{30FF}\\x{3400}-\\x{4DBF}\\x{4E00}-\\x{9FFF}\\x{F900}-\\x{FAFF}\\x{FF00}-\\x{FFEF}]"));
  return text.contains(japanese);
}
