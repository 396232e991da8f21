#pragma once

#include <QObject>
#include <QVariant>

namespace vask {

// The integer tag a menu item or button carries; one handler serves a family of them and
// dispatches on the sender's tag. Untagged objects answer -1.
inline void setTag(QObject* object, int tag)
{
    object->setProperty("Tag", tag);
}
inline int tagOf(const QObject* object)
{
    if (object == nullptr)
        return -1;
    const QVariant tag = object->property("Tag");
    return tag.isValid() ? tag.toInt() : -1;
}

} // namespace vask
