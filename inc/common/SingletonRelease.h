/*
 * The end of the process-wide services. getInstance() registers its release
 * when it creates the instance; the application's stop runs them all, newest
 * first, while the toolkit still runs. Nothing waits for process exit, where a
 * destructor would touch EFL after it shut down.
 */
#ifndef MSG_APP_COMMON_SINGLETONRELEASE_H
#define MSG_APP_COMMON_SINGLETONRELEASE_H

namespace msg_app {
namespace singleton_release {

using Release = void (*)();

// Registers a release; one registered again moves to the newest place, so that it runs once.
void add(Release release);
// Runs and forgets every registered release, newest first, including any added meanwhile.
void run_all();

} // namespace singleton_release
} // namespace msg_app

#endif
