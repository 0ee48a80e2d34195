#pragma once
// Every modal window of the program runs through RunModal, so tests can
// answer dialogs by script instead of entering a nested event loop.

#include <functional>

class QDialog;

using TModalHook = std::function<int(QDialog&)>;

// Shows `dialog` modally and returns its result; with a hook installed the
// hook runs instead of QDialog::exec and its return value is the result.
int RunModal(QDialog& dialog);

// Installs `hook` (an empty function restores QDialog::exec); returns the previous one.
TModalHook SetModalHook(TModalHook hook);

// True while a hook stands in for QDialog::exec (under test).
bool ModalHookInstalled();
