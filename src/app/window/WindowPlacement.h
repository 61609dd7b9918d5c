#pragma once
// The main window comes back where it was left: its place, size and maximised state, and the fade
// switch beside them, are kept at close and given back at the next start on the screen that
// holds them.

#include "app/dialogs/ScreenFit.h"
