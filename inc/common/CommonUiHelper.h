/*
 * Small helpers every screen shares: the text domain and language, the
 * circle genlist, screen-reader order, SIM and carrier icons, haptic
 * feedback, text measurement and pushing a page on the nearest naviframe.
 * Main loop only.
 */
#ifndef MSG_APP_COMMON_COMMONUIHELPER_H
#define MSG_APP_COMMON_COMMONUIHELPER_H

// Each group has its own header beside its source; this one gathers them for callers that use several.
#include "common/ui/CommonUiHelperIcon.h"
#include "common/ui/CommonUiHelperText.h"
#include "common/ui/CommonUiHelperWidget.h"

#endif
