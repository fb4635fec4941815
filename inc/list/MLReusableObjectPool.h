/*
 * Ready-made unread-badge images for list rows, so that scrolling does not
 * create and destroy them: a row takes one when shown and gives it back when
 * scrolled away. Main loop only. Badges handed out belong to their rows; the
 * ones the pool holds are deleted with it.
 */
#ifndef MSG_APP_LIST_MLREUSABLEOBJECTPOOL_H
#define MSG_APP_LIST_MLREUSABLEOBJECTPOOL_H

#include <Evas.h>

#include <vector>

namespace msg_app {
namespace msg_list {

class MLReusableObjectPool {
public:
    // How many badges init() prepares.
    static constexpr size_t INIT_SIZE = 8;

    static MLReusableObjectPool* getInstance();
    static void destroy();

    // Fills the pool up to INIT_SIZE badges created on the parent.
    void init(Evas_Object* parent);
    // The most recently added badge; null when the pool is empty.
    Evas_Object* getObject();
    // Takes a badge back; false (the caller keeps and deletes it) for null or without a pool.
    static bool setObject(Evas_Object* obj);
    size_t getSize() const { return _pool.size(); }

    // A fresh badge image of the image theme; null when it cannot be created.
    static Evas_Object* createBadge(Evas_Object* parent);

    virtual ~MLReusableObjectPool();

private:
    MLReusableObjectPool() = default;
    MLReusableObjectPool(const MLReusableObjectPool&) = delete;
    MLReusableObjectPool& operator=(const MLReusableObjectPool&) = delete;

    void _push(Evas_Object* obj);
    static void _objectDelCb(void* data, Evas* evas, Evas_Object* obj, void* eventInfo);

    static MLReusableObjectPool* _instance;
    std::vector<Evas_Object*> _pool;
};

} // namespace msg_list
} // namespace msg_app

#endif
