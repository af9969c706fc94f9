#pragma once
// The standard edit commands, carried out on the text field that has the keyboard focus.

#include <QString>
#include <optional>

enum class EditCommand
{
    Undo,
    Cut,
    Copy,
    Paste,
    Clear,
    SelectAll
};

// The command a menu item stands for by its name ("EditCut" ...), if any.
std::optional<EditCommand> EditCommandNamed(const QString& itemName);

bool CanPerform(EditCommand command);
void Perform(EditCommand command);
