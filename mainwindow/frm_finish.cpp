// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_finish.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "status_text.h"

namespace mainwindow {

frmFinish::frmFinish(QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Corvel"));
    lbl1 = new QLabel(QStringLiteral("Congratulations!"), this);
    QFont big = lbl1->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lbl1->setFont(big);
    lbl2 = new QLabel(QStringLiteral("You have solved the puzzle."), this);
    lblHints = new QLabel(QStringLiteral("Hints used:"), this);
    lblTime = new QLabel(QStringLiteral("Time to complete:"), this);
    lblBest = new QLabel(tr("A new best time!"), this);
    lblBest->hide();
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &frmFinish::btnOK_Click);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 22, 28, 18);
    layout->setSpacing(8);
    for (QLabel* l : {lbl1, lbl2, lblHints, lblTime, lblBest}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    layout->addSpacing(10);
    layout->addWidget(btnOK, 0, Qt::AlignCenter);
}

void frmFinish::Form_Load()
{
    lblHints->setText(QStringLiteral("Hints used: ") + QString::number(numHints));
    lblTime->setText(QStringLiteral("Time Used: ") + QString::fromStdString(stopwatchText(solvingTime)));
    lblBest->setVisible(newBest);
}

void frmFinish::btnOK_Click()
{
    close();
}

void frmFinish::showEvent(QShowEvent* event)
{
    Form_Load();
    QDialog::showEvent(event);
}

} // namespace mainwindow
