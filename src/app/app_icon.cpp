#include "app/app_icon.h"

#include <QIcon>

namespace virdamo::app {

QIcon windowIcon()
{
    return QIcon(QStringLiteral(":/virdamo/icons/virdamo-32.xpm"));
}

}  // namespace virdamo::app
