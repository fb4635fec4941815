#include "viewer/MVContentOpener.h"

#include "app_control.h"
#include "common/CommonUtil.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "journal.h"
#include "view_kit/WViewController.h"
#include "viewer/media/MVUtility.h"

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr const char* CANT_VIEW = "WDS_MSG_TPOP_CANT_VIEW_THIS_TYPE_OF_FILE_ON_YOUR_HULM_ABB";

// A viewer request for one file: group launch, view operation, display mode.
LaunchRequest viewRequest(const std::string& uri) {
    LaunchRequest request = createLaunchRequest();
    MSG_RETV_IF(!request, nullptr, "app_control_create failed");
    app_control_set_launch_mode(request.get(), APP_CONTROL_LAUNCH_MODE_GROUP);
    app_control_set_operation(request.get(), APP_CONTROL_OPERATION_VIEW);
    app_control_add_extra_data(request.get(), "View Mode", "DISPLAY");
    app_control_set_uri(request.get(), uri.c_str());
    return request;
}

bool isImage(const msg_store::Content& content) {
    return content.mediaType == msg_store::Content::MEDIA_TYPE_IMAGE ||
           get_display_type(content) == DISPLAY_IMAGE;
}

} // namespace

void MVContentOpener::_toast(const char* textId, int icon) {
    MCommonPopup* popup =
        MCommonPopup::createToastPopup(textId, nullptr, nullptr, MCommonPopup::TOAST_POPUP_TIMEOUT,
                                       static_cast<MCommonPopup::IconType>(icon));
    // A popup that cannot be attached is destroyed by the attach itself.
    if (popup)
        _host.attachPopup(popup);
}

void MVContentOpener::openContent(const msg_store::Conversation& conv, int index) {
    if (common_util::is_power_saving_mode()) {
        MSG_LOGW("emergency_mode = SETTING_PSMODE_WEARABLE_ENHANCED, not to open the file");
        return;
    }
    // Indexes come from markup text; only those of this message's contents are taken.
    if (index < 0 || index >= static_cast<int>(conv.contents.size())) {
        MSG_LOGE("invalid content index [%d]", index);
        return;
    }
    const msg_store::Content& content = conv.contents[index];
    if (content.filePath.empty())
        _requestFromPeer(content);
    else
        _launchMediaViewer(conv, content);
}

void MVContentOpener::_requestFromPeer(const msg_store::Content& content) {
    MSG_LOGI("MSG_CONTENT status : %d", content.transferStatus);
    if (content.transferStatus == msg_store::Content::TRANSFER_DOWNLOADING) {
        _toast("WDS_WMGR_POP_DOWNLOADING_ING", MCommonPopup::NONE);
        return;
    }
    if (content.transferStatus == msg_store::Content::TRANSFER_DOWNLOADED)
        return;
    int result = _store.contents.downloadContentFile(content.contentId, content.downloadName);
    if (result != 0) {
        MSG_LOGE("downloadContentFile() is failed. (%d)", result);
        _toast("WDS_WNOTI_TPOP_FAILED", MCommonPopup::SENT_FAILED);
    } else {
        _toast("WDS_WMGR_POP_DOWNLOADING_ING", MCommonPopup::NONE);
    }
}

void MVContentOpener::_launchMediaViewer(const msg_store::Conversation& conv,
                                         const msg_store::Content& content) {
    if (isImage(content)) {
        std::vector<std::string> copies;
        std::string defaultFile;
        for (const msg_store::Content& each : conv.contents) {
            std::string copy;
            if (!isImage(each) || !create_temp_file(each.filePath.c_str(), copy))
                continue;
            copies.push_back(copy);
            if (each.filePath == content.filePath)
                defaultFile = copy;
        }
        _launchImageViewer(copies, defaultFile);
        return;
    }
    int displayType = get_display_type(content);
    bool video = content.mediaType == msg_store::Content::MEDIA_TYPE_VIDEO || displayType == DISPLAY_VIDEO;
    bool audio = content.mediaType == msg_store::Content::MEDIA_TYPE_AUDIO || displayType == DISPLAY_AUDIO;
    if (!video && !audio) {
        MSG_LOGE("Invalid media type [%d]", content.mediaType);
        return;
    }
    std::string copy;
    if (!create_temp_file(content.filePath.c_str(), copy)) {
        _toast(CANT_VIEW, MCommonPopup::NONE);
        return;
    }
    if (_launchFileViewer(copy) && video)
        journal_log("MESSAGE", "VIDEO_PLAYING");
}

void MVContentOpener::_launchImageViewer(const std::vector<std::string>& files,
                                         const std::string& defaultFile) {
    MSG_RET_IF(files.empty(), "fileList is empty");
    MSG_RET_IF(defaultFile.empty(), "defaultFilePath is nullptr");
    LaunchRequest request = viewRequest(defaultFile);
    MSG_RET_IF(!request, "no request");
    app_control_add_extra_data(request.get(), "SaveFile", "TRUE");
    std::vector<const char*> paths;
    for (const std::string& file : files)
        paths.push_back(file.c_str());
    app_control_add_extra_data_array(request.get(), "Path", paths.data(), static_cast<int>(paths.size()));
    if (app_control_send_launch_request(request.get(), nullptr, nullptr) == APP_CONTROL_ERROR_NONE)
        journal_log("MESSAGE", "PICTURE_OPENED");
    else
        MSG_LOGE("app_control_send_launch_request is failed");
}

bool MVContentOpener::_launchFileViewer(const std::string& path) {
    LaunchRequest request = viewRequest(path);
    MSG_RETV_IF(!request, false, "no request");
    app_control_add_extra_data(request.get(), "ExitOnBack", "true");
    if (!MCommonAppLaunchMgr::getInstance()->launch(std::move(request), nullptr)) {
        MSG_LOGE("MCommonAppLaunchMgr::launch() is failed");
        _toast(CANT_VIEW, MCommonPopup::NONE);
        return false;
    }
    return true;
}

void MVContentOpener::openAttachment(const std::string& path) {
    if (common_util::is_power_saving_mode()) {
        MSG_LOGW("emergency mode, not to open the file");
        return;
    }
    if (common_util::is_screen_reader_enabled()) {
        _toast(
            "IDS_SCR_POP_THE_FOLLOWING_FUNCTIONS_AND_APPLICATIONS_ARE_NOT_AVAILABLE_WHILE_SCREEN_READER_IS_"
            "ENABLED_C",
            MCommonPopup::NONE);
        return;
    }
    if (path.empty()) {
        _toast(CANT_VIEW, MCommonPopup::NONE);
        return;
    }
    _launchFileViewer(path);
}

} // namespace msg_viewer
} // namespace msg_app
