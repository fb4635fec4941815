/*
 * The screen-reader calls the shared popups and views make (accessible names, roles, reading
 * information) are EFL's beta accessibility API, the reading information in its widget-facing
 * part. Include this before anything that includes Elementary.
 */
#ifndef MSG_APP_COMMON_POPUP_ACCESSAPI_H
#define MSG_APP_COMMON_POPUP_ACCESSAPI_H

#ifndef EFL_BETA_API_SUPPORT
#define EFL_BETA_API_SUPPORT
#endif
#ifndef EFL_ACCESS_OBJECT_PROTECTED
#define EFL_ACCESS_OBJECT_PROTECTED
#endif

#include <Elementary.h>

#endif
