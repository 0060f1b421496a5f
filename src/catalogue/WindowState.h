#pragma once

// What a catalogue window is doing, in one value: its record is browsed or
// edited, and the lending card over its form is hidden, shown (for a book
// with or without a card) or being edited.
//
// The two parts are independent, and every pair of them occurs: the card can
// be opened over a record that is being edited (saving the card then posts
// the book with its pending changes and puts it back into edit mode), and a
// record can stay in edit mode while its card is edited. Folding them into
// one list of states would only spell out the same pairs.

#include "LendingCard.h"

namespace catalogue {

struct WindowState
{
    enum class Record { Browsing, Editing };
    using Card = LendingCard::State;

    Record record = Record::Browsing;
    Card card = Card::Hidden;

    bool editingRecord() const { return record == Record::Editing; }
    bool cardShown() const { return card != Card::Hidden; }
    bool editingCard() const { return card == Card::Editing; }
    // Moving, adding, editing and deleting act only on a browsed record with
    // no card over it: the card belongs to the book it was opened for.
    bool recordCommandsFree() const { return !editingRecord() && !cardShown(); }

    WindowState withRecord(Record r) const { return {r, card}; }
    WindowState withCard(Card c) const { return {record, c}; }

    friend bool operator==(const WindowState &, const WindowState &) = default;
};

// What a close does in a state: close at once, ask about the record being
// edited first, or refuse while a lending card is being edited. The record
// is asked about first; once it is settled, a card being edited still keeps
// the window open.
enum class CloseDecision { Close, AskAboutRecord, RefuseForLendingCard };

inline CloseDecision closeDecision(const WindowState &state)
{
    if (state.editingRecord())
        return CloseDecision::AskAboutRecord;
    if (state.editingCard())
        return CloseDecision::RefuseForLendingCard;
    return CloseDecision::Close;
}

} // namespace catalogue
