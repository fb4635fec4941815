/*
 * The conversation screen's option panel: each screen owns one, which fills
 * it with the options of the conversation, of the messages checked in select
 * mode, or of a number tapped in a bubble, decides which entries apply, and
 * hands the chosen one to whoever asked. A screen under another keeps its own
 * panel and entries. Main loop only.
 */
#ifndef MSG_APP_VIEWER_MVOPTIONMGR_H
#define MSG_APP_VIEWER_MVOPTIONMGR_H

#include <Evas.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace msg_app {

class MCommonMoreOptionViewController;

namespace msg_viewer {

class IMVItemDataProvider;

enum MoreOption : int {
    MORE_OPTION_REPLY = 0,
    MORE_OPTION_CALL = 1,
    MORE_OPTION_SEND_LOCATION = 2,
    MORE_OPTION_RECIPIENTS = 3,
    MORE_OPTION_SHOW_ON_PHONE = 4,
    MORE_OPTION_BLOCK = 5,
    MORE_OPTION_UNBLOCK = 6,
    MORE_OPTION_EXPORT_TO_PHONE = 7,
    MORE_OPTION_DELETE_SELECTED = 8, // understood by select mode; no entry offers it
    MORE_OPTION_DELETE = 9,          // enters select mode
    MORE_OPTION_CREATE_CONTACT = 10,
    MORE_OPTION_CALL_NUMBER = 11,
    MORE_OPTION_SEND_MESSAGE = 12,
};

class MVOptionMgr {
public:
    enum OptionType : int {
        OPTION_NONE = 0,
        OPTION_THREAD = 1,
        OPTION_MSG = 2,
        OPTION_CUTLINK = 3,
    };
    using ThreadMenuCb = std::function<void(MoreOption)>;
    using MsgMenuCb = std::function<void(MoreOption)>;
    using CutlinkCb = std::function<void(MoreOption, const std::string& number)>;

    MVOptionMgr() = default;
    ~MVOptionMgr();
    MVOptionMgr(const MVOptionMgr&) = delete;
    MVOptionMgr& operator=(const MVOptionMgr&) = delete;

    // The panel on parent, holding the screen's content; null when it cannot be made.
    Evas_Object* createView(Evas_Object* parent);
    MCommonMoreOptionViewController* getView() const;
    void destroy();

    bool createThreadOption(int threadId, const IMVItemDataProvider* provider, ThreadMenuCb cb);
    // The options of the checked messages.
    bool createMsgOption(const IMVItemDataProvider* provider, MsgMenuCb cb, const std::vector<int>& msgIds);
    bool createCutlinkOption(CutlinkCb cb, const char* number);

    void openMenu();
    void closeMenu();
    bool isOpened() const;
    void clearItems();
    Evas_Object* getCueAccessObject() const;
    OptionType getOptionType() const { return _optionType; }

private:
    friend class MVOptionMgrTestPeer;

    // An entry as the panel shows it.
    struct Shown {
        MoreOption option;
        std::string sub;
        const char* icon;
        bool operator==(const Shown& other) const {
            return option == other.option && sub == other.sub && icon == other.icon;
        }
    };

    std::vector<Shown> _threadEntries() const;
    static const char* _iconOf(MoreOption option);
    // The option under the selector of the open panel, -1 for none.
    int _selectedOption() const;
    // Puts the option under the selector again when the panel still offers it.
    void _keepSelection(int option);
    void _loadThreadOption();
    void _loadMsgOption();
    void _loadCutlinkOption();
    void _appendThreadItem(MoreOption option, const char* sub = nullptr);
    void _append(MoreOption option, const char* sub, std::function<void()> onClicked);
    void _onClosed();
    void _resetItems();
    bool _isExportable(int msgId) const;

    std::weak_ptr<MCommonMoreOptionViewController> _optionWptr;
    OptionType _optionType = OPTION_NONE;
    // What a closed panel comes back with: the conversation's or the selection's entries.
    OptionType _baseType = OPTION_NONE;
    const IMVItemDataProvider* _provider = nullptr;
    int _threadId = -1;
    ThreadMenuCb _threadMenuSelectCb;
    MsgMenuCb _msgMenuSelectCb;
    std::vector<int> _msgIds;
    CutlinkCb _cutlinkSelectCb;
    std::string _number;
    std::vector<MoreOption> _options;
    std::vector<Shown> _shown;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
