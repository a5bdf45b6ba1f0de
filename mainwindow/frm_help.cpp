// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_help.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace mainwindow {

const char* const frmHelp::kSource = "qrc:/help/help.md";

frmHelp::frmHelp(QWidget* parent) : QDialog(parent)
{
    setModal(false);
    setWindowTitle(tr("Corvel Help"));
    txtHelp = new QTextBrowser(this);
    txtHelp->setOpenExternalLinks(true);
    txtHelp->setSource(QUrl(QString::fromLatin1(kSource)), QTextDocument::MarkdownResource);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtHelp);
    layout->addWidget(buttons);
    resize(720, 760);
}

} // namespace mainwindow
