#include "app/qamptool_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/fixed_font.h"
#include "app/gui_host.h"
#include "app/memory_window.h"
#include "app/my_sheet.h"
#include "app/page_controls.h"
#include "app/progress_window.h"
#include "pages/basic_control.h"
#include "pages/memory_page.h"

namespace qamp {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Arrow keys move neither a radio selection nor a slider, nor a list's
// choice: the receiver would be sent every step on the way.
class ArrowKeyFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && IsArrowKey(static_cast<QKeyEvent*>(event)->key())) {
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

QComboBox* NewCombo(const std::vector<std::string>& items, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  for (const std::string& item : items) combo->addItem(QString::fromStdString(item));
  return combo;
}

void SetItems(QComboBox* combo, const std::vector<std::string>& items) {
  bool same = combo->count() == static_cast<int>(items.size());
  for (int i = 0; same && i < combo->count(); ++i) {
    same = combo->itemText(i).toStdString() == items[static_cast<size_t>(i)];
  }
  if (same) return;
  combo->clear();
  for (const std::string& item : items) combo->addItem(QString::fromStdString(item));
}

QLabel* Buddy(const QString& caption, QWidget* control, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setTextFormat(Qt::PlainText);
  label->setBuddy(control);
  control->setAccessibleName(caption);
  return label;
}

QLabel* MarkLabel(QWidget* parent) {
  auto* mark = new QLabel(parent);
  mark->setPixmap(SystemMemoryMark());
  mark->setToolTip("An element of System Memory");
  mark->setAccessibleName("System Memory mark");
  return mark;
}

}  // namespace

QPixmap SystemMemoryMark() {
  // A small filled tag with an "M": visible on light and dark themes.
  QPixmap pixmap(14, 12);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 96, 192));
  painter.drawRoundedRect(QRectF(0.5, 0.5, 13, 11), 2, 2);
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setPixelSize(9);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, 14, 12), Qt::AlignCenter, "M");
  return pixmap;
}

void StyleReadOut(QLabel* label) {
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, QColor(0, 250, 0));
  label->setPalette(palette);
  label->setMargin(2);
  QFont font = label->font();
  font.setFamilies(FixedPitchFont().families());
  font.setStyleHint(QFont::Monospace);
  label->setFont(font);
}

CQAmpToolView::CQAmpToolView(CQAmpToolApp& app, CGuiHost& host, CAppSettings& settings,
                             std::vector<ConnectionEntry> ports, QWidget* parent)
    : QWidget(parent),
      app_(app),
      host_(host),
      settings_(settings),
      ports_(std::move(ports)),
      realTime_(app.Link().IsRealTimeMode()) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  auto* panel = new QHBoxLayout;
  panel->addWidget(BuildConnectionBox());
  panel->addWidget(BuildBasicControlBox(), 1);
  panel->addWidget(BuildZoneAndMemoryBox());
  panel->addWidget(BuildVolumeBox());
  layout->addLayout(panel);
  layout->addWidget(BuildLegend());
  sheet_ = new CMySheet(app_.Pages().SheetPages(), this,
                        {&app_.Pages().ParametricEq(), &host_.Dialogs()});
  layout->addWidget(sheet_, 1);
  memoryWindow_ = new CMemoryWindow(app_.Pages().Memory(), this);
  memoryWindow_->hide();

  auto* filter = new ArrowKeyFilter(this);
  for (QWidget* control : std::initializer_list<QWidget*>{
           inputCombo_, audioCombo_, decoderCombo_, programRadio_, straightRadio_, programCombo_,
           surroundCombo_, volumeSlider_, muteCheck_, pureDirectCheck_, zoneChecks_[0],
           zoneChecks_[1], zoneChecks_[2]}) {
    control->installEventFilter(filter);
  }
}

CQAmpToolView::~CQAmpToolView() = default;

QWidget* CQAmpToolView::BuildConnectionBox() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* connection = new QGroupBox("Connection", column);
  auto* grid = new QGridLayout(connection);
  portCombo_ = new QComboBox(connection);
  portCombo_->setEditable(true);
  portCombo_->setInsertPolicy(QComboBox::NoInsert);
  portCombo_->setMinimumContentsLength(18);
  portCombo_->setToolTip("A port from the list, or type a device path or tcp:HOST:PORT");
  for (const ConnectionEntry& entry : ports_) {
    portCombo_->addItem(entry.name, entry.device);
    if (!entry.problem.isEmpty()) {
      portCombo_->setItemData(portCombo_->count() - 1, entry.problem, Qt::ToolTipRole);
    }
  }
  grid->addWidget(Buddy("Port", portCombo_, connection), 0, 0);
  grid->addWidget(portCombo_, 0, 1, 1, 2);
  openButton_ = new QPushButton("Open", connection);
  closeButton_ = new QPushButton("Close", connection);
  openButton_->setAccessibleName("Open");
  closeButton_->setAccessibleName("Close");
  grid->addWidget(openButton_, 1, 1);
  grid->addWidget(closeButton_, 1, 2);
  uploadButton_ = new QPushButton("Upload >>", connection);
  downloadButton_ = new QPushButton("<< Download", connection);
  uploadButton_->setAccessibleName("Upload >>");
  downloadButton_->setAccessibleName("<< Download");
  uploadButton_->setToolTip("Read the receiver's whole configuration into the program");
  downloadButton_->setToolTip("Write the program's configuration into the receiver");
  // Upload and Download take the place of Open and Close in Async Mode.
  grid->addWidget(uploadButton_, 1, 1);
  grid->addWidget(downloadButton_, 1, 2);
  statusText_ = new QLabel(Text(kStatusNotConnected), connection);
  statusText_->setTextFormat(Qt::PlainText);
  statusText_->setAccessibleName("Connection status");
  grid->addWidget(statusText_, 2, 0, 1, 3);
  modeText_ = new QLabel(realTime_ ? "RealTime" : "Async", connection);
  modeText_->setTextFormat(Qt::PlainText);
  auto* modeLabel = Buddy("Control Mode", modeText_, connection);
  grid->addWidget(modeLabel, 3, 0);
  grid->addWidget(modeText_, 3, 1, 1, 2);
  layout->addWidget(connection);

  reloadBox_ = new QGroupBox("Data Reload", column);
  auto* reloadLayout = new QHBoxLayout(reloadBox_);
  reloadButton_ = new QPushButton("Reload", reloadBox_);
  reloadButton_->setAccessibleName("Reload");
  reloadLayout->addWidget(reloadButton_);
  layout->addWidget(reloadBox_);
  layout->addStretch();

  connect(openButton_, &QPushButton::clicked, this, [this] { Open(); });
  connect(closeButton_, &QPushButton::clicked, this, [this] { Close(); });
  connect(reloadButton_, &QPushButton::clicked, this, [this] { Reload(); });
  connect(uploadButton_, &QPushButton::clicked, this, [this] { Upload(); });
  connect(downloadButton_, &QPushButton::clicked, this, [this] { Download(); });
  return column;
}

QWidget* CQAmpToolView::BuildZoneAndMemoryBox() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  zoneBox_ = new QGroupBox("Zone Power", column);
  auto* zones = new QVBoxLayout(zoneBox_);
  const char* zoneCaptions[] = {"Main", "Zone 2", "Zone 3"};
  for (int zone = 0; zone < 3; ++zone) {
    zoneChecks_[zone] = new QCheckBox(zoneCaptions[zone], zoneBox_);
    zoneChecks_[zone]->setAccessibleName(QString("Zone Power ") + zoneCaptions[zone]);
    zones->addWidget(zoneChecks_[zone]);
    connect(zoneChecks_[zone], &QCheckBox::toggled, this, [this, zone](bool on) {
      if (rendering_) return;
      app_.Pages().BasicControl().SetZonePower(zone, on);
      RenderBasicControls();
    });
  }
  layout->addWidget(zoneBox_);
  auto* memoryBox = new QGroupBox("System Memory", column);
  auto* memoryLayout = new QHBoxLayout(memoryBox);
  memoryButton_ = new QPushButton("Open", memoryBox);
  memoryButton_->setAccessibleName("System Memory Open");
  memoryLayout->addWidget(memoryButton_);
  layout->addWidget(memoryBox);
  layout->addStretch();
  connect(memoryButton_, &QPushButton::clicked, this, [this] { OpenMemoryWindow(); });
  return column;
}

QWidget* CQAmpToolView::BuildBasicControlBox() {
  CBasicControl& basic = app_.Pages().BasicControl();
  auto* box = new QGroupBox("Basic Control", this);
  auto* grid = new QGridLayout(box);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(4, 1);
  grid->setColumnMinimumWidth(2, 12);
  auto combo = [&](int id) {
    const Control* control = basic.FindControl(id);
    return NewCombo(control->items, box);
  };
  inputCombo_ = combo(CBasicControl::kInputCombo);
  audioCombo_ = combo(CBasicControl::kAudioSelectCombo);
  decoderCombo_ = combo(CBasicControl::kDecoderModeCombo);
  programCombo_ = combo(CBasicControl::kProgramCombo);
  surroundCombo_ = combo(CBasicControl::kExtdSurroundCombo);
  grid->addWidget(Buddy("Input", inputCombo_, box), 0, 0);
  grid->addWidget(inputCombo_, 0, 1);
  grid->addWidget(Buddy("Audio Select", audioCombo_, box), 1, 0);
  grid->addWidget(audioCombo_, 1, 1);
  grid->addWidget(Buddy("Decoder Mode", decoderCombo_, box), 2, 0);
  grid->addWidget(decoderCombo_, 2, 1);
  grid->addWidget(Buddy("EXTD Surround", surroundCombo_, box), 3, 0);
  grid->addWidget(surroundCombo_, 3, 1);

  programRadios_ = new QButtonGroup(box);
  programRadio_ = new QRadioButton("DSP Program", box);
  straightRadio_ = new QRadioButton("Straight", box);
  programRadio_->setAccessibleName("DSP Program");
  straightRadio_->setAccessibleName("Straight");
  programCombo_->setAccessibleName("DSP Program list");
  programRadios_->addButton(programRadio_, 0);
  programRadios_->addButton(straightRadio_, 1);
  muteCheck_ = new QCheckBox("Mute", box);
  pureDirectCheck_ = new QCheckBox("Pure Direct", box);
  muteCheck_->setAccessibleName("Mute");
  pureDirectCheck_->setAccessibleName("Pure Direct");
  // The mark stands right after the controls whose parameters System
  // Memory keeps.
  auto marked = [box](QWidget* control, QWidget* after = nullptr) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(control);
    row->addWidget(MarkLabel(box));
    if (after != nullptr) {
      row->addSpacing(8);
      row->addWidget(after, 1);
    } else {
      row->addStretch(1);
    }
    return row;
  };
  grid->addLayout(marked(programRadio_, programCombo_), 0, 3, 1, 2);
  grid->addLayout(marked(straightRadio_), 1, 3, 1, 2);
  grid->addWidget(muteCheck_, 2, 3, 1, 2);
  grid->addLayout(marked(pureDirectCheck_), 3, 3, 1, 2);
  grid->setRowStretch(4, 1);

  auto chosen = [this](QComboBox* source, auto action) {
    connect(source, qOverload<int>(&QComboBox::activated), this, [this, action](int index) {
      if (rendering_) return;
      action(app_.Pages().BasicControl(), index);
      RenderBasicControls();
    });
  };
  chosen(inputCombo_, [](CBasicControl& b, int i) { b.ChooseInput(i); });
  chosen(audioCombo_, [](CBasicControl& b, int i) { b.ChooseAudioSelect(i); });
  chosen(decoderCombo_, [](CBasicControl& b, int i) { b.ChooseDecoderMode(i); });
  chosen(programCombo_, [](CBasicControl& b, int i) { b.ChooseProgram(i); });
  chosen(surroundCombo_, [](CBasicControl& b, int i) { b.ChooseExtdSurround(i); });
  connect(programRadio_, &QRadioButton::clicked, this, [this] {
    if (rendering_) return;
    app_.Pages().BasicControl().ClickProgramRadio();
    RenderBasicControls();
  });
  connect(straightRadio_, &QRadioButton::clicked, this, [this] {
    if (rendering_) return;
    app_.Pages().BasicControl().ClickStraightRadio();
    RenderBasicControls();
  });
  connect(muteCheck_, &QCheckBox::toggled, this, [this](bool on) {
    if (rendering_) return;
    app_.Pages().BasicControl().SetMute(on);
    RenderBasicControls();
  });
  connect(pureDirectCheck_, &QCheckBox::toggled, this, [this](bool on) {
    if (rendering_) return;
    app_.Pages().BasicControl().SetPureDirect(on);
    RenderBasicControls();
  });
  return box;
}

QWidget* CQAmpToolView::BuildVolumeBox() {
  const Control* control = app_.Pages().BasicControl().FindControl(CBasicControl::kVolumeSlider);
  auto* box = new QGroupBox("Main Volume", this);
  auto* layout = new QVBoxLayout(box);
  volumeSlider_ = new QSlider(Qt::Vertical, box);
  volumeSlider_->setRange(control->minimum, control->maximum);
  volumeSlider_->setSingleStep(control->step);
  volumeSlider_->setPageStep(control->step * 10);
  volumeSlider_->setMinimumHeight(110);
  volumeSlider_->setAccessibleName("Main Volume");
  volumeText_ = new QLabel(box);
  StyleReadOut(volumeText_);
  volumeText_->setAccessibleName("Main Volume value");
  volumeText_->setMinimumWidth(volumeText_->fontMetrics().horizontalAdvance("-80.5dB") + 12);
  layout->addWidget(volumeSlider_, 1, Qt::AlignHCenter);
  layout->addWidget(volumeText_);
  connect(volumeSlider_, &QSlider::valueChanged, this, [this](int value) { VolumeChanged(value); });
  connect(volumeSlider_, &QSlider::sliderReleased, this, [this] {
    if (rendering_) return;
    app_.Pages().BasicControl().ReleaseVolume();
    RenderBasicControls();
  });
  return box;
}

QWidget* CQAmpToolView::BuildLegend() {
  auto* legend = new QWidget(this);
  auto* layout = new QHBoxLayout(legend);
  layout->setContentsMargins(4, 0, 4, 0);
  auto* before = new QLabel("The mark", legend);
  auto* after = new QLabel("indicates the parameter is an element of System Memory.", legend);
  before->setTextFormat(Qt::PlainText);
  after->setTextFormat(Qt::PlainText);
  layout->addWidget(before);
  layout->addWidget(MarkLabel(legend));
  layout->addWidget(after);
  layout->addStretch();
  return legend;
}

void CQAmpToolView::VolumeChanged(int value) {
  if (rendering_) return;
  CBasicControl& basic = app_.Pages().BasicControl();
  basic.MoveVolume(value);
  // A step of the keyboard, a click on the groove or an assistive
  // technology setting the value ends at once, as a release does.
  if (!volumeSlider_->isSliderDown()) basic.ReleaseVolume();
  RenderBasicControls();
}

void CQAmpToolView::InitialUpdate() {
  // Async Mode works without a lasting connection; Real Time Mode has no
  // batch transfers.
  openButton_->setVisible(realTime_);
  closeButton_->setVisible(realTime_);
  reloadBox_->setVisible(realTime_);
  zoneBox_->setVisible(realTime_);
  uploadButton_->setVisible(!realTime_);
  downloadButton_->setVisible(!realTime_);
  ShowConnectionStatus(Text(kStatusNotConnected));
  if (!SelectConnection(QString::fromStdString(settings_.port)) && portCombo_->count() > 0) {
    portCombo_->setCurrentIndex(0);
  }
  if (!settings_.activePage.empty()) sheet_->ActivateByCaption(settings_.activePage);
  app_.Pages().BasicControl().UpdateBasicControls();
  RenderBasicControls();
  UpdateConnectionButtons();
}

void CQAmpToolView::StoreSettings() {
  settings_.port = portCombo_->currentText().toStdString();
  CBasePage* active = sheet_->ActivePage();
  settings_.activePage = active != nullptr ? active->Caption() : std::string();
}

bool CQAmpToolView::SelectConnection(const QString& text) {
  const QString wanted = text.trimmed();
  if (wanted.isEmpty()) return false;
  for (int i = 0; i < static_cast<int>(ports_.size()); ++i) {
    const ConnectionEntry& entry = ports_[static_cast<size_t>(i)];
    if (entry.name == wanted || (!entry.shortName.isEmpty() && entry.shortName == wanted) ||
        (!entry.device.isEmpty() && entry.device == wanted)) {
      portCombo_->setCurrentIndex(i);
      return true;
    }
  }
  // "Auto" when the list has no such entry, as a saved port that no
  // longer opens does; a path or address typed or given on the command
  // line becomes an entry of its own.
  if (wanted.startsWith('/') || wanted.startsWith("tcp:")) {
    ports_.push_back({wanted, wanted, {}, wanted});
    portCombo_->addItem(wanted, wanted);
    portCombo_->setCurrentIndex(portCombo_->count() - 1);
    return true;
  }
  return false;
}

CQAmpToolView::ConnectionChoice CQAmpToolView::ChosenConnection() {
  // What the user typed into the list counts as a choice of its own.
  const QString typed = portCombo_->currentText().trimmed();
  if (portCombo_->currentIndex() < 0 || portCombo_->itemText(portCombo_->currentIndex()) != typed) {
    SelectConnection(typed);
  }
  // "Auto" tries the serial ports found, never the built-in simulated
  // receiver or a typed address.
  std::vector<PortEntry> scanned;
  for (const ConnectionEntry& entry : ports_) {
    if (entry.device.startsWith("/dev/") && entry.problem.isEmpty()) {
      scanned.push_back({entry.shortName.toStdString(), entry.device.toStdString()});
    }
  }
  const int index = portCombo_->currentIndex();
  if (index < 0 || index >= static_cast<int>(ports_.size())) return {scanned, -1};
  const ConnectionEntry& chosen = ports_[static_cast<size_t>(index)];
  if (chosen.device.isEmpty()) return {scanned, 0};  // "Auto"
  std::vector<PortEntry> list = scanned;
  int position = -1;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].device == chosen.device.toStdString()) position = static_cast<int>(i);
  }
  if (position < 0) {
    list.push_back({chosen.shortName.toStdString(), chosen.device.toStdString()});
    position = static_cast<int>(list.size()) - 1;
  }
  return {list, position + 1};  // entry 0 is "Auto"
}

void CQAmpToolView::ApplyConnectionChoice() {
  ConnectionChoice choice = ChosenConnection();
  CReceiverSession& session = app_.Session();
  session.SetPorts(std::move(choice.ports));
  session.SelectPort(choice.selection);
}

bool CQAmpToolView::ChosenPortCanOpen() {
  const int index = portCombo_->currentIndex();
  if (index < 0 || index >= static_cast<int>(ports_.size())) return true;
  const ConnectionEntry& chosen = ports_[static_cast<size_t>(index)];
  if (chosen.problem.isEmpty() || portCombo_->currentText() != chosen.name) return true;
  host_.Dialogs().Show(window(), chosen.problem, Text(kMessageTitle), MessageIcon::kError);
  return false;
}

void CQAmpToolView::Open() {
  if (IsProgressOpen() || connected_) return;
  if (!ChosenPortCanOpen()) return;
  ApplyConnectionChoice();
  app_.Session().Open();
  UpdateConnectionButtons();
}

void CQAmpToolView::Close() {
  app_.Session().Close();
  connected_ = false;
  app_.Pages().BasicControl().UpdateModelControls();
  RenderBasicControls();
  UpdateConnectionButtons();
}

void CQAmpToolView::Reload() {
  if (IsProgressOpen()) return;
  ApplyConnectionChoice();
  connected_ = false;
  app_.Session().Reload(true);
  UpdateConnectionButtons();
}

void CQAmpToolView::Upload() {
  if (IsProgressOpen() || app_.Session().IsVerifying() || !ChosenPortCanOpen()) return;
  ApplyConnectionChoice();
  app_.Session().StartUpload();
}

QString CQAmpToolView::PlanText(const DownloadPlan& plan) {
  auto partList = [&plan] {
    QStringList parts;
    for (const std::string& part : plan.parts) parts << QString::fromStdString(part);
    return parts.join(", ");
  };
  switch (plan.kind) {
    case DownloadPlan::Kind::kWhole:
      return QString("The whole configuration will be sent: %1.")
          .arg(QString::fromStdString(plan.Summary()));
    case DownloadPlan::Kind::kChosen:
      return QString("Only these parts will be sent: %1 (%2).")
          .arg(partList(), QString::fromStdString(plan.Summary()));
    case DownloadPlan::Kind::kDelta:
      break;
  }
  DownloadPlan whole;
  whole.commands = plan.wholeCommands;
  whole.milliseconds = plan.wholeMilliseconds;
  const QString fallback =
      QString("If the receiver was changed since, the whole configuration is sent instead (%1).")
          .arg(QString::fromStdString(whole.Summary()));
  if (plan.SendsNothing()) {
    return "The receiver should already hold this configuration: it is checked, and nothing is "
           "sent when it does. " +
           fallback;
  }
  return QString(
             "Only what changed since the receiver was last read or written will be sent: "
             "%1 (%2). ")
             .arg(partList(), QString::fromStdString(plan.Summary())) +
         fallback;
}

void CQAmpToolView::Download(DownloadChoice choice) {
  if (IsProgressOpen() || app_.Session().IsVerifying() || !ChosenPortCanOpen()) return;
  DownloadPlan plan;
  if (choice == DownloadChoice::kParts) {
    const auto parts = host_.Dialogs().DownloadParts(window(), DownloadPartNames(app_.Pages()));
    if (!parts || parts->empty()) return;
    std::string why;
    std::optional<DownloadPlan> chosen =
        PlanChosenDownload(app_.Pages(), app_.Link(), *parts, &why);
    if (!chosen) {
      host_.Dialogs().Show(window(), QString::fromStdString(why), Text(kMessageTitle),
                           MessageIcon::kError);
      return;
    }
    plan = std::move(*chosen);
  } else {
    plan = app_.PlanDownload(choice == DownloadChoice::kWhole);
  }
  plan.verify = plan.verify || readBackAll_;
  if (settings_.ShowsDownloadNotice()) {
    const CDialogs::NoticeAnswer answer = host_.Dialogs().Notice(window(), PlanText(plan));
    // Ticking the box counts even when the notice is then cancelled.
    settings_.confirmDownload = answer.dontShowAgain ? "NO" : "YES";
    if (!answer.ok) return;
  }
  ApplyConnectionChoice();
  app_.Session().StartDownload(std::move(plan));
}

void CQAmpToolView::OpenMemoryWindow() {
  app_.Pages().Memory().RefreshAll();
  memoryWindow_->Refresh();
  memoryWindow_->show();
  memoryWindow_->raise();
  memoryWindow_->activateWindow();
}

void CQAmpToolView::ShowConnectionStatus(const QString& text) {
  statusText_->setText(text);
}

QString CQAmpToolView::ConnectionStatus() const {
  return statusText_->text();
}

void CQAmpToolView::ShowStatusBarText(const QString& text) {
  statusBarText_ = text;
  if (onStatusBar) onStatusBar(text);
}

void CQAmpToolView::OpenProgress(Progress kind, int range, const QString& caption) {
  CloseProgress();
  const bool initialize = kind == Progress::kInitialize;
  progress_ = new CProgressWindow(
      window(), initialize ? Text(kInitializeCaption) : caption,
      Text(initialize ? kConnectingText : kCommandSendingText), range,
      [this] { return host_.NowMs(); },
      [this, initialize] {
        if (initialize) {
          app_.Session().CancelInitialization(true);
        } else {
          app_.Session().CancelSending(true);
        }
      });
  progress_->show();
  if (onProgressOpen) onProgressOpen(true);
  UpdateConnectionButtons();
}

void CQAmpToolView::SetProgressNote(const QString& note) {
  if (progress_ != nullptr) progress_->SetNote(note);
}

void CQAmpToolView::SetProgress(int position) {
  if (progress_ != nullptr) progress_->SetProgress(position);
}

void CQAmpToolView::CloseProgress() {
  if (progress_ == nullptr) return;
  CProgressWindow* window = progress_;
  progress_ = nullptr;
  window->hide();
  window->deleteLater();
  if (onProgressOpen) onProgressOpen(false);
  UpdateConnectionButtons();
}

void CQAmpToolView::RefreshUserInterface() {
  app_.Pages().BasicControl().UpdateBasicControls();
  RenderBasicControls();
  sheet_->RefreshAll();
  RefreshMemoryWindow();
  Changed();
}

void CQAmpToolView::RefreshActivePage() {
  sheet_->RenderActive();
}

void CQAmpToolView::RefreshParams(const std::vector<ParamId>& ids) {
  sheet_->RefreshParams(ids);
  Changed();
}

void CQAmpToolView::RefreshBasicControl(ParamId id) {
  app_.Pages().BasicControl().RefreshBasicControl(id);
  RenderBasicControls();
}

void CQAmpToolView::RefreshMemoryWindow() {
  app_.Pages().Memory().RefreshAll();
  memoryWindow_->Refresh();
}

void CQAmpToolView::OperationEnded(OperationOutcome outcome) {
  const CCommClass& link = app_.Link();
  connected_ =
      realTime_ && link.IsPortOpen() &&
      (outcome == OperationOutcome::kConnected || outcome == OperationOutcome::kSendingDone);
  // After a real-time connection the lists follow the receiver's model.
  app_.Pages().BasicControl().UpdateModelControls();
  RenderBasicControls();
  sheet_->RenderActive();
  UpdateConnectionButtons();
  if (outcome == OperationOutcome::kTransferDone || outcome == OperationOutcome::kCancelled ||
      outcome == OperationOutcome::kFailed) {
    RefreshMemoryWindow();
  }
}

void CQAmpToolView::UpdateConnectionButtons() {
  const bool busy =
      IsProgressOpen() || app_.Session().IsInitializing() || app_.Session().IsVerifying();
  connected_ = connected_ && app_.Link().IsPortOpen();
  openButton_->setEnabled(!busy && !connected_);
  closeButton_->setEnabled(connected_ || busy);
  portCombo_->setEnabled(!busy && !connected_);
  reloadBox_->setEnabled(connected_);
  uploadButton_->setEnabled(!busy);
  downloadButton_->setEnabled(!busy);
}

void CQAmpToolView::RenderBasicControls() {
  const CBasicControl& basic = app_.Pages().BasicControl();
  rendering_ = true;
  auto renderCombo = [&](QComboBox* combo, int id) {
    const Control* control = basic.FindControl(id);
    SetItems(combo, control->items);
    combo->setCurrentIndex(control->value >= 0 && control->value < combo->count() ? control->value
                                                                                  : -1);
    combo->setEnabled(control->enabled);
    combo->setVisible(control->visible);
  };
  renderCombo(inputCombo_, CBasicControl::kInputCombo);
  renderCombo(audioCombo_, CBasicControl::kAudioSelectCombo);
  renderCombo(decoderCombo_, CBasicControl::kDecoderModeCombo);
  renderCombo(programCombo_, CBasicControl::kProgramCombo);
  renderCombo(surroundCombo_, CBasicControl::kExtdSurroundCombo);
  const Control* radio = basic.FindControl(CBasicControl::kProgramRadio);
  programRadio_->setChecked(radio->value == 0);
  straightRadio_->setChecked(radio->value == 1);
  const bool radioEnabled = radio->enabled;
  programRadio_->setEnabled(radioEnabled && (radio->itemEnabled.empty() || radio->itemEnabled[0]));
  straightRadio_->setEnabled(radioEnabled &&
                             (radio->itemEnabled.size() < 2 || radio->itemEnabled[1]));
  const Control* slider = basic.FindControl(CBasicControl::kVolumeSlider);
  if (!volumeSlider_->isSliderDown() || slider->value != volumeSlider_->value()) {
    volumeSlider_->setValue(slider->value);
  }
  volumeText_->setText(QString::fromStdString(basic.FindControl(CBasicControl::kVolumeText)->text));
  auto renderCheck = [&](QCheckBox* check, int id) {
    const Control* control = basic.FindControl(id);
    check->setChecked(control->value == 1);
    check->setEnabled(control->enabled);
    check->setVisible(control->visible);
  };
  renderCheck(muteCheck_, CBasicControl::kMuteCheck);
  renderCheck(pureDirectCheck_, CBasicControl::kPureDirectCheck);
  renderCheck(zoneChecks_[0], CBasicControl::kMainPowerCheck);
  renderCheck(zoneChecks_[1], CBasicControl::kZone2PowerCheck);
  renderCheck(zoneChecks_[2], CBasicControl::kZone3PowerCheck);
  rendering_ = false;
  Changed();
}

void CQAmpToolView::Changed() {
  if (onChanged) onChanged();
}

void CQAmpToolView::keyPressEvent(QKeyEvent* event) {
  if (IsArrowKey(event->key())) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace qamp
