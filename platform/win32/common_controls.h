#pragma once

// Registers every common control class the program's windows and dialogs use. Cheap after the
// first call; called before anything creates one of those controls.
void InitControlClasses();
