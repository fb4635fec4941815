/*
 * A picture or a video in a bubble: the picture (or the video's still, with
 * a play mark) scaled to the bubble's width, or a placeholder while the file
 * is not on the watch. Created each time its bubble is realized.
 */
#ifndef MSG_APP_VIEWER_MEDIA_MVIMAGEVIEWCONTROLLER_H
#define MSG_APP_VIEWER_MEDIA_MVIMAGEVIEWCONTROLLER_H

#include "msg_store/Content.h"
#include "view_kit/WSignal.h"
#include "view_kit/WViewController.h"

#include <functional>
#include <string>

namespace msg_app {
namespace msg_viewer {

class MVImageViewController : public view_kit::WViewController {
public:
    enum Event : int {
        PRESSED = 0,
        RELEASED = 1,
        CLICKED = 2,
    };

    MVImageViewController(int width, int height, int index, const msg_store::Content& content);

    int getMediaIndex() const { return _index; }
    bool isVideo() const;
    // Whether the play mark shows: a video with a still.
    bool showsPlayMark() const { return _playMark; }
    // The file the picture shows, or empty for the placeholder.
    const std::string& getShownFile() const { return _shownFile; }

    unsigned int addEventListener(std::function<void(Event, MVImageViewController*)> listener,
                                  Evas_Object* owner);

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;

private:
    int _width;
    int _height;
    int _index;
    int _mediaType;
    int _displayType;
    std::string _fileName;
    std::string _filePath;
    std::string _thumbnailPath;
    std::string _shownFile;
    bool _playMark = false;
    view_kit::WSignal<void(Event, MVImageViewController*)> _signal;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
