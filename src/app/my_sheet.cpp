#include "app/my_sheet.h"

#include <QVBoxLayout>

#include "app/page_widget.h"

namespace qamp {

CMySheet::CMySheet(std::vector<CBasePage*> pages, QWidget* parent, ViewCompanions companions)
    : QTabWidget(parent), pages_(std::move(pages)), companions_(companions) {
  setUsesScrollButtons(true);
  companions_.sheet = this;
  for (CBasePage* page : pages_) {
    // Each page is made active once, in order, so that each has been set
    // up from the image before it is first shown. Its widgets are built
    // when it is first needed: most pages are never opened in a session,
    // and the window should appear at once.
    page->SetActive(true);
    page->SetActive(false);
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    tabs_.push_back(tab);
    views_.push_back(nullptr);
    addTab(tab, QString::fromLatin1(page->Caption().data(),
                                    static_cast<qsizetype>(page->Caption().size())));
  }
  connect(this, &QTabWidget::currentChanged, this, &CMySheet::Activate);
  Activate(currentIndex());
}

CPageWidget* CMySheet::ViewAt(size_t index) const {
  if (views_[index] == nullptr) {
    views_[index] = MakePageWidget(*pages_[index], tabs_[index], companions_);
    tabs_[index]->layout()->addWidget(views_[index]);
  }
  return views_[index];
}

void CMySheet::Activate(int index) {
  if (index == activeIndex_) return;
  if (activeIndex_ >= 0 && activeIndex_ < static_cast<int>(pages_.size())) {
    pages_[static_cast<size_t>(activeIndex_)]->SetActive(false);
  }
  activeIndex_ = index;
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  // Activation refreshes the page from the image.
  pages_[static_cast<size_t>(index)]->SetActive(true);
  ViewAt(static_cast<size_t>(index))->Render();
}

CBasePage* CMySheet::ActivePage() const {
  if (activeIndex_ < 0 || activeIndex_ >= static_cast<int>(pages_.size())) return nullptr;
  return pages_[static_cast<size_t>(activeIndex_)];
}

CPageWidget* CMySheet::ActiveView() const {
  if (activeIndex_ < 0 || activeIndex_ >= static_cast<int>(views_.size())) return nullptr;
  return ViewAt(static_cast<size_t>(activeIndex_));
}

CPageWidget* CMySheet::ViewOf(const CBasePage& page) const {
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i] == &page) return ViewAt(i);
  }
  return nullptr;
}

bool CMySheet::ActivateByCaption(std::string_view caption) {
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i]->Caption() == caption) {
      setCurrentIndex(static_cast<int>(i));
      return true;
    }
  }
  return false;
}

void CMySheet::RefreshAll() {
  for (CBasePage* page : pages_) page->RefreshAll();
  RenderActive();
  emit Refreshed();
}

void CMySheet::RefreshParams(const std::vector<ParamId>& ids) {
  CBasePage* page = ActivePage();
  if (page == nullptr) return;
  size_t last = ids.size();
  for (size_t i = 0; i < ids.size(); ++i) {
    if (ids[i] != 0) last = i;
  }
  for (size_t i = 0; i < ids.size(); ++i) {
    if (ids[i] != 0) page->RefreshParam(ids[i], i == last);
  }
  RestoreRadioFocus();
  emit Refreshed();
}

void CMySheet::RestoreRadioFocus() {
  CBasePage* page = ActivePage();
  if (page == nullptr) return;
  page->RestoreRadioFocus();
  ActiveView()->Render();
  ActiveView()->RestoreRadioFocus();
}

void CMySheet::RenderActive() {
  if (CPageWidget* view = ActiveView()) view->Render();
}

}  // namespace qamp
