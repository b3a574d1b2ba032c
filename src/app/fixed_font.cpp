#include "app/fixed_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace qamp {

namespace {

QFont FindFixedPitchFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (QFontInfo(font).fixedPitch()) return font;
  // Some monospaced families do not tell the matcher that they are (the
  // desktop may name one as its fixed font all the same), so the columns
  // would be measured as proportional: take a family that says it is.
  const QStringList preferred{"DejaVu Sans Mono", "Liberation Mono", "Noto Mono", "Nimbus Mono PS",
                              "FreeMono"};
  QStringList candidates;
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : preferred) {
    if (installed.contains(family)) candidates << family;
  }
  for (const QString& family : installed) {
    if (QFontDatabase::isFixedPitch(family) && QFontDatabase::isSmoothlyScalable(family))
      candidates << family;
  }
  for (const QString& family : candidates) {
    QFont candidate = font;
    candidate.setFamilies({family});
    candidate.setStyleHint(QFont::Monospace);
    if (QFontInfo(candidate).fixedPitch()) return candidate;
  }
  return font;
}

}  // namespace

QFont FixedPitchFont() {
  static const QFont font = FindFixedPitchFont();
  return font;
}

}  // namespace qamp
