// One port that several links take turns at. Each link has a user of its
// own, a SerialTransport; the user that opened the port holds it, gets its
// characters and its failure, until it closes it, and while it does no
// other user can open it. The window's link and the link that reads the
// receiver for a comparison share the window's port this way, so that both
// reach the same receiver through the same trace.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "link/serial_transport.h"

namespace qamp {

inline constexpr std::string_view kPortHeldText =
    "The port is in use by another operation of this program.";

class SharedPort : public TransportListener {
 public:
  explicit SharedPort(SerialTransport& port);
  ~SharedPort() override;
  SharedPort(const SharedPort&) = delete;
  SharedPort& operator=(const SharedPort&) = delete;

  // A new user; it lives as long as the shared port.
  SerialTransport& AddUser();
  // The user that holds the port, or nothing.
  const SerialTransport* Holder() const;

  void DataArrived() override;
  void PortFailed(std::string_view reason) override;

 private:
  class User;
  SerialTransport& port_;
  std::vector<std::unique_ptr<User>> users_;
  User* holder_ = nullptr;
};

}  // namespace qamp
