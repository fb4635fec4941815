#include "viewer/MVItem/MVItem.h"

namespace msg_app {
namespace msg_viewer {

bool MVItem::_readerOn = false;

int MVItem::scaled(int size) {
    double base = elm_app_base_scale_get();
    if (base <= 0.0)
        base = 1.0;
    return static_cast<int>(size * elm_config_scale_get() / base + 0.5);
}

} // namespace msg_viewer
} // namespace msg_app
