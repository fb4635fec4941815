#ifndef VIEW_KIT_WNAVIFRAMECONTROLLER_H
#define VIEW_KIT_WNAVIFRAMECONTROLLER_H

#include "view_kit/WViewController.h"

#include <functional>

namespace view_kit {

class WContentViewController;

// The page stack of a window. The back key pops the top page (if the page
// agrees); on the last page it runs the last-page callback instead, by
// default lowering the window.
class WNaviframeController : public WViewController {
public:
    WNaviframeController();
    const char* getClassName() const override;

    bool push(WContentViewController* vc);
    bool push(WContentViewController* vc, const char* name);
    WContentViewController* getTopContentViewController() const;
    bool isTopContentViewController(const WContentViewController* vc) const;
    int getPageCount() const;
    // The back key's action: asks the top page, then pops it.
    bool pop();
    void setOnLastPageBack(std::function<void()> onLastPageBack);

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onDestroy() override;

private:
    friend class WContentViewController;
    bool _remove(WContentViewController* page);
    void _lastPageBack();
    static WContentViewController* _pageOf(Elm_Object_Item* item);
    static void _backCb(void* data, Evas_Object* obj, void* info);
    static void _transitionFinishedCb(void* data, Evas_Object* obj, void* info);

    std::function<void()> _onLastPageBack;
    int _transitions = 0;
};

} // namespace view_kit

#endif
