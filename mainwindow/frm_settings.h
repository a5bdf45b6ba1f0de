// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <array>

#include "dialogs.h"
#include "preferences.h"
#include "settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

namespace mainwindow {

// The Preferences dialog: nine symbols out of 36 boxes, and the five board
// colours. Symbols can be chosen only when the caller offers them.
class frmSettings : public QDialog {
    Q_OBJECT
public:
    frmSettings(platform::Dialogs& dialogs, QWidget* parent);

    void initialise();
    void setInitialColours(const files::Colours& colourArray);
    void setInitialSymbols(const files::SymbolTable::Symbols& symbolArray);
    bool getCancel() const { return cancelled; }
    void txColours(files::Colours& colourArray) const;
    void txSymbols(files::SymbolTable::Symbols& symbolArray) const;

    // Re-enables the boxes and OK after a box is ticked or unticked.
    void updateSymbolBoxes();
    // Opens the colour chooser for swatch i.
    void lblColours_Click(int i);
    // Puts a ready-made colour set (index into colourSets() plus one) on the
    // swatches; 0 brings back the colours the dialog opened with.
    void cbColourSet_Activated(int index);
    void btnOK_Click();
    void btnCancel_Click();

    engine::Colour swatchColour(int i) const { return swatchColours_.at(static_cast<std::size_t>(i)); }

    QGroupBox* frmSymbolFrame = nullptr;
    QGroupBox* frmColourFrame = nullptr;
    std::array<QCheckBox*, files::SymbolChoice::kBoxes> cbSymbol{};
    std::array<QPushButton*, files::kColourRoles> lblColours{};
    QComboBox* cbColourSet = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    bool symbolsEditable = false;
    bool cancelled = false;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void setSwatch(int i, engine::Colour c);
    files::SymbolChoice choiceFromBoxes() const;
    // Shows the set the swatches hold, or the user's own.
    void showColourSet();

    platform::Dialogs& dialogs_;
    files::Colours colours_{};
    files::SymbolTable::Symbols symbols_{};
    std::array<engine::Colour, files::kColourRoles> swatchColours_{};
};

} // namespace mainwindow
