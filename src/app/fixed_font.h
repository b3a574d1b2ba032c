// The monospaced font of the report, the padded lists and the iPod texts,
// whose columns line up only when every character is as wide as the next.
#pragma once

#include <QFont>

namespace qamp {

// The desktop's fixed font where the font matcher confirms it is of fixed
// pitch; otherwise the first installed family that is.
QFont FixedPitchFont();

}  // namespace qamp
