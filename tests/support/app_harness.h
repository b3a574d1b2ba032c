// The whole application (session and pages) with the in-process simulated
// receiver on a virtual clock.
#pragma once

#include "document/qamptool_app.h"
#include "support/lossy_transport.h"
#include "support/session_harness.h"

namespace qamp::testing {

class AnsweringPageHost : public QuietPageHost {
 public:
  bool AskOkCancel(std::string_view text, std::string_view /*title*/) override {
    questions.emplace_back(text);
    return answer;
  }
  // Boxes with OK alone are told, not asked: kept with their icon.
  bool Message(std::string_view text, std::string_view title, PageIcon icon,
               PageButtons buttons) override {
    if (buttons != PageButtons::kOk) return AskOkCancel(text, title);
    told.emplace_back(text);
    toldIcons.push_back(icon);
    return true;
  }
  std::vector<std::string> questions;
  std::vector<std::string> told;
  std::vector<PageIcon> toldIcons;
  bool answer = true;
};

struct AppHarness {
  explicit AppHarness(sim::SimOptions options = {}, ControlMode mode = ControlMode::kAsync,
                      int region = 1)
      : receiver(std::move(options)),
        transport(receiver, clock),
        host(clock),
        app(transport, host, pageHost, mode, region, &log, [this] {
          return LogTime{clock.NowMs() / 1000, "T+" + std::to_string(clock.NowMs()) + "ms"};
        }) {
    host.session = &app.Session();
    app.Session().SetPorts({{"sim", "sim"}});
    app.Session().SelectPort(1);
  }

  CCommClass& link() { return app.Link(); }

  std::optional<Outcome> RunUntilOutcome(int64_t limitMs = 7200000) {
    const size_t before = host.outcomes.size();
    clock.RunUntil([&] { return host.outcomes.size() > before; }, limitMs);
    if (host.outcomes.size() == before) return std::nullopt;
    return host.outcomes.back();
  }

  sim::VirtualClock clock;
  sim::CSimulatedReceiver receiver;
  LossyTransport transport;
  RecordingHost host;
  AnsweringPageHost pageHost;
  MemoryLog log;
  CQAmpToolApp app;
};

}  // namespace qamp::testing
