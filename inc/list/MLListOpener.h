/*
 * What a tap in the list opens: the conversation of a row, the blocked message of a row, or the
 * composer from the button row, each pushed on the window's naviframe. The list never includes
 * those screens: the executable's screen opener builds them. Main loop only.
 */
#ifndef MSG_APP_LIST_MLLISTOPENER_H
#define MSG_APP_LIST_MLLISTOPENER_H

#include "list/MLListTypes.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WViewController.h"

namespace msg_app {
namespace msg_list {

class MLItem;

class MLListOpener {
public:
    // Screen names of the pages a tap pushes.
    static constexpr const char* VIEWER_NAME = "msg_viewer";
    static constexpr const char* BLOCK_VIEWER_NAME = "msg_block";

    // The owner's window takes the pages and its view the composer's error popup; the owner
    // outlives this part.
    MLListOpener(view_kit::WViewController& owner, ListType listType) : _owner(owner), _listType(listType) {}

    // Opens what a content row shows; other rows open nothing.
    void openRow(const MLItem* row);
    void openComposer();

private:
    void _push(view_kit::WContentViewController* page, const char* name);

    view_kit::WViewController& _owner;
    const ListType _listType;
};

} // namespace msg_list
} // namespace msg_app

#endif
