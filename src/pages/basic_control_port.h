// What the pages ask of the control panel's basic control: which input the
// receiver plays, and taking a sound program that a page chose.
#pragma once

namespace qamp {

class BasicControlPort {
 public:
  virtual ~BasicControlPort() = default;
  // Image word 1 of the current image: the input-table index 0..12.
  virtual int CurrentInput() const = 0;
  // The basic control takes `program` (0..25, or 26 for Straight) as its
  // DSP program and shows it; with `send`, Real Time Mode also sends it.
  virtual void ApplyProgram(int program, bool send) = 0;
};

}  // namespace qamp
