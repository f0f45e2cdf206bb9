#include "app/app_icon.h"

#include <QIcon>
#include <QSize>
#include <QString>

namespace virdamo::app {

using namespace Qt::StringLiterals;

QIcon windowIcon()
{
    // Both sizes rendered from the SVG at build time: a title bar and a task switcher each
    // get a picture drawn for their size rather than one scaled from the other.
    QIcon icon;
    for (const int size : {32, 64}) {
        icon.addFile(u":/virdamo/icons/virdamo-%1.png"_s.arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace virdamo::app
