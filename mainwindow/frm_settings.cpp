// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_settings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "colour.h"
#include "colour_sets.h"

namespace mainwindow {

namespace {
const char* const kRoleCaptions[files::kColourRoles] = {"Working Cell", "Known Cell", "Text Colour", "Grid Lines",
                                                         "Hints"};
}

frmSettings::frmSettings(platform::Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs)
{
    setWindowTitle(tr("Preferences"));
    setModal(true);

    frmSymbolFrame = new QGroupBox(QStringLiteral("Select 9 symbols for your puzzle"), this);
    auto* symbolGrid = new QGridLayout(frmSymbolFrame);
    symbolGrid->setHorizontalSpacing(18);
    symbolGrid->setVerticalSpacing(4);
    for (int i = 0; i < files::SymbolChoice::kBoxes; ++i) {
        auto* box = new QCheckBox(QString::fromStdString(files::SymbolChoice::caption(i)), frmSymbolFrame);
        cbSymbol[static_cast<std::size_t>(i)] = box;
        symbolGrid->addWidget(box, i % 9, i / 9);
        connect(box, &QCheckBox::toggled, this, &frmSettings::updateSymbolBoxes);
    }

    frmColourFrame = new QGroupBox(QStringLiteral("Choose the colours for your grid"), this);
    auto* colourGrid = new QGridLayout(frmColourFrame);
    colourGrid->setVerticalSpacing(8);
    for (int i = 0; i < files::kColourRoles; ++i) {
        auto* swatch = new QPushButton(frmColourFrame);
        swatch->setFixedSize(44, 22);
        swatch->setCursor(Qt::PointingHandCursor);
        swatch->setToolTip(tr("Click to choose a colour"));
        lblColours[static_cast<std::size_t>(i)] = swatch;
        colourGrid->addWidget(swatch, i, 0);
        colourGrid->addWidget(new QLabel(QString::fromUtf8(kRoleCaptions[i]), frmColourFrame), i, 1);
        connect(swatch, &QPushButton::clicked, this, [this, i] { lblColours_Click(i); });
    }
    cbColourSet = new QComboBox(frmColourFrame);
    cbColourSet->addItem(tr("Your own"));
    for (const ColourSet& set : colourSets())
        cbColourSet->addItem(tr(std::string(set.name).c_str()));
    colourGrid->addWidget(new QLabel(tr("Colour set"), frmColourFrame), files::kColourRoles, 0);
    colourGrid->addWidget(cbColourSet, files::kColourRoles, 1);
    connect(cbColourSet, &QComboBox::activated, this, &frmSettings::cbColourSet_Activated);
    colourGrid->setRowStretch(files::kColourRoles + 1, 1);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &frmSettings::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmSettings::btnCancel_Click);

    auto* frames = new QHBoxLayout;
    frames->addWidget(frmSymbolFrame);
    frames->addWidget(frmColourFrame, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);

    // Until symbols are offered, the symbol boxes take no input.
    frmSymbolFrame->setEnabled(false);
    for (QCheckBox* box : cbSymbol) box->setEnabled(false);
    cancelled = false;
    for (int i = 0; i < files::kColourRoles; ++i) setSwatch(i, 0xFFFFFF);
}

void frmSettings::initialise()
{
    symbolsEditable = false;
}

void frmSettings::setInitialColours(const files::Colours& colourArray)
{
    for (int i = 0; i < files::kColourRoles; ++i) {
        setSwatch(i, colourArray[static_cast<std::size_t>(i)]);
        colours_[static_cast<std::size_t>(i)] = colourArray[static_cast<std::size_t>(i)];
    }
    showColourSet();
}

void frmSettings::cbColourSet_Activated(int index)
{
    const files::Colours& chosen =
        index <= 0 ? colours_ : colourSets().at(static_cast<std::size_t>(index - 1)).colours;
    for (int i = 0; i < files::kColourRoles; ++i) setSwatch(i, chosen[static_cast<std::size_t>(i)]);
    showColourSet();
}

void frmSettings::showColourSet()
{
    files::Colours shown{};
    for (int i = 0; i < files::kColourRoles; ++i) shown[static_cast<std::size_t>(i)] = swatchColour(i);
    const ColourSet* set = colourSetOf(shown);
    cbColourSet->setCurrentIndex(set ? static_cast<int>(set - colourSets().data()) + 1 : 0);
}

void frmSettings::setInitialSymbols(const files::SymbolTable::Symbols& symbolArray)
{
    files::SymbolChoice choice;
    choice.tickSymbols(symbolArray);
    for (int i = 0; i < files::SymbolChoice::kBoxes; ++i) {
        QCheckBox* box = cbSymbol[static_cast<std::size_t>(i)];
        const QSignalBlocker quiet(box);
        box->setChecked(choice.isTicked(i));
    }
    for (std::size_t k = 0; k < symbols_.size(); ++k) symbols_[k] = files::toUpperAscii(symbolArray[k]);
    frmSymbolFrame->setEnabled(true);
    for (QCheckBox* box : cbSymbol) box->setEnabled(true);
    symbolsEditable = true;
    updateSymbolBoxes();
}

files::SymbolChoice frmSettings::choiceFromBoxes() const
{
    files::SymbolChoice choice;
    for (int i = 0; i < files::SymbolChoice::kBoxes; ++i) choice.setTicked(i, cbSymbol[static_cast<std::size_t>(i)]->isChecked());
    return choice;
}

void frmSettings::updateSymbolBoxes()
{
    const files::SymbolChoice choice = choiceFromBoxes();
    if (symbolsEditable)
        for (int i = 0; i < files::SymbolChoice::kBoxes; ++i)
            cbSymbol[static_cast<std::size_t>(i)]->setEnabled(choice.boxEnabled(i));
    btnOK->setEnabled(choice.canAccept() || !symbolsEditable);
}

void frmSettings::setSwatch(int i, engine::Colour c)
{
    swatchColours_[static_cast<std::size_t>(i)] = c;
    lblColours[static_cast<std::size_t>(i)]->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid #505458; border-radius: 3px; }")
            .arg(platform::toQColor(c).name()));
}

void frmSettings::lblColours_Click(int i)
{
    if (const auto chosen = dialogs_.chooseColour(this, swatchColour(i))) setSwatch(i, *chosen);
    showColourSet();
}

void frmSettings::btnOK_Click()
{
    for (int i = 0; i < files::kColourRoles; ++i) colours_[static_cast<std::size_t>(i)] = swatchColour(i);
    const files::SymbolChoice choice = choiceFromBoxes();
    std::size_t slot = 0;
    for (int i = 0; i < files::SymbolChoice::kBoxes && slot < symbols_.size(); ++i)
        if (choice.isTicked(i)) symbols_[slot++] = files::SymbolChoice::caption(i);
    cancelled = false;
    accept();
}

void frmSettings::btnCancel_Click()
{
    reject();
}

void frmSettings::reject()
{
    cancelled = true;
    QDialog::reject();
}

void frmSettings::closeEvent(QCloseEvent* event)
{
    cancelled = true;
    QDialog::closeEvent(event);
}

void frmSettings::txColours(files::Colours& colourArray) const
{
    colourArray = colours_;
}

void frmSettings::txSymbols(files::SymbolTable::Symbols& symbolArray) const
{
    symbolArray = symbols_;
}

} // namespace mainwindow
