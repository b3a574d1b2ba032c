#include "pages/page_set.h"

#include "pages/advanced_setup_page.h"
#include "pages/display_set_page.h"
#include "pages/download_planner.h"
#include "pages/dsp_parameters_page.h"
#include "pages/equalizer_page.h"
#include "pages/input_dsp_page.h"
#include "pages/input_rename_page.h"
#include "pages/io_assign_page.h"
#include "pages/ipod_page.h"
#include "pages/memory_page.h"
#include "pages/multi_ch_page.h"
#include "pages/multi_zone_page.h"
#include "pages/other_page.h"
#include "pages/parametric_eq_page.h"
#include "pages/sound_option_page.h"
#include "pages/speaker_distance_page.h"
#include "pages/speaker_level_page.h"
#include "pages/speaker_set_page.h"
#include "pages/trigger_out_page.h"
#include "pages/tuner_set_page.h"
#include "pages/volume_page.h"
#include "pages/xm_set_page.h"

namespace qamp {

namespace {

template <typename Page, typename... Arguments>
Page* Add(std::vector<std::unique_ptr<CBasePage>>& owned, std::vector<CBasePage*>& pages,
          Arguments&&... arguments) {
  auto page = std::make_unique<Page>(std::forward<Arguments>(arguments)...);
  Page* raw = page.get();
  pages.push_back(raw);
  owned.push_back(std::move(page));
  return raw;
}

}  // namespace

CPageSet::CPageSet(CCommClass& link, PageHost& host, FrequencyChooser* frequencyChooser)
    : link_(link), basicControl_(std::make_unique<CBasicControl>(link, host)) {
  Add<CMultiZone>(owned_, pages_, link, host);
  dspParameters_ = Add<CInputDspParam>(owned_, pages_, link, host);
  inputDsp_ = Add<CInputDsp>(owned_, pages_, link, host, *basicControl_);
  Add<CInputSetUp>(owned_, pages_, link, host);
  Add<CIOAssign>(owned_, pages_, link, host);
  Add<CSpkLevelPage>(owned_, pages_, link, host);
  speakerDistance_ = Add<CSpkDistancePage>(owned_, pages_, link, host);
  Add<CToneControlPage>(owned_, pages_, link, host);
  trigger_ = Add<CDCTriggerCtl>(owned_, pages_, link, host);
  Add<CVolumeTrim>(owned_, pages_, link, host);
  Add<CGEQSetPage>(owned_, pages_, link, host);
  parametricEq_ = Add<CPEQSetPage>(owned_, pages_, link, host);
  Add<CSpeakerSet>(owned_, pages_, link, host);
  Add<CTunerSetPage>(owned_, pages_, link, host, frequencyChooser);
  xmSet_ = Add<CXmSetPage>(owned_, pages_, link, host);
  Add<CDisplaySet>(owned_, pages_, link, host);
  Add<CMiscPage>(owned_, pages_, link, host);
  Add<COtherPage>(owned_, pages_, link, host);
  Add<CAdvSetup>(owned_, pages_, link, host);
  Add<CiPodPage>(owned_, pages_, link, host);
  basicControl_->SetDspParametersPage(dspParameters_);
  memory_ = std::make_unique<CMemoryPage>(link, host, *this);
}

CPageSet::~CPageSet() = default;

std::vector<CBasePage*> CPageSet::SheetPages() const {
  std::vector<CBasePage*> sheet;
  for (CBasePage* page : pages_) {
    if (page == parametricEq_) continue;
    if (page == inputDsp_ && link_.IsRealTimeMode()) continue;
    if (page == xmSet_ && !link_.IsRealTimeMode() && link_.RegionCode() != 1) continue;
    sheet.push_back(page);
  }
  return sheet;
}

CBasePage* CPageSet::FindByCaption(std::string_view caption) const {
  for (CBasePage* page : pages_) {
    if (page->Caption() == caption) return page;
  }
  return nullptr;
}

void CPageSet::FirstLayout() {
  speakerDistance_->OnFirstLayout();
}

void CPageSet::RefreshAll() {
  basicControl_->UpdateBasicControls();
  for (CBasePage* page : pages_) page->RefreshAll();
  memory_->RefreshAll();
}

void CPageSet::QueuePageDownloads(const CSettingImage& image) {
  for (CBasePage* page : pages_) page->DownloadPage(image);
}

void CPageSet::QueueChosenPageDownloads(const CSettingImage& image, const std::vector<bool>& pages,
                                        const std::vector<QueuedCommands>& parts) {
  for (size_t index = 0; index < pages_.size(); ++index) {
    if (index >= pages.size() || !pages[index]) continue;
    if (index < parts.size() && !parts[index].empty()) {
      for (const auto& [text, code] : parts[index]) link_.SendPacket(text, code);
    } else {
      pages_[index]->DownloadPage(image);
    }
  }
}

void CPageSet::QueueWriteBackDownloads(const CSettingImage& image) {
  // The Upload loads the memories in order: the last one is the receiver's.
  std::vector<QueuedCommands> parts;
  const std::vector<bool> pages = PlanWriteBack(link_, image, link_.MemoryTheReceiverIsOn(),
                                                link_.GetUploadScope().currentSetting, &parts);
  QueueChosenPageDownloads(image, pages, parts);
}

void CPageSet::QueueMemoryStore(int memory) {
  memory_->QueueMemoryStore(memory, link_.CurrentImage());
}

void CPageSet::RederiveTriggerParameter(ParamId id) {
  trigger_->RederiveTriggerParameter(id);
}

bool CPageSet::Describe(ParamId id, std::string& section, std::string& key) {
  section.clear();
  key.clear();
  basicControl_->GetParamText(link_.CurrentImage(), id, -1, &section, &key, nullptr, false);
  if (!section.empty()) return true;
  for (CBasePage* page : SheetPages()) {
    page->GetParamText(link_.CurrentImage(), id, page->SelectedSubIndex(), &section, &key, nullptr,
                       false);
    if (!section.empty()) return true;
  }
  return false;
}

bool CPageSet::DescribeValue(const CSettingImage& image, ParamId id, std::string& section,
                             std::string& key, std::string& value) {
  section.clear();
  key.clear();
  value.clear();
  basicControl_->GetParamText(image, id, -1, &section, &key, &value, false);
  if (!section.empty()) return true;
  for (CBasePage* page : pages_) {
    page->GetParamText(image, id, page->SelectedSubIndex(), &section, &key, &value, false);
    if (!section.empty()) return true;
  }
  return false;
}

std::vector<PageDirectory::MemoryValue> CPageSet::DescribeMemory(int memory,
                                                                 const CSettingImage& image) {
  std::vector<MemoryValue> values;
  for (int kind = 0; kind < kMemoryKinds; ++kind) {
    const MemoryKind memoryKind = static_cast<MemoryKind>(kind);
    const std::string prefix = std::string(CMemoryPage::KindName(memoryKind)) + " " +
                               CMemoryPage::MemoryName(memory) + " ";
    for (const CMemoryPage::Item& item : memory_->Items(memoryKind, image, true)) {
      MemoryValue value{item.id, {}, {}, {}};
      item.page->GetParamText(image, item.id, item.subIndex, &value.section, &value.key,
                              &value.value, false);
      if (value.section.empty() || value.key.empty()) continue;
      value.section = prefix + value.section;
      values.push_back(std::move(value));
    }
  }
  return values;
}

std::vector<CPageSet::Parameter> CPageSet::AllParameters() {
  std::vector<Parameter> parameters;
  std::vector<CBasePage*> all = {basicControl_.get()};
  all.insert(all.end(), pages_.begin(), pages_.end());
  for (CBasePage* page : all) {
    std::vector<ParamId> ids;
    std::vector<int> subIndices;
    page->GetParamList(ids, subIndices, true, kWholeList);
    for (size_t i = 0; i < ids.size(); ++i) {
      parameters.push_back({page, ids[i], i < subIndices.size() ? subIndices[i] : -1});
    }
  }
  return parameters;
}

namespace {

std::string Folded(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

}  // namespace

std::optional<CPageSet::Parameter> CPageSet::FindParameter(std::string_view section,
                                                           std::string_view key,
                                                           const CSettingImage& image) {
  const std::vector<Parameter> parameters = AllParameters();
  for (const bool exact : {true, false}) {
    for (const Parameter& parameter : parameters) {
      std::string pageSection;
      std::string pageKey;
      parameter.page->GetParamText(image, parameter.id, parameter.subIndex, &pageSection, &pageKey,
                                   nullptr, false);
      const bool same =
          exact ? pageSection == section && pageKey == key
                : Folded(pageSection) == Folded(section) && Folded(pageKey) == Folded(key);
      if (same) return parameter;
    }
  }
  return std::nullopt;
}

void CPageSet::UpdateModelControls() {
  basicControl_->UpdateModelControls();
  for (CBasePage* page : pages_) page->UpdateModelControls();
}

}  // namespace qamp
