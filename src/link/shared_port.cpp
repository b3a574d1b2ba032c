#include "link/shared_port.h"

namespace qamp {

class SharedPort::User : public SerialTransport {
 public:
  explicit User(SharedPort& shared) : shared_(shared) {}

  bool Open(std::string_view device, std::string& error) override {
    // A port that another user holds, or that was opened past the shared
    // port, is not this user's to open.
    if (shared_.holder_ != nullptr || shared_.port_.IsOpen()) {
      error = std::string(kPortHeldText);
      return false;
    }
    if (!shared_.port_.Open(device, error)) return false;
    shared_.holder_ = this;
    return true;
  }
  void Close() override {
    if (!Holds()) return;
    shared_.holder_ = nullptr;
    shared_.port_.Close();
  }
  bool IsOpen() const override { return Holds() && shared_.port_.IsOpen(); }
  bool Write(std::string_view bytes) override { return Holds() && shared_.port_.Write(bytes); }
  std::string ReadAvailable() override {
    return Holds() ? shared_.port_.ReadAvailable() : std::string();
  }
  bool IsCtsOn() override { return shared_.port_.IsCtsOn(); }

  void TellDataArrived() {
    if (listener_ != nullptr) listener_->DataArrived();
  }
  void TellFailed(std::string_view reason) {
    if (listener_ != nullptr) listener_->PortFailed(reason);
  }

 private:
  bool Holds() const { return shared_.holder_ == this; }

  SharedPort& shared_;
};

SharedPort::SharedPort(SerialTransport& port) : port_(port) {
  port_.SetListener(this);
}

SharedPort::~SharedPort() {
  port_.SetListener(nullptr);
}

SerialTransport& SharedPort::AddUser() {
  users_.push_back(std::make_unique<User>(*this));
  return *users_.back();
}

const SerialTransport* SharedPort::Holder() const {
  return holder_;
}

void SharedPort::DataArrived() {
  if (holder_ != nullptr) holder_->TellDataArrived();
}

void SharedPort::PortFailed(std::string_view reason) {
  // The port has closed itself: nobody holds it any more.
  User* holder = holder_;
  holder_ = nullptr;
  if (holder != nullptr) holder->TellFailed(reason);
}

}  // namespace qamp
