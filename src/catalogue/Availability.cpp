#include "Availability.h"

namespace catalogue {

CatalogueState catalogueState(bool editing, bool atStart, bool atEnd)
{
    if (editing)
        return CatalogueState::Editing;
    if (atStart && atEnd)
        return CatalogueState::Empty;
    if (atStart)
        return CatalogueState::AtFirst;
    if (atEnd)
        return CatalogueState::AtLast;
    return CatalogueState::Between;
}

std::optional<bool> commandEnabled(Command command, CatalogueState state, Place place)
{
    const bool editing = state == CatalogueState::Editing;
    const bool empty = state == CatalogueState::Empty;
    switch (command) {
    case Command::Preview:
    case Command::Print:
    case Command::Delete:
    case Command::Find:
        return !editing && !empty;
    case Command::Clipboard:
        // While editing the text fields switch them as they gain the focus;
        // the window's own clipboard items always follow the focus.
        if (editing || place == Place::WindowMenu)
            return std::nullopt;
        return false;
    case Command::Edit:
    case Command::GoTo:
        return !editing;
    case Command::Save:
    case Command::Undo:
        return editing;
    case Command::FirstPrior:
        // The window's items sit in the go-to submenu, which is off while editing.
        if (editing && place == Place::WindowMenu)
            return std::nullopt;
        return state == CatalogueState::AtLast || state == CatalogueState::Between;
    case Command::NextLast:
        if (editing && place == Place::WindowMenu)
            return std::nullopt;
        return state == CatalogueState::AtFirst || state == CatalogueState::Between;
    case Command::New:
        if (editing && place == Place::WindowMenu)
            return std::nullopt;
        return !editing;
    }
    return std::nullopt;
}

} // namespace catalogue
