/*
 * Ready-made images for list rows (the unread badges), so that
 * scrolling does not create and destroy them: a row takes one when shown and
 * gives it back when scrolled away. The images are kept by their image group.
 * Main loop only. Images handed out belong to their rows; the ones the pool
 * holds are deleted with it.
 */
#ifndef MSG_APP_LIST_MLREUSABLEOBJECTPOOL_H
#define MSG_APP_LIST_MLREUSABLEOBJECTPOOL_H

#include <Evas.h>

#include <map>
#include <string>
#include <vector>

namespace msg_app {
namespace msg_list {

class MLReusableObjectPool {
public:
    // How many badges init() prepares.
    static constexpr size_t INIT_SIZE = 8;
    static constexpr const char* BADGE_GROUP = "img/list/noti1";

    static MLReusableObjectPool* getInstance();
    static void destroy();

    // Fills the pool up to INIT_SIZE badges created on the parent.
    void init(Evas_Object* parent);
    // The most recently added image of the group (the badge's by default); null when there is none.
    Evas_Object* getObject(const char* group = BADGE_GROUP);
    // Takes an image of the image theme back; false (the caller keeps and deletes it) for null, an
    // image of no group, or without a pool.
    static bool setObject(Evas_Object* obj);
    size_t getSize(const char* group = BADGE_GROUP) const;

    // A fresh badge image of the image theme; null when it cannot be created.
    static Evas_Object* createBadge(Evas_Object* parent);

    virtual ~MLReusableObjectPool();

private:
    MLReusableObjectPool() = default;
    MLReusableObjectPool(const MLReusableObjectPool&) = delete;
    MLReusableObjectPool& operator=(const MLReusableObjectPool&) = delete;

    void _push(const std::string& group, Evas_Object* obj);
    static void _objectDelCb(void* data, Evas* evas, Evas_Object* obj, void* eventInfo);

    static MLReusableObjectPool* _instance;
    std::map<std::string, std::vector<Evas_Object*>> _pools;
};

} // namespace msg_list
} // namespace msg_app

#endif
