#pragma once
// A page control: a set of pages (tab sheets) of which one, the active page, shows. A click on a
// page's tab asks OnChanging whether the current page may be left, then makes the page active
// and fires OnChange; setting the active page from code fires neither.
#include <functional>

#include "tolvex/framework/control.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TPageControl;

// Fired before the active page changes; clearing AllowChange keeps the current page.
using TTabChangingEvent = std::function<void(TComponent& Sender, bool& AllowChange)>;

// One page of a page control: its parent is the page control.
class TTabSheet : public TControl {
public:
    explicit TTabSheet(TComponent* owner = nullptr) : TControl(owner) {}
    const char* ClassName() const override { return "TTabSheet"; }
    void DescribeProperties(TPropertyList& list) override;

    // The page control that holds the page, or null. Setting it makes it the page's parent.
    TPageControl* PageControl() const;
    void SetPageControl(TPageControl* pageControl);
    // The page's index among the pages of its page control; -1 without one.
    int PageIndex() const;
};

class TPageControl : public TControl {
public:
    explicit TPageControl(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TPageControl"; }
    void DescribeProperties(TPropertyList& list) override;

    // The pages in the order they were put in.
    int PageCount() const;
    TTabSheet* Pages(int index) const;

    // The page that shows; the first page put in becomes active, and when the active page
    // leaves, its neighbour does. Setting it from code fires no event; a page of another page
    // control raises EInvalidOperation.
    TTabSheet* ActivePage() const { return static_cast<TTabSheet*>(activePage_); }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return activePage_ ? ActivePage()->PageIndex() : -1; }

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }
    const TTabChangingEvent& OnChanging() const { return onChanging_; }
    void SetOnChanging(TTabChangingEvent handler) { onChanging_ = std::move(handler); }

    // A click on the tab of `page`, as a user makes it: nothing for the active page; otherwise
    // OnChanging may keep the current page, then `page` becomes active and OnChange fires. An
    // error of the system's type raised by either goes to Application().ShowException; an
    // OnChanging that fails keeps the current page.
    void ClickTab(TTabSheet& page);

protected:
    // OnChanging's answer; true without a handler.
    virtual bool CanChange();
    // Fires OnChange.
    virtual void Change();
    bool ShowsChild(const TControl& child) const override;
    void ControlInserted(TControl& child) override;
    void ControlRemoving(TControl& child) override;

private:
    void ChangeTo(TTabSheet& page);

    // A TTabSheet; kept as a control, so that it can be compared while the page is being freed.
    TControl* activePage_ = nullptr;
    TNotifyEvent onChange_;
    TTabChangingEvent onChanging_;
};

}  // namespace tolvex

TOLVEX_END_API
