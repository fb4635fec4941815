/*
 * Stateless helpers every screen leans on: phone-number and bidirectional
 * text functions, web-link matchers, device and policy queries, launch
 * request accessors, resource paths and the application's start and stop.
 */
#ifndef MSG_APP_COMMON_COMMONUTIL_H
#define MSG_APP_COMMON_COMMONUTIL_H

// Each group has its own header beside its source; this one gathers them for callers that use several.
#include "common/CommonUtilAppControl.h"
#include "common/CommonUtilBlock.h"
#include "common/CommonUtilDevice.h"
#include "common/CommonUtilLifecycle.h"
#include "common/CommonUtilLink.h"
#include "common/CommonUtilMms.h"
#include "common/CommonUtilNumber.h"
#include "common/CommonUtilResource.h"
#include "common/CommonUtilText.h"

#endif
