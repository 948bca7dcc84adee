#include "ui/media/media_resources.h"

#include <QtCore/qglobal.h>

#include <mutex>

// Q_INIT_RESOURCE declares a function of the global namespace, so it must be
// used outside the project's namespace.
static void registerMediaQrc() { Q_INIT_RESOURCE(media); }

namespace rampwall {

void initMediaResources() {
    static std::once_flag once;
    std::call_once(once, registerMediaQrc);
}

} // namespace rampwall
