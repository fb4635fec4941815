/*
 * A naviframe page showing a web page (a shared-location link) in a web view
 * of the platform web engine, which is loaded at run time. Without the engine
 * the page is not made. Main loop only.
 */
#ifndef MSG_APP_COMMON_VIEW_MCOMMONWEBCONTENTVIEWCONTROLLER_H
#define MSG_APP_COMMON_VIEW_MCOMMONWEBCONTENTVIEWCONTROLLER_H

#include "common/CommonUtil.h"
#include "view_kit/WContentViewController.h"

#include <string>

namespace msg_app {

class MCommonWebContentViewController : public view_kit::WContentViewController {
public:
    static constexpr const char* WEB_ENGINE_LIBRARY = common_util::WEB_ENGINE_LIBRARY;

    explicit MCommonWebContentViewController(const char* url);
    ~MCommonWebContentViewController() override;

    // The url the web view loads: a location-sharing link gets the viewer's parameters, without
    // the version one in the regions whose service does not take it.
    static std::string makeLoadUrl(const std::string& url, int region);
    // 450, 440 or 460 for the watch's own network or else the phone's, otherwise 0.
    static int getCurrentRegion();

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onDestroy() override;
    void onPushed(Elm_Object_Item* naviItem) override;
    bool onPop() override;

private:
    Evas_Object* _createPage(Evas_Object* parent);
    void _closeLibrary();

    std::string _url;
    void* _dlHandle = nullptr;
    Evas_Object* _webObj = nullptr;
};

} // namespace msg_app

#endif
