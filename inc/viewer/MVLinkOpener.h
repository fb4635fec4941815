/*
 * A link tapped in a bubble's text, in what the watch has for its kind: a
 * number offers a call or a message in the option panel, a store link opens
 * the store, a map link the map, a web link the web page or the browser.
 */
#ifndef MSG_APP_VIEWER_MVLINKOPENER_H
#define MSG_APP_VIEWER_MVLINKOPENER_H

#include <functional>
#include <memory>
#include <string>

namespace view_kit {
class WViewController;
}

namespace msg_app {
namespace msg_viewer {

class MVItemBubble;
class MVOptionMgr;

class MVLinkOpener {
public:
    // host: the view the composer opens from; it outlives this. options: the screen's panel.
    MVLinkOpener(view_kit::WViewController& host, std::function<MVOptionMgr*()> options)
        : _host(host), _options(std::move(options)) {}

    // anchor: one mark, then the scheme, then the linked text as markup.
    void open(MVItemBubble& bubble, const char* anchor);

private:
    void _openUri(MVItemBubble& bubble, const std::string& url);
    // False when the page cannot be made (no web engine).
    bool _openWebView(MVItemBubble& bubble, const std::string& url);
    void _openInBrowser(const std::string& link);
    void _offerNumber(MVItemBubble& bubble, const std::string& markup);
    void _onNumberOption(int option, const std::string& number);

    view_kit::WViewController& _host;
    std::function<MVOptionMgr*()> _options;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
