#include "block/MBContentViewController.h"

#include "block/MBItem/MBItemAttachFile.h"
#include "block/MBItem/MBItemBottomPadding.h"
#include "block/MBItem/MBItemDateLine.h"
#include "block/MBItem/MBItemNoContent.h"
#include "block/MBItem/MBItemSeparator.h"
#include "block/MBItem/MBItemText.h"
#include "block/MBItem/MBItemThumbnail.h"
#include "block/MBItem/MBItemTitle.h"
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/popup/MCommonPopup.h"
#include "common/view/MCommonConvTitle.h"
#include "common/view/MCommonMoreOptionViewController.h"
#include "journal.h"
#include "view_kit/WWindowController.h"

namespace msg_app {
namespace msg_block {

namespace {
constexpr const char* CONTENT_PART = "elm.swallow.content";
constexpr const char* JOURNAL_CATEGORY = "MESSAGE";
} // namespace

MBContentViewController::MBContentViewController(int msgId) : _msgId(msgId) {
    int err = _store.messages.getMessage(msgId, _message);
    if (err != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("MessageManager::getMessage() is failed : %d", err);
}

Evas_Object* MBContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* layout = common_ui_helper::add_app_layout(parent);
    MSG_RETV_IF(!layout, nullptr, "layout is nullptr");
    if (!_createMoreOption(layout))
        MSG_LOGE("moreOption is nullptr");
    return layout;
}

bool MBContentViewController::_createMoreOption(Evas_Object* layout) {
    auto* moreOption = new MCommonMoreOptionViewController();
    if (!moreOption->create(layout, nullptr)) {
        moreOption->destroy();
        return false;
    }
    _moreOptionWptr = view_kit::weak_cast<MCommonMoreOptionViewController>(moreOption->getWeakPtr());
    elm_object_part_content_set(layout, CONTENT_PART, moreOption->getEvasObject());
    bool restore = moreOption->appendItem(
        "WDS_MSG_MBODY_UNBLOCK_ABB", nullptr, "img/option/restore",
        [this](Eext_Object_Item*) { _onRestoreClicked(); }, nullptr);
    bool erase = moreOption->appendItem(
        "WDS_MSG_OPT_DELETE_ABB", nullptr, "img/option/delete",
        [this](Eext_Object_Item*) { _onDeleteClicked(); }, nullptr);
    if (!restore || !erase)
        MSG_LOGE("create() is failed.");
    return true;
}

void MBContentViewController::onCreated() {
    if (!_createGenlist()) {
        MSG_LOGE("_createGenlist() failed");
        return;
    }
    _loadItems();
    _rotaryItem = std::make_unique<MCommonRotaryActivateMgr::Item>(_genlist);
    if (!_rotaryItem->regist(true))
        MSG_LOGE("rotaryItem->regist() failed.");
    MCommonAppEventMgr::getInstance()->addListener(this);
}

bool MBContentViewController::_createGenlist() {
    auto moreOption = _moreOptionWptr.lock();
    MSG_RETV_IF(!moreOption, false, "moreOption is nullptr");
    _genlist = elm_genlist_add(moreOption->getEvasObject());
    MSG_RETV_IF(!_genlist, false, "elm_genlist_add() failed");
    elm_object_style_set(_genlist, "default");
    evas_object_size_hint_weight_set(_genlist, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(_genlist, EVAS_HINT_FILL, EVAS_HINT_FILL);
    elm_genlist_homogeneous_set(_genlist, EINA_FALSE);
    elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
    elm_genlist_select_mode_set(_genlist, ELM_OBJECT_SELECT_MODE_DEFAULT);
    view_kit::WWindowController* window = getWindowController();
    common_ui_helper::prepare_screen_genlist(_genlist, window ? window->getCircleSurface() : nullptr);
    evas_object_show(_genlist);
    return moreOption->setContent(_genlist);
}

void MBContentViewController::onDestroy() {
    MCommonAppEventMgr::getInstance()->removeListener(this);
    _pushWatch.stop();
    _rotaryItem.reset();
    _genlist = nullptr;
}

bool MBContentViewController::_append(MBItem* row) {
    int type = row->getType();
    if (wgenlist_item_append(_genlist, nullptr, std::unique_ptr<view_kit::WGenlistItem>(row),
                             ELM_GENLIST_ITEM_NONE))
        return true;
    MSG_LOGE("cannot append a row of type %d", type);
    return false;
}

void MBContentViewController::_loadItems() {
    MSG_RET_IF(!_genlist, "_genlist is nullptr");
    _append(new MBItemTitle(_message.threadId));

    MBItemDateLine::FromType fromType;
    if (_message.folderType == msg_store::FOLDER_WATCH_SPAM) {
        fromType = MBItemDateLine::FROM_HULM;
    } else if (_message.folderType == msg_store::FOLDER_SPAM) {
        fromType = MBItemDateLine::FROM_MOBILE;
    } else {
        MSG_LOGE("Invalid folder type : msgId[%d] type[%d]", _msgId, _message.folderType);
        return;
    }
    _append(new MBItemDateLine(static_cast<time_t>(_message.time / 1000), fromType));

    if (_message.msgType == "mms") {
        _loadMmsBody();
    } else if (_message.text.empty()) {
        _append(new MBItemNoContent());
    } else {
        _appendBody(_message.text);
    }
    _append(new MBItemBottomPadding());
}

void MBContentViewController::_appendBody(const std::string& text) {
    // A row lays out one part of a long text; the text reads on over the rows, up to what is shown
    // at all, and an ellipsis says that more was cut.
    std::vector<size_t> starts = common_ui_helper::text_part_starts(text, MBItemText::PART_CHARS);
    for (size_t i = 0; i < starts.size() && starts[i] < MBItem::MAX_SHOWN_BYTES; ++i) {
        size_t end = i + 1 < starts.size() ? starts[i + 1] : text.size();
        std::string part = text.substr(starts[i], end - starts[i]);
        if (end < text.size() && end >= MBItem::MAX_SHOWN_BYTES)
            part += "\xE2\x80\xA6";
        _append(new MBItemText(part, MBItemText::BODY));
    }
}

void MBContentViewController::_loadMmsBody() {
    if (!_message.subject.empty()) {
        _append(new MBItemText(_message.subject, MBItemText::SUBJECT));
        _append(new MBItemSeparator());
    }
    for (const msg_store::Content& part : _message.contents) {
        switch (part.mediaType) {
        case msg_store::Content::MEDIA_TYPE_TEXT:
            _appendBody(part.text);
            break;
        case msg_store::Content::MEDIA_TYPE_IMAGE:
            _append(new MBItemThumbnail(MBItemThumbnail::IMAGE, part.thumbnailPath, part.filePath));
            break;
        case msg_store::Content::MEDIA_TYPE_VIDEO:
            _append(new MBItemThumbnail(MBItemThumbnail::VIDEO, part.thumbnailPath, part.filePath));
            break;
        default:
            if (part.mediaType == msg_store::Content::MEDIA_TYPE_AUDIO || part.isAttachment)
                _append(new MBItemAttachFile(part.mediaType, part.mimeType, part.fileName));
            break;
        }
    }
}

void MBContentViewController::onPushed(Elm_Object_Item* naviItem) {
    MSG_RET_IF(!naviItem, "naviItem is nullptr");
    elm_naviframe_item_title_enabled_set(naviItem, EINA_FALSE, EINA_FALSE);
    MCommonConvTitle::setAccessName(naviItem, _message.threadId);
    _pushWatch.watch(naviItem, [this] { _markAsRead(); });
}

void MBContentViewController::_markAsRead() {
    if (_message.isRead || _message.msgId < 0)
        return;
    int err = _store.messages.readMessage(_msgId);
    if (err != msg_store::MSG_STORE_SUCCESS) {
        MSG_LOGE("readMessage(%d) failed : %d", _msgId, err);
        return;
    }
    _message.isRead = true;
    if (_message.msgType != "mms") {
        journal_log(JOURNAL_CATEGORY, "SMS_MSG_OPENED");
        return;
    }
    std::string address;
    std::shared_ptr<MCommonConvAddr> convAddr;
    if (MCommonAddrMgr::getInstance()->getConvAddr(_message.threadId, convAddr)) {
        if (std::shared_ptr<MCommonAddr> first = convAddr->getNthAddr(0))
            first->getAddress(address);
    }
    journal_log(JOURNAL_CATEGORY, "MMS_MSG_OPENED %s", address.c_str());
}

bool MBContentViewController::onPop() {
    return true;
}

void MBContentViewController::appEventListener(MCommonAppEventType type) {
    switch (type) {
    case APP_EVENT_LANGUAGE_CHANGED:
    case APP_EVENT_CONTACTS_CHANGED:
    case APP_EVENT_TIME_FORMAT_CHANGED:
        if (_genlist)
            elm_genlist_realized_items_update(_genlist);
        break;
    default:
        break;
    }
}

void MBContentViewController::_onRestoreClicked() {
    _actAndLeave(common_util::restore_blocked_message(_store, _msgId), "WDS_MSG_TPOP_MESSAGE_RESTORED_ABB",
                 "restore message is failed.");
}

void MBContentViewController::_onDeleteClicked() {
    _actAndLeave(_store.messages.deleteMessage(_msgId), "WDS_MSG_TPOP_MESSAGE_DELETED_ABB",
                 "delete message is failed.");
}

void MBContentViewController::_actAndLeave(int result, const char* doneTextId, const char* failure) {
    if (result == msg_store::MSG_STORE_SUCCESS)
        MCommonPopup::launchPopup(doneTextId, MCommonPopup::SENT_SUCCESS);
    else
        MSG_LOGE("%s", failure);
    _popLater();
}

void MBContentViewController::_popLater() {
    if (!_popJob.isPending())
        _popJob.start([this] { popOut(); });
}

} // namespace msg_block
} // namespace msg_app
