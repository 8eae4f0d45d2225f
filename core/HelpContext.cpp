#include "core/HelpContext.h"

namespace helpcontext {

int ForTopic(int topic, int family) {
    if (topic == kTopicBladeInformation) {
        return family >= 0 ? kBase + kTopicBladeInformation + family : kBase;
    }
    if (topic < 0 || topic > kTopicBladeInformation) {
        return kBase;
    }
    return kBase + topic;
}

} // namespace helpcontext
