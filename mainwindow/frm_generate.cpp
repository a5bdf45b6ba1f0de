// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_generate.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "rater.h"
#include "twips.h"

namespace mainwindow {

frmGenerate::frmGenerate(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Puzzle Generator"));
    setModal(true);

    // Two rows: the board type above the level, each a label and its options.
    frmGenerateFrame = new QGroupBox(this);
    lblType = new QLabel(QStringLiteral("Puzzle Type:"), frmGenerateFrame);
    frmType = new QGroupBox(frmGenerateFrame);
    rb9x9 = new QRadioButton(QStringLiteral("Standard 9x9"), frmType);
    rbSamurai = new QRadioButton(QStringLiteral("Samurai"), frmType);
    auto* typeRow = new QHBoxLayout(frmType);
    typeRow->addWidget(rb9x9);
    typeRow->addWidget(rbSamurai);
    typeRow->addStretch(1);

    lblDifficulty = new QLabel(QStringLiteral("Difficulty:"), frmGenerateFrame);
    frmDifficulty = new QGroupBox(frmGenerateFrame);
    rbEasy = new QRadioButton(QStringLiteral("Easy"), frmDifficulty);
    rbTesting = new QRadioButton(QStringLiteral("Testing"), frmDifficulty);
    rbImpossible = new QRadioButton(QStringLiteral("Very Difficult"), frmDifficulty);
    auto* levelRow = new QHBoxLayout(frmDifficulty);
    levelRow->addWidget(rbEasy);
    levelRow->addWidget(rbTesting);
    levelRow->addWidget(rbImpossible);
    levelRow->addStretch(1);

    // A third row: a rating band to generate until; "Any" keeps the level's
    // own puzzles, a band chooses the level itself.
    lblRating = new QLabel(tr("Rating:"), frmGenerateFrame);
    cbRating = new QComboBox(frmGenerateFrame);
    cbRating->addItem(tr("Any (by level)"));
    for (int b = 0; b < 5; ++b)
        {
        const std::string_view name = logic::bandName(static_cast<logic::Band>(b));
        cbRating->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    cbRating->setToolTip(tr("Generate until a puzzle's rating falls in this band"));
    lblRating->setBuddy(cbRating);
    connect(cbRating, &QComboBox::currentIndexChanged, this,
            [this](int index) { frmDifficulty->setEnabled(index <= 0); });

    auto* rows = new QGridLayout(frmGenerateFrame);
    rows->addWidget(lblType, 0, 0);
    rows->addWidget(frmType, 0, 1);
    rows->addWidget(lblDifficulty, 1, 0);
    rows->addWidget(frmDifficulty, 1, 1);
    rows->addWidget(lblRating, 2, 0);
    rows->addWidget(cbRating, 2, 1, Qt::AlignLeft);
    rows->setColumnStretch(1, 1);

    rb9x9->setChecked(true);
    rbEasy->setChecked(true);

    btnCreate = new QPushButton(QStringLiteral("Create Puzzle"), this);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCreate->setDefault(true);
    connect(btnCreate, &QPushButton::clicked, this, &frmGenerate::btnCreate_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmGenerate::btnCancel_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnCreate);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frmGenerateFrame);
    layout->addLayout(buttons);

    // The buttons come first in the tab order, then the options.
    setTabOrder(btnCreate, btnCancel);
    setTabOrder(btnCancel, rb9x9);
    setTabOrder(rb9x9, rbSamurai);
    setTabOrder(rbSamurai, rbEasy);
    setTabOrder(rbEasy, rbTesting);
    setTabOrder(rbTesting, rbImpossible);
    setTabOrder(rbImpossible, cbRating);
    btnCreate->setFocus(Qt::OtherFocusReason);

    const platform::Twips twips = platform::Twips::ofPrimaryScreen();
    setMinimumSize(twips.toPixels(5205), twips.toPixels(2325));
    Form_Load();
}

void frmGenerate::btnCreate_Click()
{
    type = rb9x9->isChecked() ? 1 : 2;
    rating = rbEasy->isChecked() ? 1 : (rbTesting->isChecked() ? 2 : 3);
    band = cbRating->currentIndex() - 1;
    accept();
}

void frmGenerate::btnCancel_Click()
{
    reject();
}

void frmGenerate::reject()
{
    cancel = true;
    QDialog::reject();
}

} // namespace mainwindow
