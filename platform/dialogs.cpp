#include "dialogs.h"

#include <QCoreApplication>

namespace platform {

QString messageCaption()
{
    return QStringLiteral("Corvel");
}

} // namespace platform
