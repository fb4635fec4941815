#ifndef EEXT_MOREOPTION_H
#define EEXT_MOREOPTION_H

#include "efl_extension.h"

namespace eext {

class RotarySelector;

// The more-option panel: the screen's content, a cue on the right edge and a
// rotary selector that slides in over the screen. While open the panel owns
// the back key and the bezel; the bezel goes back to its previous owner when
// the panel closes.
class MoreOption {
public:
    static Evas_Object* create(Evas_Object* parent);
    static MoreOption* fromObject(const Evas_Object* obj);

    void setOpened(bool opened);
    bool opened() const { return _opened; }
    // The selector is built when first needed: a shut panel without items is not drawn.
    RotarySelector* selector();
    RotarySelector* builtSelector() const { return _selector; }

private:
    MoreOption(Evas_Object* layout, Evas_Object* cue);
    ~MoreOption();
    void _setPreviousRotary(Evas_Object* obj);
    void _registerCueAccess();
    static Eina_Bool _cueActivateCb(void* data, Evas_Object* obj, Elm_Access_Action_Info* info);

    static void _layoutDelCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _previousRotaryDelCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _cueClickedCb(void* data, Evas_Object* obj, const char* emission, const char* source);
    static void _panelShownCb(void* data, Evas_Object* obj, const char* emission, const char* source);
    static void _panelHiddenCb(void* data, Evas_Object* obj, const char* emission, const char* source);
    static void _backCb(void* data, Evas_Object* obj, void* info);
    static Eina_Bool _rotaryCb(void* data, Evas_Object* obj, Eext_Rotary_Event_Info* info);

    Evas_Object* _layout;
    Evas_Object* _cue;
    RotarySelector* _selector = nullptr;
    Evas_Object* _previousRotary = nullptr;
    bool _opened = false;
};

} // namespace eext

#endif
