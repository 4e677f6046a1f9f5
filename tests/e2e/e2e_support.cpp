#include "e2e_support.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace e2e {

namespace {

struct DriverState {
  RunSettings settings;
  int failures = 0;
  int failureShots = 0;
  std::vector<Process> started;
};

DriverState& State() {
  static DriverState state;
  return state;
}

std::vector<RegisteredCase>& MutableCases() {
  static std::vector<RegisteredCase> cases;
  return cases;
}

constexpr DWORD kSendLimitMs = 10000;
constexpr DWORD kPollMs = 20;
constexpr int kMessageTextId = 0xFFFF;
constexpr int kMessageIconId = 1088;
constexpr char kWindowKey[] = "Software\\Brel\\Morvelin\\Window";

std::string ToUtf8(const std::string& ansi) {
  if (ansi.empty()) return {};
  int wide = MultiByteToWideChar(932, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(932, 0, ansi.data(), static_cast<int>(ansi.size()), w.data(), wide);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
  return out;
}

// A block of memory inside another process, for messages whose arguments are pointers.
class RemoteBlock {
 public:
  RemoteBlock(HWND owner, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_)
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool ok() const { return address_ != nullptr; }
  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  LPARAM param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(at(offset)); }
  bool Write(size_t offset, const void* data, size_t size) const {
    SIZE_T done = 0;
    return offset + size <= size_ && WriteProcessMemory(process_, at(offset), data, size, &done) &&
           done == size;
  }
  bool Read(size_t offset, void* data, size_t size) const {
    SIZE_T done = 0;
    return offset + size <= size_ && ReadProcessMemory(process_, at(offset), data, size, &done) &&
           done == size;
  }
  std::string ReadText(size_t offset, size_t maxSize) const {
    std::string text(maxSize, '\0');
    if (!Read(offset, text.data(), maxSize)) return {};
    text.resize(strnlen(text.data(), maxSize));
    return text;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

// ---- Pixels ----

struct Image {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;  // 0x00RRGGBB, top row first
};

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
  const int rowBytes = (image.width * 3 + 3) & ~3;
  const DWORD dataSize = static_cast<DWORD>(rowBytes) * static_cast<DWORD>(image.height);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + dataSize;
  info.biSize = sizeof(info);
  info.biWidth = image.width;
  info.biHeight = image.height;  // bottom-up rows
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = dataSize;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
  bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
  std::string row(static_cast<size_t>(rowBytes), '\0');
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
  if (std::all_of(shown.pixels.begin(), shown.pixels.end(),
                  [&](DWORD p) { return p == background; }))
    return IconKind::None;  // not painted yet, or an empty icon control
  struct Candidate {
    IconKind kind;
    LPCSTR id;
  };
  const Candidate candidates[] = {{IconKind::Error, IDI_HAND},
                                  {IconKind::Warning, IDI_EXCLAMATION},
                                  {IconKind::Information, IDI_ASTERISK},
                                  {IconKind::Question, IDI_QUESTION}};
  IconKind best = IconKind::Unknown;
  double bestScore = 255.0;
  for (const Candidate& c : candidates) {
    HICON handle = LoadIconA(nullptr, c.id);
    for (bool stretch : {false, true}) {
      double score =
          Difference(shown, RenderIcon(handle, shown.width, shown.height, background, stretch));
      if (score < bestScore) {
        bestScore = score;
        best = c.kind;
      }
    }
  }
  return bestScore < 8.0 ? best : IconKind::Unknown;
}

struct EnumRequest {
  const char* className;
  DWORD pid;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
  auto* request = reinterpret_cast<EnumRequest*>(param);
  if (request->visibleOnly && !IsWindowVisible(window)) return TRUE;
  if (request->pid && ProcessOf(window) != request->pid) return TRUE;
  if (request->className && ClassNameOf(window) != request->className) return TRUE;
  request->found.push_back(window);
  return TRUE;
}

bool IsMessageBox(HWND dialog) {
  HWND text = GetDlgItem(dialog, kMessageTextId);
  if (!text || ClassNameOf(text) != "Static") return false;
  // The item and listing dialogs hold edits and lists; a message box never does.
  return FindControl(dialog, "Edit") == nullptr && FindControl(dialog, WC_LISTVIEWA) == nullptr &&
         FindControl(dialog, "ComboBox") == nullptr;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

}  // namespace

// ---- Cases ----

CaseRegistrar::CaseRegistrar(const char* name, CaseFunction run) {
  MutableCases().push_back({name, run});
}

const std::vector<RegisteredCase>& RegisteredCases() {
  return MutableCases();
}

RunSettings& Settings() {
  return State().settings;
}

int RunCase(const std::string& name) {
  const auto& cases = RegisteredCases();
  auto found = std::find_if(cases.begin(), cases.end(),
                            [&](const RegisteredCase& c) { return c.name == name; });
  if (found == cases.end()) return -1;
  State().failures = 0;
  Log("case " + name + ": start");
  try {
    found->run();
  } catch (const CaseAborted&) {
    Log("case " + name + ": stopped after a required check failed");
  } catch (const std::exception& e) {
    RecordFailure(__FILE__, __LINE__, std::string("unexpected exception: ") + e.what());
  }
  KillLeftovers();
  Log("case " + name + ": " +
      (State().failures ? std::to_string(State().failures) + " failure(s)" : "passed"));
  return State().failures;
}

// ---- Checks ----

void Log(const std::string& message) {
  std::fputs((message + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void RecordFailure(const char* file, int line, const std::string& message) {
  ++State().failures;
  const char* base = std::strrchr(file, '/');
  Log(std::string("FAILED ") + (base ? base + 1 : file) + ":" + std::to_string(line) + ": " +
      message);
  if (State().failureShots < 5) {
    ++State().failureShots;
    SaveScreenshot("failure-" + std::to_string(State().failureShots));
  }
}

int FailureCount() {
  return State().failures;
}

std::string Describe(const std::string& text) {
  bool plain = true;
  std::string escaped;
  for (unsigned char c : text) {
    if (c >= 0x80) plain = false;
    if (c == '\r') {
      escaped += "\\r";
      plain = false;
    } else if (c == '\n') {
      escaped += "\\n";
      plain = false;
    } else if (c < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
      escaped += buffer;
      plain = false;
    } else {
      escaped += static_cast<char>(c);
    }
  }
  std::string out = "\"" + ToUtf8(escaped) + "\"";
  if (!plain) out += " [" + Hex(text) + "]";
  return out;
}

std::string Describe(const char* text) {
  return Describe(std::string(text ? text : ""));
}
std::string Describe(bool value) {
  return value ? "true" : "false";
}
std::string Describe(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (size_t i = 0; i < texts.size(); ++i) out += (i ? ", " : "") + Describe(texts[i]);
  return out + "]";
}

std::string Describe(const std::pair<std::string, std::string>& keyValue) {
  return Describe(keyValue.first) + "=" + Describe(keyValue.second);
}

// ---- Waiting ----

bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return condition();
    Sleep(kPollMs);
  }
}

// ---- Processes ----

Process StartProgram(const std::string& arguments) {
  std::string exe = AppPath("morvelin.exe");
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  Process process;
  if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     Settings().appDir.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    process.handle = info.hProcess;
    process.pid = info.dwProcessId;
    State().started.push_back(process);
    Log("started morvelin.exe " + Describe(arguments) + " as process " +
        std::to_string(process.pid));
  } else {
    Log("CreateProcess failed with error " + std::to_string(GetLastError()));
  }
  return process;
}

bool IsRunning(const Process& process) {
  return process.handle && WaitForSingleObject(process.handle, 0) == WAIT_TIMEOUT;
}

bool WaitForExit(const Process& process, DWORD* exitCode, DWORD limitMs) {
  if (!process.handle) return false;
  if (WaitForSingleObject(process.handle, limitMs) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  GetExitCodeProcess(process.handle, &code);
  if (exitCode) *exitCode = code;
  return true;
}

void KillLeftovers() {
  for (const Process& p : State().started) {
    if (IsRunning(p)) {
      Log("ending leftover process " + std::to_string(p.pid));
      TerminateProcess(p.handle, 1);
      WaitForSingleObject(p.handle, kWaitLimitMs);
    }
  }
  // Markers (and anything the program started) are not ours to keep either.
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "morvelin.exe") != 0 && lstrcmpiA(entry.szExeFile, "marker.exe"))
      continue;
    HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
    if (!h) continue;
    Log(std::string("ending leftover ") + entry.szExeFile + " " +
        std::to_string(entry.th32ProcessID));
    TerminateProcess(h, 1);
    WaitForSingleObject(h, kWaitLimitMs);
    CloseHandle(h);
  }
  CloseHandle(snapshot);
}

// ---- Windows ----

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

bool SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendLimitMs, &answer)) {
    Log("message " + std::to_string(message) + " got no answer");
    return false;
  }
  if (result) *result = static_cast<LRESULT>(answer);
  return true;
}

LRESULT SendOrZero(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  return SendTimed(window, message, wParam, lParam, &result) ? result : 0;
}

std::string TextOf(HWND window) {
  std::string text(8192, '\0');
  LRESULT length = 0;
  if (!SendTimed(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &length))
    return {};
  text.resize(strnlen(text.data(), text.size()));
  return text;
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

std::vector<HWND> TopWindows(const char* className, DWORD pid, bool visibleOnly) {
  EnumRequest request{className, pid, visibleOnly, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&request));
  return request.found;
}

HWND MainWindow(DWORD pid, bool visibleOnly) {
  auto found = TopWindows("TForm1", pid, visibleOnly);
  return found.empty() ? nullptr : found.front();
}

HWND WaitForMainWindow(const Process& process, DWORD limitMs) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = MainWindow(process.pid)) != nullptr || !IsRunning(process); },
            limitMs);
  return window;
}

std::vector<HWND> FindControls(HWND parent, const char* className) {
  struct Request {
    const char* className;
    std::vector<HWND> found;
  } request{className, {}};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* r = reinterpret_cast<Request*>(param);
        if (!r->className || ClassNameOf(child) == r->className) r->found.push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&request));
  return request.found;
}

HWND FindControl(HWND parent, const char* className, int id) {
  for (HWND child : FindControls(parent, className))
    if (id == -1 || GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

std::string Describe(IconKind kind) {
  switch (kind) {
    case IconKind::None:
      return "no icon";
    case IconKind::Error:
      return "error icon";
    case IconKind::Warning:
      return "warning icon";
    case IconKind::Information:
      return "information icon";
    case IconKind::Question:
      return "question icon";
    case IconKind::Unknown:
      break;
  }
  return "unrecognised icon";
}

std::vector<HWND> MessageBoxes(DWORD pid) {
  std::vector<HWND> boxes;
  for (HWND dialog : TopWindows("#32770", pid, true))
    if (IsMessageBox(dialog)) boxes.push_back(dialog);
  return boxes;
}

HWND WaitForMessageBox(DWORD pid, DWORD limitMs) {
  HWND box = nullptr;
  // A process that has ended shows no box: stop waiting then.
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  WaitUntil(
      [&] {
        auto boxes = MessageBoxes(pid);
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr || (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0);
      },
      limitMs);
  if (process) CloseHandle(process);
  return box;
}

HWND FindDialog(DWORD pid, const std::string& caption) {
  for (HWND dialog : TopWindows("#32770", pid, true))
    if (TextOf(dialog) == caption) return dialog;
  return nullptr;
}

HWND WaitForDialog(DWORD pid, const std::string& caption, DWORD limitMs) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(pid, caption)) != nullptr; }, limitMs);
  return dialog;
}

BoxInfo ReadBox(HWND box) {
  BoxInfo info;
  info.window = box;
  info.caption = TextOf(box);
  if (HWND text = GetDlgItem(box, kMessageTextId)) info.text = TextOf(text);
  std::vector<std::pair<LONG, std::string>> buttons;
  for (HWND button : FindControls(box, "Button"))
    if (IsWindowVisible(button)) buttons.emplace_back(WindowRect(button).left, TextOf(button));
  std::stable_sort(buttons.begin(), buttons.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& b : buttons) info.buttons.push_back(b.second);
  // The icon is judged by its pixels, so wait until it has been painted.
  WaitUntil([&] { return (info.icon = ClassifyIcon(box)) != IconKind::Unknown; }, 5000);
  Log("box " + Describe(info.caption) + ": " + Describe(info.text) + " " + Describe(info.buttons) +
      " " + Describe(info.icon));
  return info;
}

bool ClickButton(HWND dialog, const std::string& text) {
  for (HWND button : FindControls(dialog, "Button")) {
    if (IsWindowVisible(button) && TextOf(button) == text) {
      LRESULT ignored = 0;
      return SendTimed(button, BM_CLICK, 0, 0, &ignored);
    }
  }
  Log("no button " + Describe(text));
  return false;
}

bool ClickButtonById(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return button && Click(button);
}

bool Click(HWND button) {
  LRESULT ignored = 0;
  return SendTimed(button, BM_CLICK, 0, 0, &ignored);
}

void PostButtonCommand(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool WaitUntilGone(HWND window, DWORD limitMs) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, limitMs);
}

void PressCommand(HWND mainWindow, int commandId) {
  HWND source = nullptr;
  for (HWND toolBar : FindControls(mainWindow, TOOLBARCLASSNAMEA))
    if (SendOrZero(toolBar, TB_COMMANDTOINDEX, static_cast<WPARAM>(commandId), 0) != -1)
      source = toolBar;
  PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED),
               reinterpret_cast<LPARAM>(source));
}

// ---- Controls ----

bool IsChecked(HWND button) {
  return SendOrZero(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool SetText(HWND control, const std::string& text) {
  LRESULT result = 0;
  return SendTimed(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result) &&
         result;
}

std::vector<HWND> ToolBars(HWND mainWindow) {
  std::vector<HWND> bars = FindControls(mainWindow, TOOLBARCLASSNAMEA);
  std::sort(bars.begin(), bars.end(),
            [](HWND a, HWND b) { return WindowRect(a).top < WindowRect(b).top; });
  // Bars whose tops fall within the first bar of a row share that row; order rows by left.
  std::vector<HWND> ordered;
  size_t rowStart = 0;
  for (size_t i = 0; i <= bars.size(); ++i) {
    if (i == bars.size() || WindowRect(bars[i]).top >= WindowRect(bars[rowStart]).bottom) {
      std::sort(bars.begin() + static_cast<long>(rowStart), bars.begin() + static_cast<long>(i),
                [](HWND a, HWND b) { return WindowRect(a).left < WindowRect(b).left; });
      ordered.insert(ordered.end(), bars.begin() + static_cast<long>(rowStart),
                     bars.begin() + static_cast<long>(i));
      rowStart = i;
    }
  }
  return ordered;
}

std::vector<ToolButton> ReadToolBar(HWND toolBar) {
  std::vector<ToolButton> buttons;
  const int count = static_cast<int>(SendOrZero(toolBar, TB_BUTTONCOUNT, 0, 0));
  constexpr size_t kTextOffset = sizeof(TBBUTTON);
  constexpr size_t kTextSize = 512;
  RemoteBlock block(toolBar, kTextOffset + kTextSize);
  if (!block.ok()) return buttons;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    block.Write(0, &button, sizeof button);
    if (!SendOrZero(toolBar, TB_GETBUTTON, static_cast<WPARAM>(i), block.param())) continue;
    block.Read(0, &button, sizeof button);
    if (button.fsStyle & BTNS_SEP) continue;
    ToolButton tool;
    tool.id = button.idCommand;
    tool.enabled = (button.fsState & TBSTATE_ENABLED) != 0;
    std::string zero(kTextSize, '\0');
    block.Write(kTextOffset, zero.data(), kTextSize);
    LRESULT length = SendOrZero(toolBar, TB_GETBUTTONTEXTA, static_cast<WPARAM>(button.idCommand),
                                block.param(kTextOffset));
    if (length > 0) tool.caption = block.ReadText(kTextOffset, kTextSize);
    buttons.push_back(tool);
  }
  return buttons;
}

std::vector<ToolButton> ReadAllToolButtons(HWND mainWindow) {
  std::vector<ToolButton> all;
  for (HWND bar : ToolBars(mainWindow)) {
    auto buttons = ReadToolBar(bar);
    all.insert(all.end(), buttons.begin(), buttons.end());
  }
  return all;
}

std::string StatusText(HWND statusBar, int part) {
  const LRESULT length = SendOrZero(statusBar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0);
  constexpr size_t kSize = 1024;
  RemoteBlock block(statusBar, kSize);
  if (!block.ok()) return {};
  std::string zero(kSize, '\0');
  block.Write(0, zero.data(), kSize);
  LRESULT answer = 0;
  if (!SendTimed(statusBar, SB_GETTEXTA, static_cast<WPARAM>(part), block.param(), &answer))
    return {};
  if (!(HIWORD(length) & SBT_OWNERDRAW)) return block.ReadText(0, kSize);
  // An owner-drawn part keeps no text, only the value its owner draws from; the natural value
  // is the address of the text itself, which we read from the program's memory.
  if (answer == 0) {
    Log("status part " + std::to_string(part) + " is owner-drawn and carries no text");
    return {};
  }
  DWORD pid = ProcessOf(statusBar);
  HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, pid);
  if (!process) return {};
  // Small steps, so that a text near the end of a mapped page still reads.
  std::string text;
  const char* address = reinterpret_cast<const char*>(answer);
  for (size_t offset = 0, step = 16; offset < kSize; offset += step) {
    char chunk[16] = {};
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, address + offset, chunk, step, &read)) {
      if (step == 1) break;
      step = 1;  // the end of a mapped page: go on byte by byte
      offset -= step;
      continue;
    }
    const size_t used = strnlen(chunk, read);
    text.append(chunk, used);
    if (used < step) break;
  }
  CloseHandle(process);
  return text;
}

std::string Describe(const ListRow& row) {
  return "{" + Describe(row.title) + ", " +
         (row.stateImage == 2   ? "checked"
          : row.stateImage == 1 ? "unchecked"
                                : "state image " + std::to_string(row.stateImage)) +
         "}";
}

ListRow Row(const std::string& title, bool checked) {
  return ListRow{title, checked ? 2 : 1};
}

int ListCount(HWND list) {
  return static_cast<int>(SendOrZero(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string ListText(HWND list, int row, int column) {
  constexpr size_t kTextOffset = sizeof(LVITEMA);
  constexpr size_t kTextSize = 4096;
  RemoteBlock block(list, kTextOffset + kTextSize);
  if (!block.ok()) return {};
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = block.at(kTextOffset);
  item.cchTextMax = static_cast<int>(kTextSize);
  std::string zero(kTextSize, '\0');
  block.Write(kTextOffset, zero.data(), kTextSize);
  block.Write(0, &item, sizeof item);
  SendOrZero(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), block.param());
  return block.ReadText(kTextOffset, kTextSize);
}

int ListStateImage(HWND list, int row) {
  LRESULT state = SendOrZero(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
}

std::vector<ListRow> ReadList(HWND list) {
  std::vector<ListRow> rows;
  const int count = ListCount(list);
  for (int i = 0; i < count; ++i) rows.push_back({ListText(list, i), ListStateImage(list, i)});
  return rows;
}

int ListSelection(HWND list) {
  return static_cast<int>(
      SendOrZero(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

namespace {
bool SetListState(HWND list, int row, UINT state, UINT mask) {
  RemoteBlock block(list, sizeof(LVITEMA));
  if (!block.ok()) return false;
  LVITEMA item{};
  item.stateMask = mask;
  item.state = state;
  block.Write(0, &item, sizeof item);
  return SendOrZero(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), block.param()) != 0;
}
}  // namespace

bool SelectListRow(HWND list, int row) {
  return SetListState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

bool SetListChecked(HWND list, int row, bool checked) {
  return SetListState(list, row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

namespace {
// Messages that fill a RECT (client coordinates of the control) through a remote buffer.
bool RemoteItemRect(HWND control, UINT message, int index, RECT* rect) {
  RemoteBlock block(control, sizeof(RECT));
  if (!block.ok()) return false;
  if (!SendOrZero(control, message, static_cast<WPARAM>(index), block.param())) return false;
  RECT r{};
  if (!block.Read(0, &r, sizeof r)) return false;
  *rect = r;
  return true;
}
}  // namespace

std::vector<std::string> HeaderTexts(HWND header) {
  std::vector<std::string> texts;
  constexpr size_t kTextOffset = sizeof(HDITEMA);
  constexpr size_t kTextSize = 512;
  RemoteBlock block(header, kTextOffset + kTextSize);
  if (!block.ok()) return texts;
  const int count = static_cast<int>(SendOrZero(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = block.at(kTextOffset);
    item.cchTextMax = static_cast<int>(kTextSize);
    std::string zero(kTextSize, '\0');
    block.Write(kTextOffset, zero.data(), kTextSize);
    block.Write(0, &item, sizeof item);
    SendOrZero(header, HDM_GETITEMA, static_cast<WPARAM>(i), block.param());
    texts.push_back(block.ReadText(kTextOffset, kTextSize));
  }
  return texts;
}

bool HeaderItemRect(HWND header, int index, RECT* rect) {
  return RemoteItemRect(header, HDM_GETITEMRECT, index, rect);
}

bool TabItemRect(HWND tab, int index, RECT* rect) {
  return RemoteItemRect(tab, TCM_GETITEMRECT, index, rect);
}

void PostClick(HWND control, POINT clientPoint) {
  const LPARAM at = MAKELPARAM(clientPoint.x, clientPoint.y);
  PostMessageA(control, WM_MOUSEMOVE, 0, at);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
}

// ---- Registry ----

bool WindowKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kWindowKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

RegValue ReadWindowValue(const char* name) {
  RegValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kWindowKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return value;
  DWORD size = 0;
  DWORD type = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::string bytes(size, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size) ==
        ERROR_SUCCESS) {
      bytes.resize(size);
      value = {true, type, bytes};
    }
  }
  RegCloseKey(key);
  return value;
}

std::vector<std::string> WindowValueNames() {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kWindowKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD length = sizeof name;
    if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(name, length);
  }
  RegCloseKey(key);
  return names;
}

bool WriteWindowValue(const char* name, const std::string& text) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kWindowKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  std::string data = SzBytes(text);
  bool ok = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

std::string SzBytes(const std::string& text) {
  return text + std::string(1, '\0');
}

// ---- Files ----

std::string AppPath(const std::string& fileName) {
  return Settings().appDir + "\\" + fileName;
}

std::string ItemFilePath() {
  return AppPath("Morvelin.ini");
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadFileBytes(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char buffer[65536];
  DWORD read = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr)) && read > 0)
    bytes->append(buffer, read);
  CloseHandle(file);
  return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  CloseHandle(file);
  return ok;
}

std::vector<std::pair<std::string, std::string>> ProfileSection(const std::string& bytes,
                                                                const std::string& section) {
  std::vector<std::pair<std::string, std::string>> pairs;
  bool inSection = false;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (line.empty()) continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      inSection = close != std::string::npos &&
                  lstrcmpiA(line.substr(1, close - 1).c_str(), section.c_str()) == 0;
      continue;
    }
    if (!inSection) continue;
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    pairs.emplace_back(line.substr(0, equals), line.substr(equals + 1));
  }
  return pairs;
}

std::string ProfileValue(const std::vector<std::pair<std::string, std::string>>& pairs,
                         const std::string& key, bool* found) {
  for (const auto& [k, v] : pairs) {
    if (k == key) {
      if (found) *found = true;
      return v;
    }
  }
  if (found) *found = false;
  return {};
}

// ---- Marker ----

std::vector<Mark> ReadMarks() {
  std::vector<Mark> marks;
  const std::string folder = AppPath("marks");
  WIN32_FIND_DATAA data{};
  HANDLE find = FindFirstFileA((folder + "\\*.txt").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return marks;
  do {
    Mark mark;
    mark.file = data.cFileName;
    std::string bytes;
    if (!ReadFileBytes(folder + "\\" + data.cFileName, &bytes)) continue;
    size_t start = 0;
    while (start < bytes.size()) {
      size_t end = bytes.find("\r\n", start);
      if (end == std::string::npos) end = bytes.size();
      std::string line = bytes.substr(start, end - start);
      start = end + 2;
      size_t equals = line.find('=');
      if (equals == std::string::npos) continue;
      std::string key = line.substr(0, equals);
      std::string value = line.substr(equals + 1);
      if (key == "exe") mark.exe = value;
      if (key == "args") mark.args = value;
      if (key == "cwd") mark.cwd = value;
      if (key == "show") mark.show = value;
    }
    marks.push_back(mark);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return marks;
}

// ---- Screenshots ----

bool SaveScreenshot(const std::string& label, HWND window) {
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
    WaitUntil([&] {
      const Image shot = CaptureScreen(area);
      return std::any_of(shot.pixels.begin(), shot.pixels.end(),
                         [&](DWORD p) { return p != shot.pixels.front(); });
    });
  }
  CreateDirectoryA(Settings().outDir.c_str(), nullptr);
  std::string path = Settings().outDir + "\\" + Settings().caseName + "-" + label + ".bmp";
  bool ok = WriteBmp(path, CaptureScreen(area));
  Log((ok ? "screenshot " : "screenshot failed: ") + path);
  return ok;
}

}  // namespace e2e
