#pragma once

#include <QFile>
#include <QString>
#include <QXmlStreamReader>
#include <vector>

// One text of the program's English translation file, as the build compiles it.
struct TTranslatedText {
  QString context, source, translation;
  bool finished = true;  // not marked "unfinished" by the translation tools
};

// The texts of translations/zudozo_en.ts in the source tree; none when it cannot be read.
inline std::vector<TTranslatedText> EnglishTranslationFile() {
  QFile ts(QStringLiteral(ZUDOZO_TRANSLATIONS_DIR "/zudozo_en.ts"));
  std::vector<TTranslatedText> texts;
  if (!ts.open(QIODevice::ReadOnly)) return texts;
  TTranslatedText text;
  for (QXmlStreamReader xml(&ts); !xml.atEnd();) {
    if (!xml.readNextStartElement()) continue;
    if (xml.name() == QLatin1String("name")) text.context = xml.readElementText();
    if (xml.name() == QLatin1String("source")) text.source = xml.readElementText();
    if (xml.name() != QLatin1String("translation")) continue;
    text.finished = xml.attributes().value(QStringLiteral("type")).isEmpty();
    text.translation = xml.readElementText();
    texts.push_back(text);
  }
  return texts;
}
