#ifndef VIEW_KIT_WCONTENTVIEWCONTROLLER_H
#define VIEW_KIT_WCONTENTVIEWCONTROLLER_H

#include "view_kit/WViewController.h"

namespace view_kit {

class WNaviframeController;

// A naviframe page. After creation the naviframe calls, in order,
// onSetAsPageContent, onPushToNaviframe (which pushes the view and returns
// the item), onSetContainerProperties, onSetMoreButton and onPushed; later
// onBecomeTop when the page above it goes, and onPop when it is leaving.
class WContentViewController : public WViewController {
public:
    WContentViewController();
    ~WContentViewController() override;

    WNaviframeController* getNaviframeController() const;
    Elm_Object_Item* getNaviframeItem() const { return _naviItem; }
    // Leaves the naviframe: onPop is told (its refusal does not keep the page)
    // and the page is removed; the last page ends the application's screens.
    bool popOut();

protected:
    virtual void onSetAsPageContent(Evas_Object* naviframe);
    virtual Elm_Object_Item* onPushToNaviframe(Evas_Object* naviframe);
    virtual void onSetContainerProperties(Elm_Object_Item* naviItem);
    virtual void onSetMoreButton(Elm_Object_Item* naviItem);
    virtual void onPushed(Elm_Object_Item* naviItem);
    virtual void onBecomeTop();
    // False refuses a back-key pop (e.g. a mode of the page to leave first).
    virtual bool onPop();

private:
    friend class WNaviframeController;
    std::weak_ptr<WViewController> _naviframe;
    Elm_Object_Item* _naviItem = nullptr;
};

} // namespace view_kit

#endif
