// The "Initialize" and "Command Sending" windows: modal to the user, but the
// event loop runs on, so the receiver's answers, the timers and repaints go
// on while they are open. Besides the bar they show the time elapsed and an
// estimate of the time remaining, since a load takes more than a minute and
// an Upload minutes.
#pragma once

#include <QDialog>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <string_view>

class QLabel;
class QProgressBar;
class QPushButton;

namespace qamp {

// The texts of the session's two windows: its connection ("Initialize")
// and its sending.
inline constexpr std::string_view kConnectingText = "Connecting to the receiver...";
inline constexpr std::string_view kCommandSendingText = "Command Sending...";

class CProgressWindow : public QDialog {
 public:
  // `now` gives milliseconds on the clock the link runs on; `cancel` is what
  // the "Cancel" button (and Escape, and closing the window) asks for.
  CProgressWindow(QWidget* parent, const QString& caption, const QString& text, int range,
                  std::function<int64_t()> now, std::function<void()> cancel);

  void SetProgress(int position);
  // A line under the text: what is being sent, or why it changed.
  void SetNote(const QString& note);
  QString Note() const;
  int Position() const { return position_; }
  int Range() const { return range_; }
  QString ElapsedText() const;
  QString RemainingText() const;
  // "m:ss", or "h:mm:ss" from an hour on.
  static QString DurationText(int64_t milliseconds);
  // The time left at the rate so far; -1 before there is a rate to go by.
  static int64_t EstimateRemainingMs(int64_t elapsedMs, int position, int range);

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void UpdateTimes();

  std::function<int64_t()> now_;
  std::function<void()> cancel_;
  int64_t started_;
  int range_;
  int position_ = 0;
  QProgressBar* bar_;
  QLabel* times_;
  QLabel* note_;
  QPushButton* cancelButton_;
  QTimer tick_;
};

}  // namespace qamp
