#pragma once

#include <windows.h>

// Creates a child control of `parent` (placed later by its owner's layout) in the given font.
// Throws when the system refuses it.
HWND CreateChildControl(HWND parent, HINSTANCE instance, HFONT font, const char* class_name,
                        const char* text, DWORD style, DWORD ex_style, int id);
