// Placeholder until the about box lands: the command shows nothing.
#include "display/main_window.h"

void RunAboutBox() {}
