#pragma once

// An opaque window handle (HWND on Windows) as the logic passes it around.
using WindowHandle = void*;
