#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "e2e_internal.h"

namespace e2e {

// ---- Pixels ----

Image CaptureScreen(const RECT& area) {
  Image image;
  image.width = area.right - area.left;
  image.height = area.bottom - area.top;
  if (image.width <= 0 || image.height <= 0) return {};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.width, image.height, screen, area.left, area.top,
           SRCCOPY | CAPTUREBLT);
    GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(bits);
    image.pixels.assign(p, p + static_cast<size_t>(image.width) * image.height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  } else {
    image = {};
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return image;
}

Image RenderIcon(HICON icon, int width, int height, DWORD background, bool stretch) {
  Image image;
  image.width = width;
  image.height = height;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  HBRUSH brush =
      CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
  RECT all{0, 0, width, height};
  FillRect(memory, &all, brush);
  DeleteObject(brush);
  DrawIconEx(memory, 0, 0, icon, stretch ? width : 0, stretch ? height : 0, 0, nullptr, DI_NORMAL);
  GdiFlush();
  const DWORD* p = static_cast<const DWORD*>(bits);
  image.pixels.assign(p, p + static_cast<size_t>(width) * height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return image;
}

// Mean difference per colour channel, 0 to 255.
double Difference(const Image& a, const Image& b) {
  if (a.width != b.width || a.height != b.height || a.pixels.empty()) return 255.0;
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      int x = static_cast<int>((a.pixels[i] >> shift) & 0xFF);
      int y = static_cast<int>((b.pixels[i] >> shift) & 0xFF);
      sum += x > y ? x - y : y - x;
    }
  }
  return sum / (3.0 * static_cast<double>(a.pixels.size()));
}

bool WriteBmp(const std::string& path, const Image& image) {
  if (image.pixels.empty()) return false;
  const int row_bytes = (image.width * 3 + 3) & ~3;
  const DWORD data_size = static_cast<DWORD>(row_bytes) * static_cast<DWORD>(image.height);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + data_size;
  info.biSize = sizeof(info);
  info.biWidth = image.width;
  info.biHeight = image.height;  // bottom-up rows
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = data_size;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
  bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
  std::string row(static_cast<size_t>(row_bytes), '\0');
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      DWORD p = image.pixels[static_cast<size_t>(y) * image.width + x];
      row[static_cast<size_t>(x) * 3] = static_cast<char>(p & 0xFF);
      row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
      row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
    }
    bytes += row;
  }
  return WriteFileBytes(path, bytes);
}

RECT ScreenRect() {
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

IconKind ClassifyIcon(HWND box) {
  HWND icon = GetDlgItem(box, kMessageIconId);
  if (!icon || !IsWindowVisible(icon)) return IconKind::None;
  // A box without an icon keeps an empty icon control.
  if (SendOrZero(icon, STM_GETICON, 0, 0) == 0) return IconKind::None;
  RECT client{};
  GetClientRect(icon, &client);
  if (client.right <= 0 || client.bottom <= 0) return IconKind::None;
  POINT origin{0, 0};
  ClientToScreen(icon, &origin);
  RECT area{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
  Image shown = CaptureScreen(area);
  if (shown.pixels.empty()) return IconKind::Unknown;
  const DWORD background = shown.pixels.front();
  // The control holds an icon, so a blank capture means it has not been painted yet.
  if (std::all_of(shown.pixels.begin(), shown.pixels.end(),
                  [&](DWORD p) { return p == background; }))
    return IconKind::Unknown;
  struct Candidate {
    IconKind kind;
    LPCSTR id;
  };
  const Candidate candidates[] = {{IconKind::Error, IDI_HAND},
                                  {IconKind::Warning, IDI_EXCLAMATION},
                                  {IconKind::Information, IDI_ASTERISK},
                                  {IconKind::Question, IDI_QUESTION}};
  IconKind best = IconKind::Unknown;
  double best_score = 255.0;
  for (const Candidate& c : candidates) {
    HICON handle = LoadIconA(nullptr, c.id);
    for (bool stretch : {false, true}) {
      double score =
          Difference(shown, RenderIcon(handle, shown.width, shown.height, background, stretch));
      if (score < best_score) {
        best_score = score;
        best = c.kind;
      }
    }
  }
  return best_score < 8.0 ? best : IconKind::Unknown;
}

// ---- Screenshots ----

namespace {

bool ShowsMoreThanOneColour(const RECT& area) {
  const Image shot = CaptureScreen(area);
  return std::any_of(shot.pixels.begin(), shot.pixels.end(),
                     [&](DWORD p) { return p != shot.pixels.front(); });
}

}  // namespace

bool SaveScreenshot(const std::string& label, HWND window, HWND list) {
  RECT area = ScreenRect();
  if (window) {
    RECT r = WindowRect(window);
    IntersectRect(&area, &area, &r);
  }
  if (window) {
    // A window found a moment ago may not have painted yet: let it work through its queue,
    // paint now, and wait until the capture shows more than one colour.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kWaitLimitMs, &ignored);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kWaitLimitMs, &ignored);
    WaitUntil([&] { return ShowsMoreThanOneColour(area); });
  }
  if (list) {
    // The headers alone already show several colours: wait for the rows below them.
    RECT rows = WindowRect(list);
    if (HWND header = reinterpret_cast<HWND>(SendOrZero(list, LVM_GETHEADER, 0, 0)))
      rows.top = WindowRect(header).bottom;
    WaitUntil([&] { return ListCount(list) > 0 && ShowsMoreThanOneColour(rows); });
  }
  CreateDirectoryA(Settings().out_dir.c_str(), nullptr);
  std::string path = Settings().out_dir + "\\" + Settings().case_name + "-" + label + ".bmp";
  bool ok = WriteBmp(path, CaptureScreen(area));
  Log((ok ? "screenshot " : "screenshot failed: ") + path);
  return ok;
}

}  // namespace e2e
