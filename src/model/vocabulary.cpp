#include "model/vocabulary.h"

namespace qamp {

int InputDspRecordOfInput(int input) {
  if (input == 8) return 9;
  if (input == 9) return 8;
  return input;
}

}  // namespace qamp
