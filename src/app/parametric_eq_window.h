// "Parametric EQ": the receiver's room-calibration equaliser, which has no
// page on the sheet, shown read-only for one channel at a time: its bands
// as a table and their approximate response. Its bands can be exported as
// a Room EQ Wizard filter file, and a filter file imported into the
// channel shown, rounded to the receiver's steps; the import goes through
// the page's own controls, so that the page decides and sends as for any
// change. Everything shown is the page's description.
#pragma once

#include <QDialog>
#include <cstdint>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace qamp {

class CDialogs;
class CEqCurveWidget;
class CPEQSetPage;

class CParametricEqWindow : public QDialog {
  Q_OBJECT

 public:
  CParametricEqWindow(CPEQSetPage& page, CDialogs& dialogs, QWidget* parent = nullptr);

  // Brings the window up to date with the page, when its description changed.
  void Render();
  // The image changed under the page (the sheet refreshed): the page reads
  // it again and the window shows what changed.
  void Follow();
  // What the buttons do.
  void Import();
  void Export();

  QComboBox* ChannelCombo() const { return channel_; }
  QTableWidget* Table() const { return table_; }
  CEqCurveWidget* Plot() const { return plot_; }
  // What the last import rounded, as the window shows it.
  QLabel* ImportNote() const { return note_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Draw();

  CPEQSetPage& page_;
  CDialogs& dialogs_;
  QComboBox* channel_ = nullptr;
  QTableWidget* table_ = nullptr;
  CEqCurveWidget* plot_ = nullptr;
  QLabel* note_ = nullptr;
  QPushButton* import_ = nullptr;
  QPushButton* export_ = nullptr;
  // While shown, the window follows the image as the page reads it.
  uint64_t revision_ = 0;
  bool drawn_ = false;
};

}  // namespace qamp
