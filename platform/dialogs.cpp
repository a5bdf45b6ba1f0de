// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"

#include <QCoreApplication>

namespace platform {

QString messageCaption()
{
    return QStringLiteral("Corvel");
}

} // namespace platform
