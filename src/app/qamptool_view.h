// The main view: the control panel above (connection, transfers, zone
// power, System Memory, the basic control and the main volume) and the
// sheet of setting pages below. It renders what the session and the basic
// control describe and forwards the user's actions to them.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "app/app_settings.h"
#include "document/qamptool_app.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace qamp {

class CGuiHost;
class CMySheet;
class CMemoryWindow;
class CProgressWindow;

// The small mark beside the controls whose parameters belong to System
// Memory.
QPixmap SystemMemoryMark();
// A read-out: green text on black.
void StyleReadOut(QLabel* label);

// One entry of the connection list.
struct ConnectionEntry {
  QString name;            // as shown
  QString device;          // what the port router opens; empty for "Auto"
  QString problem;         // why the port cannot be opened now, and the mend; empty when it can
  QString shortName = {};  // "ttyUSB0": a saved "Port" or --port may name it so
};

class CQAmpToolView : public QWidget {
 public:
  CQAmpToolView(CQAmpToolApp& app, CGuiHost& host, CAppSettings& settings,
                std::vector<ConnectionEntry> ports, QWidget* parent = nullptr);
  ~CQAmpToolView() override;

  // The first layout: selects the saved port and page, fills the controls.
  void InitialUpdate();
  // Stores the port and the active page into the settings (at exit).
  void StoreSettings();

  // --- Panel commands ------------------------------------------------------------
  void Open();
  void Close();
  void Reload();
  void Upload();
  // What "<< Download" sends: what differs from the state the receiver is
  // known to hold (the whole configuration when none is known), the whole
  // configuration, or the parts the user ticks.
  enum class DownloadChoice { kChanged, kWhole, kParts };
  void Download(DownloadChoice choice = DownloadChoice::kChanged);
  // Whole and chosen Downloads are read back too.
  bool ReadsBackEveryDownload() const { return readBackAll_; }
  void SetReadsBackEveryDownload(bool on) { readBackAll_ = on; }
  // The notice's line on what a Download will send.
  static QString PlanText(const DownloadPlan& plan);
  void OpenMemoryWindow();
  // Selects a connection entry by its shown name or its device; a device
  // not in the list is added as a typed entry. False when `text` is empty.
  bool SelectConnection(const QString& text);
  // The ports a connection tries and the selection among them (as
  // CReceiverSession::SetPorts and SelectPort take them), from the chosen
  // entry or what the user typed.
  struct ConnectionChoice {
    std::vector<PortEntry> ports;
    int selection = 0;
  };
  ConnectionChoice ChosenConnection();
  // False, having said why, when the chosen port is one that cannot be opened.
  bool ChosenPortCanOpen();

  // --- What the session shows --------------------------------------------------------
  enum class Progress { kInitialize, kSending };
  void SetProgressNote(const QString& note);
  void ShowConnectionStatus(const QString& text);
  void ShowStatusBarText(const QString& text);
  void OpenProgress(Progress kind, int range, const QString& caption);
  void SetProgress(int position);
  void CloseProgress();
  void RefreshUserInterface();
  void RefreshActivePage();
  void RefreshParams(const std::vector<ParamId>& ids);
  void RefreshBasicControl(ParamId id);
  void RefreshMemoryWindow();
  void OperationEnded(OperationOutcome outcome);

  // --- For the frame and the tests ------------------------------------------------------
  bool IsProgressOpen() const { return progress_ != nullptr; }
  CProgressWindow* ProgressWindow() const { return progress_; }
  CMySheet& Sheet() { return *sheet_; }
  CMemoryWindow* MemoryWindow() const { return memoryWindow_; }
  QString StatusBarText() const { return statusBarText_; }
  QString ConnectionStatus() const;
  const std::vector<ConnectionEntry>& Connections() const { return ports_; }
  // Told when the status bar text or the wait cursor state changes.
  std::function<void(const QString&)> onStatusBar;
  std::function<void(bool)> onProgressOpen;
  // Told after every change of the configuration the user made or a
  // transfer brought (the document keeps track of unsaved changes).
  std::function<void()> onChanged;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* BuildConnectionBox();
  QWidget* BuildBasicControlBox();
  QWidget* BuildZoneAndMemoryBox();
  QWidget* BuildVolumeBox();
  QWidget* BuildLegend();
  void ApplyConnectionChoice();
  void UpdateConnectionButtons();
  void RenderBasicControls();
  void VolumeChanged(int value);
  void Changed();

  CQAmpToolApp& app_;
  CGuiHost& host_;
  CAppSettings& settings_;
  std::vector<ConnectionEntry> ports_;
  bool realTime_;

  // Connection.
  QComboBox* portCombo_ = nullptr;
  QPushButton* openButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
  QLabel* statusText_ = nullptr;
  QLabel* modeText_ = nullptr;
  QGroupBox* reloadBox_ = nullptr;
  QPushButton* reloadButton_ = nullptr;
  QPushButton* uploadButton_ = nullptr;
  QPushButton* downloadButton_ = nullptr;
  QGroupBox* zoneBox_ = nullptr;
  QPushButton* memoryButton_ = nullptr;
  // Basic control, by control number.
  QComboBox* inputCombo_ = nullptr;
  QComboBox* audioCombo_ = nullptr;
  QComboBox* decoderCombo_ = nullptr;
  QButtonGroup* programRadios_ = nullptr;
  QRadioButton* programRadio_ = nullptr;
  QRadioButton* straightRadio_ = nullptr;
  QComboBox* programCombo_ = nullptr;
  QComboBox* surroundCombo_ = nullptr;
  QSlider* volumeSlider_ = nullptr;
  QLabel* volumeText_ = nullptr;
  QCheckBox* muteCheck_ = nullptr;
  QCheckBox* pureDirectCheck_ = nullptr;
  QCheckBox* zoneChecks_[3] = {nullptr, nullptr, nullptr};

  CMySheet* sheet_ = nullptr;
  CMemoryWindow* memoryWindow_ = nullptr;
  CProgressWindow* progress_ = nullptr;
  bool readBackAll_ = false;
  QString statusBarText_;
  bool rendering_ = false;
  bool connected_ = false;
};

}  // namespace qamp
