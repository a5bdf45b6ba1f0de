#include <QDialog>
#include <gtest/gtest.h>

#include "scripted_dialogs.h"

namespace {

TEST(ScriptedDialogs, RecordsAndAnswersInOrder)
{
    platform::ScriptedDialogs d;
    d.messageAnswers = {platform::MessageAnswer::Cancel};
    EXPECT_EQ(d.message(nullptr, "Save?", platform::MessageIcon::None, platform::MessageButtons::OkCancel),
              platform::MessageAnswer::Cancel);
    EXPECT_EQ(d.message(nullptr, "Done", platform::MessageIcon::Critical, platform::MessageButtons::Ok),
              platform::MessageAnswer::Ok);
    ASSERT_EQ(d.messages.size(), 2u);
    EXPECT_EQ(d.messages[0].text, "Save?");
    EXPECT_EQ(d.messages[1].icon, platform::MessageIcon::Critical);

    d.openAnswers = {QString("a.sdk")};
    EXPECT_EQ(d.openFileName(nullptr, "Open", "Sudoku Puzzle (*.sdk)"), QString("a.sdk"));
    EXPECT_FALSE(d.openFileName(nullptr, "Open", "Sudoku Puzzle (*.sdk)").has_value());
    EXPECT_EQ(d.fileFilters.size(), 2u);
    EXPECT_FALSE(d.chooseColour(nullptr, 0).has_value());
    d.colourAnswers = {engine::Colour{42}};
    EXPECT_EQ(d.chooseColour(nullptr, 0), engine::Colour{42});
}

TEST(ScriptedDialogs, ModalDialogsRunTheirScriptOrAreRejected)
{
    platform::ScriptedDialogs d;
    QDialog dialog;
    EXPECT_EQ(d.runModal(dialog), QDialog::Rejected);
    d.modalScripts.push_back([](QDialog& dlg) { dlg.accept(); });
    EXPECT_EQ(d.runModal(dialog), QDialog::Accepted);
    EXPECT_EQ(d.modalDialogsRun, 2);
}

} // namespace
