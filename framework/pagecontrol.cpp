#include "tolvex/framework/pagecontrol.h"

#include "tolvex/framework/application.h"
#include "tolvex/framework/form.h"
#include "tolvex/framework/properties.h"

namespace tolvex {

// ---- Pages ----------------------------------------------------------------------------------

void TTabSheet::DescribeProperties(TPropertyList& list) {
    TControl::DescribeProperties(list);
    AddCaption(list);
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }

int TTabSheet::PageIndex() const {
    const TPageControl* pages = PageControl();
    if (!pages) return -1;
    for (int i = 0; i < pages->PageCount(); ++i)
        if (pages->Pages(i) == this) return i;
    return -1;
}

// ---- Page control ---------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TControl(owner) { SetTabStop(true); }

void TPageControl::DescribeProperties(TPropertyList& list) {
    TControl::DescribeProperties(list);
    list.AddComponent<TTabSheet>("ActivePage", [this] { return ActivePage(); },
                                 [this](TTabSheet* page) { SetActivePage(page); });
    list.AddMethod<TNotifyEvent>("OnChange", [this] { return onChange_; },
                                 [this](TNotifyEvent handler) { onChange_ = std::move(handler); });
    list.AddMethod<TTabChangingEvent>("OnChanging", [this] { return onChanging_; },
                                      [this](TTabChangingEvent handler) { onChanging_ = std::move(handler); });
}

int TPageControl::PageCount() const {
    int count = 0;
    for (int i = 0; i < ControlCount(); ++i) count += dynamic_cast<TTabSheet*>(Controls(i)) != nullptr;
    return count;
}

TTabSheet* TPageControl::Pages(int index) const {
    int seen = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* page = dynamic_cast<TTabSheet*>(Controls(i)); page && seen++ == index) return page;
    throw EListError(Join("List index out of bounds (", index, ")"));
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) throw EInvalidOperation("The page belongs to another page control");
    activePage_ = page;
    // The focus does not stay on a page that no longer shows.
    TCustomForm* form = GetParentForm(*this);
    if (form && form->ActiveControl() && !form->ActiveControl()->CanFocus())
        form->SetActiveControl(CanFocus() ? this : nullptr);
}

void TPageControl::ClickTab(TTabSheet& page) {
    if (&page == activePage_) return;
    if (page.PageControl() != this) throw EInvalidOperation("The page belongs to another page control");
    Application().HandleInput([&] { ChangeTo(page); });
}

void TPageControl::ChangeTo(TTabSheet& page) {
    if (!CanChange()) return;
    SetActivePage(&page);
    Change();
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (onChanging_) onChanging_(*this, allow);
    return allow;
}

void TPageControl::Change() {
    if (onChange_) onChange_(*this);
}

bool TPageControl::ShowsChild(const TControl& child) const {
    return !dynamic_cast<const TTabSheet*>(&child) || &child == activePage_;
}

void TPageControl::ControlInserted(TControl& child) {
    if (auto* page = dynamic_cast<TTabSheet*>(&child); page && !activePage_) activePage_ = page;
}

void TPageControl::ControlRemoving(TControl& child) {
    if (&child != activePage_) return;
    // The page may be half freed already: its neighbours are found among the other children.
    TTabSheet* before = nullptr;
    TTabSheet* after = nullptr;
    bool passed = false;
    for (int i = 0; i < ControlCount() && !after; ++i) {
        if (Controls(i) == &child) {
            passed = true;
        } else if (auto* page = dynamic_cast<TTabSheet*>(Controls(i))) {
            (passed ? after : before) = page;
        }
    }
    activePage_ = after ? after : before;
}

}  // namespace tolvex
