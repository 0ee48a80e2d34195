#include "toolkit/ModalHook.h"

#include <QDialog>

namespace {
TModalHook& Hook()
{
    static TModalHook hook;
    return hook;
}
} // namespace

int RunModal(QDialog& dialog)
{
    if (Hook())
        return Hook()(dialog);
    return dialog.exec();
}

TModalHook SetModalHook(TModalHook hook)
{
    TModalHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

bool ModalHookInstalled()
{
    return static_cast<bool>(Hook());
}
