#include "Availability.h"

namespace core {

CatalogueState catalogueState(const WindowSnapshot &w)
{
    if (w.editingRecord)
        return CatalogueState::Editing;
    if (w.atStart && w.atEnd)
        return CatalogueState::Empty;
    if (w.atStart)
        return CatalogueState::AtFirst;
    if (w.atEnd)
        return CatalogueState::AtLast;
    return CatalogueState::Between;
}

CommandState availability(const ProgramState &state, Command command)
{
    const bool window = state.active.has_value();
    const WindowSnapshot w = state.active.value_or(WindowSnapshot{});
    const CatalogueState s = catalogueState(w);
    const bool editing = window && s == CatalogueState::Editing;
    const bool browsing = window && !editing;
    const bool hasRecords = browsing && s != CatalogueState::Empty;
    const bool canGoBack = browsing && (s == CatalogueState::AtLast || s == CatalogueState::Between);
    const bool canGoOn = browsing && (s == CatalogueState::AtFirst || s == CatalogueState::Between);

    auto on = [](bool enabled) { return CommandState{enabled, false, true}; };
    auto check = [](bool checked) { return CommandState{true, checked, true}; };

    using C = Command;
    switch (command) {
    case C::OptionalCatalogues:
    case C::OpenCatalogue:
    case C::PrinterSetup:
    case C::Exit:
    case C::ShowTips:
    case C::Help:
    case C::About:
    case C::HelpButton:
        return on(true);
    case C::CloseWindow:
    case C::GenreMenu:
    case C::TileSideBySide:
    case C::TileStacked:
    case C::Cascade:
    case C::MinimiseAll:
    case C::ArrangeIcons:
        return on(window);
    case C::WindowList:
        return CommandState{true, false, window};
    case C::WindowEntry1:
    case C::WindowEntry2:
    case C::WindowEntry3:
    case C::WindowEntry4:
        // Only the active window's entry carries a mark.
        return check(window && w.slot == slotOfWindowEntry(command));
    case C::Preview:
    case C::Print:
    case C::DeleteRecord:
    case C::Find:
        return on(hasRecords);
    case C::Cut:
    case C::Copy:
    case C::Paste:
        // While editing, the free-text field entered last is their target.
        return on(editing && w.freeTextEntered);
    case C::EditRecord:
    case C::GoTo:
    case C::NewRecord:
        return on(browsing);
    case C::SaveRecord:
    case C::UndoRecord:
        return on(editing);
    case C::First:
    case C::Prior:
        return on(canGoBack);
    case C::Next:
    case C::Last:
        return on(canGoOn);
    case C::ClearStandard:
        // The standard catalogue marked open is never erased under a window.
        return on(!state.openMarkers[1]);
    case C::RestoreSettings:
        return on(!window);
    case C::Manual:
        return on(state.manualAvailable);
    case C::PreviousTip:
    case C::NextTip:
        return on(state.tipsOpen);
    case C::ViewStandard:
    case C::ViewDatabase:
    case C::ViewWindows:
    case C::ViewTips:
    case C::ViewStatusBar:
    case C::ViewSideBar:
        return check(state.viewShown[int(command) - int(C::ViewStandard)]);
    case C::FileMenu:
    case C::EditMenu:
        // Off while a lending card lies over the active window.
        return on(!window || w.card == CardMode::Hidden);
    }
    return on(false);
}

CommandStates availability(const ProgramState &state)
{
    CommandStates states;
    for (int i = 0; i < CommandCount; ++i)
        states[i] = availability(state, Command(i));
    return states;
}

} // namespace core
