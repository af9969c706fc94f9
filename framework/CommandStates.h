#pragma once
// Menu items follow the program's state at all times, not only as their menu opens: a disabled
// item's shortcut does nothing, so an item left disabled from an earlier look at its menu would
// make its key fail without a sound. Every item asks again whether it can act whenever
// something it may depend on has changed: the program's state, the focus, the focused field's
// text or selection.

class MenuItem;

// The program's state changed (it computed, opened a document, ...): every item asks again,
// at once. The end of every handler run through Dispatch says so by itself, as do the focus and
// the focused field.
void CommandStatesChanged();

// Kept by MenuItem for each item while it lives.
void FollowCommandState(MenuItem& item);
void StopFollowingCommandState(MenuItem& item);
