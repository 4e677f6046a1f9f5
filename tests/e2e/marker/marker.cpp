// Launched as an item by the end-to-end tests: records how it was started, one file per start,
// in the folder "marks" beside its own program file, then ends. With "--stay" as its first
// argument it keeps running behind an invisible window until that window is closed. With
// "--serve PORT" it opens that TCP port on 127.0.0.1 after 3 s and serves until a client sends
// "q"; with "--probe PORT" it records whether the port answered when it started; with
// "--slow-window" it shows a window only after 2 s, then ends a moment later.
#include <winsock2.h>

// After winsock2.h, so that it does not bring in the old winsock.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

// The command line after the program name and the one blank that follows it, byte for byte.
std::string ArgumentsOf(const char* line) {
  const char* p = line;
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  if (*p == ' ' || *p == '\t') ++p;
  return p;
}

// Everything up to and including the last backslash, stepping over double-byte characters.
std::string FolderOf(const std::string& path) {
  size_t end = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
      ++i;
      continue;
    }
    if (path[i] == '\\') end = i + 1;
  }
  return path.substr(0, end);
}

bool WriteWhole(const std::string& path, const std::string& content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == content.size();
}

// Writes under a temporary name, then renames, so a reader sees the whole file or none. Ids
// are reused between processes, so a taken name gets a counter instead of being overwritten.
bool RecordStart(const std::string& marks, const std::string& content) {
  const std::string id = std::to_string(GetCurrentProcessId());
  const std::string temporary = marks + id + ".tmp";
  if (!WriteWhole(temporary, content)) return false;
  for (int n = 1; n < 1000; ++n) {
    const std::string name = marks + id + (n == 1 ? "" : "-" + std::to_string(n)) + ".txt";
    if (MoveFileA(temporary.c_str(), name.c_str())) return true;
    if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  DeleteFileA(temporary.c_str());
  return false;
}

LRESULT CALLBACK StayProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// Shown (after a slow start), it ends a second later.
int Stay(HINSTANCE instance, bool shown = false) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = StayProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = "MarkerStay";
  if (!RegisterClassA(&window_class)) return 1;
  const std::string title = "marker " + std::to_string(GetCurrentProcessId());
  // Unless shown, never seen: the default WM_CLOSE handling destroys it, which ends the loop.
  const HWND window =
      CreateWindowA("MarkerStay", title.c_str(), WS_OVERLAPPEDWINDOW | (shown ? WS_VISIBLE : 0), 0,
                    0, 100, 100, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  if (shown) SetTimer(window, 1, 1000, [](HWND w, UINT, UINT_PTR, DWORD) { DestroyWindow(w); });
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

bool HasOption(const std::string& args, const std::string& option) {
  return args.rfind(option, 0) == 0 && (args.size() == option.size() || args[option.size()] == ' ');
}

// The socket functions, loaded only by the markers that use them: a start that never touches
// the network must not depend on the socket library initialising.
struct Net {
  decltype(&::WSAStartup) startup;
  decltype(&::socket) socket;
  decltype(&::bind) bind;
  decltype(&::listen) listen;
  decltype(&::connect) connect;
  decltype(&::accept) accept;
  decltype(&::recv) recv;
  decltype(&::send) send;
  decltype(&::closesocket) close;
};

template <typename Function>
void Find(HMODULE library, const char* name, Function* function) {
  *function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  if (!*function) ExitProcess(4);
}

Net LoadNet() {
  // A library that failed to initialise (seen once under load) is given a few more tries.
  HMODULE library = nullptr;
  for (int attempt = 0; !library && attempt < 20; ++attempt)
    if (!(library = LoadLibraryA("ws2_32.dll"))) Sleep(100);
  if (!library) ExitProcess(4);
  Net net{};
  Find(library, "WSAStartup", &net.startup);
  Find(library, "socket", &net.socket);
  Find(library, "bind", &net.bind);
  Find(library, "listen", &net.listen);
  Find(library, "connect", &net.connect);
  Find(library, "accept", &net.accept);
  Find(library, "recv", &net.recv);
  Find(library, "send", &net.send);
  Find(library, "closesocket", &net.close);
  WSADATA data;
  net.startup(MAKEWORD(2, 2), &data);
  return net;
}

// 127.0.0.1 and the port after the option: a socket connected or bound to it.
SOCKET LocalSocket(const Net& net, const std::string& args, bool serve) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.S_un.S_un_b = {127, 0, 0, 1};
  const int port = std::atoi(args.c_str() + args.find(' ') + 1);
  address.sin_port = static_cast<u_short>(((port & 0xff) << 8) | ((port >> 8) & 0xff));
  SOCKET s = net.socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  const auto* to = reinterpret_cast<const sockaddr*>(&address);
  const bool ok = serve ? net.bind(s, to, sizeof address) == 0 && net.listen(s, 8) == 0
                        : net.connect(s, to, sizeof address) == 0;
  if (!ok) net.close(s);
  return ok ? s : INVALID_SOCKET;
}

// Serves until a client says "q"; other tries (the launcher's own) close without a word.
int Serve(const std::string& args) {
  Sleep(3000);  // the slow start this marker stands for
  const Net net = LoadNet();
  const SOCKET listening = LocalSocket(net, args, true);
  char byte = 0;
  while (listening != INVALID_SOCKET && byte != 'q') {
    const SOCKET client = net.accept(listening, nullptr, nullptr);
    if (net.recv(client, &byte, 1, 0) != 1) byte = 0;
    net.close(client);
  }
  return listening == INVALID_SOCKET ? 3 : 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  char buffer[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  const std::string exe(buffer, length < sizeof buffer ? length : 0);
  const DWORD cwd_length = GetCurrentDirectoryA(sizeof buffer, buffer);
  const std::string cwd(buffer, cwd_length < sizeof buffer ? cwd_length : 0);
  const std::string args = ArgumentsOf(GetCommandLineA());
  STARTUPINFOA start_info{};
  start_info.cb = sizeof start_info;
  GetStartupInfoA(&start_info);
  const int show = (start_info.dwFlags & STARTF_USESHOWWINDOW) ? start_info.wShowWindow : -1;

  const std::string marks = FolderOf(exe) + "marks\\";
  CreateDirectoryA(marks.c_str(), nullptr);
  // When the process was made, in 100 ns units: unlike the record's own time, free of how long
  // this process took to load.
  FILETIME created{}, unused{};
  GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
  const unsigned long long created_at =
      (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  std::string content = "exe=" + exe + "\r\nargs=" + args + "\r\ncwd=" + cwd +
                        "\r\nshow=" + std::to_string(show) +
                        "\r\ncreated=" + std::to_string(created_at) + "\r\n";
  if (HasOption(args, "--probe")) {
    // A blocking try: a closed port on this machine refuses at once.
    const Net net = LoadNet();
    const SOCKET s = LocalSocket(net, args, false);
    content += std::string("port=") + (s != INVALID_SOCKET ? "open" : "closed") + "\r\n";
    net.send(s, "q", 1, 0);
    net.close(s);
  }
  if (!RecordStart(marks, content)) return 2;
  if (HasOption(args, "--serve")) return Serve(args);
  if (HasOption(args, "--slow-window")) {
    Sleep(2000);  // nothing of a window, nor a message queue, before this
    return Stay(instance, true);
  }

  const bool stay =
      args.rfind("--stay", 0) == 0 && (args.size() == 6 || args[6] == ' ' || args[6] == '\t');
  return stay ? Stay(instance) : 0;
}
