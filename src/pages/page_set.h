// Every page of the program, with the basic control: what the main view
// owns. It answers the session's questions about pages (downloads, memory
// stores, descriptions) and gives the orders in which pages appear.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "pages/basic_control.h"
#include "session/receiver_session.h"

namespace qamp {

class CInputDspParam;
class CInputDsp;
class CDCTriggerCtl;
class CSpkDistancePage;
class CPEQSetPage;
class CGEQSetPage;
class CXmSetPage;
class CTunerSetPage;
class FrequencyChooser;
class CMemoryPage;

class CPageSet : public PageDirectory {
 public:
  CPageSet(CCommClass& link, PageHost& host, FrequencyChooser* frequencyChooser = nullptr);
  ~CPageSet() override;

  CBasicControl& BasicControl() { return *basicControl_; }
  // The "System Memory" window, which also keeps the memories in files.
  CMemoryPage& Memory() { return *memory_; }
  // Every page, in the order of the configuration file and the report
  // (the sheet's order with the Parametric EQ after the Equalizer).
  const std::vector<CBasePage*>& Pages() const { return pages_; }
  // The pages the sheet shows, in its order: Input DSP only in Async Mode,
  // XM Set in Real Time Mode or with region code 1, never Parametric EQ.
  std::vector<CBasePage*> SheetPages() const;
  CBasePage* FindByCaption(std::string_view caption) const;

  CInputDspParam& DspParameters() { return *dspParameters_; }
  CSpkDistancePage& SpeakerDistance() { return *speakerDistance_; }
  CPEQSetPage& ParametricEq() { return *parametricEq_; }

  // The view's first layout: pages that decide something once.
  void FirstLayout();
  // Every page from the image (after a load, a transfer, a file).
  void RefreshAll();

  // The parameter that files and the report name (section, key): exact
  // texts first, then without regard to case and surrounding blanks.
  struct Parameter {
    CBasePage* page = nullptr;
    ParamId id = 0;
    int subIndex = -1;
  };
  std::optional<Parameter> FindParameter(std::string_view section, std::string_view key,
                                         const CSettingImage& image);
  // Every parameter the basic control and the pages describe, in file order.
  std::vector<Parameter> AllParameters();

  // PageDirectory.
  void QueuePageDownloads(const CSettingImage& image) override;
  void QueueChosenPageDownloads(const CSettingImage& image, const std::vector<bool>& pages,
                                const std::vector<QueuedCommands>& parts) override;
  void QueueMemoryStore(int memory) override;
  void QueueWriteBackDownloads(const CSettingImage& image) override;
  void RederiveTriggerParameter(ParamId id) override;
  bool Describe(ParamId id, std::string& section, std::string& key) override;
  bool DescribeValue(const CSettingImage& image, ParamId id, std::string& section, std::string& key,
                     std::string& value) override;
  std::vector<MemoryValue> DescribeMemory(int memory, const CSettingImage& image) override;
  void UpdateModelControls() override;

 private:
  CCommClass& link_;
  std::vector<std::unique_ptr<CBasePage>> owned_;
  std::vector<CBasePage*> pages_;
  std::unique_ptr<CBasicControl> basicControl_;
  std::unique_ptr<CMemoryPage> memory_;
  CInputDspParam* dspParameters_ = nullptr;
  CInputDsp* inputDsp_ = nullptr;
  CDCTriggerCtl* trigger_ = nullptr;
  CSpkDistancePage* speakerDistance_ = nullptr;
  CPEQSetPage* parametricEq_ = nullptr;
  CXmSetPage* xmSet_ = nullptr;
};

}  // namespace qamp
