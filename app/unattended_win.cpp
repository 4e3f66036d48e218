#include "app/unattended_win.h"

#include <windows.h>

#include <mutex>
#include <thread>

#include "app/localisation.h"
#include "app/unattended.h"
#include "context/app_context.h"
#include "context/safe_paths.h"
#include "context/system_error.h"
#include "ui/resources.h"
#include "ui/utf.h"

namespace {

constexpr UINT kAppendLine = WM_APP + 1;
constexpr UINT kRunEnded = WM_APP + 2;
constexpr wchar_t kProgressClass[] = L"LdwCommandProgress";

// Every line goes to the console the program was started from (or the file its output is sent
// to), to the log file and to the progress window, whichever there are; workers write too.
class LineOutput {
 public:
  LineOutput() {
    // A GUI program gets its output handle when the output is sent to a file or a pipe; started
    // from a console window it has to open that console's output itself.
    const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    out_ = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((out_ == nullptr || out_ == INVALID_HANDLE_VALUE) && attached) {
      out_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    }
  }
  ~LineOutput() {
    if (log_ != INVALID_HANDLE_VALUE) CloseHandle(log_);
  }
  enum class LogOpening { kOpened, kFailed, kLink };
  // A link on the way (a user may have made the file or a folder as one beforehand) is refused and
  // named in link; the file is opened without following a link that appears meanwhile.
  LogOpening OpenLog(const std::wstring& path, std::wstring& link) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size != 0 ? GetFullPathNameW(path.c_str(), size, full.data(), nullptr) : 0;
    if (length == 0 || length >= size) return LogOpening::kFailed;
    full.resize(length);
    link = FirstLinkOnPath(DefaultPlatform().files, full);
    if (!link.empty()) return LogOpening::kLink;
    log_ = CreateFileW(full.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (log_ == INVALID_HANDLE_VALUE) return LogOpening::kFailed;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(log_, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      CloseHandle(log_);
      log_ = INVALID_HANDLE_VALUE;
      link = full;
      return LogOpening::kLink;
    }
    return LogOpening::kOpened;
  }
  bool HasConsole() const { return out_ != nullptr && out_ != INVALID_HANDLE_VALUE; }
  void SetWindow(HWND window) { window_ = window; }

  void Write(const std::wstring& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::wstring text = line;
    for (size_t at = text.find(L'\n'); at != std::wstring::npos; at = text.find(L'\n', at + 2)) {
      if (at == 0 || text[at - 1] != L'\r') text.insert(at, 1, L'\r');
    }
    text += L"\r\n";
    DWORD mode = 0, written = 0;
    if (HasConsole() && GetConsoleMode(out_, &mode)) {
      WriteConsoleW(out_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    } else if (HasConsole()) {
      const std::string utf8 = ui::WideToUtf8(text);
      WriteFile(out_, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
    if (log_ != INVALID_HANDLE_VALUE) {
      const std::string utf8 = ui::WideToUtf8(text);
      WriteFile(log_, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
    if (window_ != nullptr) SendMessageW(window_, kAppendLine, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

 private:
  std::mutex mutex_;
  HANDLE out_ = nullptr;
  HANDLE log_ = INVALID_HANDLE_VALUE;
  HWND window_ = nullptr;
};

LocalTime Now() {
  SYSTEMTIME time;
  GetLocalTime(&time);
  return {time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                                  0, 0, 0, 0, window, reinterpret_cast<HMENU>(1), nullptr, nullptr);
      SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
      return 0;
    }
    case WM_SIZE:
      MoveWindow(GetDlgItem(window, 1), 8, 8, LOWORD(lParam) - 16, HIWORD(lParam) - 16, TRUE);
      return 0;
    case kAppendLine: {
      HWND edit = GetDlgItem(window, 1);
      const int end = GetWindowTextLengthW(edit);
      SendMessageW(edit, EM_SETSEL, end, end);
      SendMessageW(edit, EM_REPLACESEL, FALSE, lParam);
      return 0;
    }
    case kRunEnded:
      PostQuitMessage(0);
      return 0;
    case WM_CLOSE:
      return 0;  // the run ends the window; it cannot be stopped halfway
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND OpenProgressWindow() {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = ProgressProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kProgressClass;
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, kProgressClass, GetText(L"tip.dlgtitle").c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                560, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
  return window;
}

}  // namespace

int RefuseSecondRun(const std::vector<std::wstring>& arguments) {
  LineOutput output;
  const std::wstring text = GetText(L"tip.alreadyrunning");
  output.Write(text);
  const bool quiet = !arguments.empty() && ParseCommandLine(arguments).request.quiet;
  if (!output.HasConsole() && !quiet)
    MessageBoxW(nullptr, text.c_str(), GetText(L"tip.dlgtitle").c_str(), MB_ICONWARNING);
  return kExitAlreadyRunning;
}

int RunCommandLine(const std::vector<std::wstring>& arguments) {
  LineOutput output;
  const ParsedCommandLine parsed = ParseCommandLine(arguments);
  const UnattendedRequest& request = parsed.request;
  const auto showWithoutConsole = [&](const std::wstring& text, UINT icon) {
    if (!output.HasConsole() && !request.quiet) MessageBoxW(nullptr, text.c_str(), GetText(L"tip.dlgtitle").c_str(), icon);
  };
  if (!parsed.errorKey.empty()) {
    const std::wstring text = CommandLineErrorText(parsed);
    output.Write(text);
    showWithoutConsole(text, MB_ICONERROR);
    return parsed.exitCode;
  }
  if (!request.logPath.empty()) {
    std::wstring link;
    const LineOutput::LogOpening opening = output.OpenLog(request.logPath, link);
    if (opening != LineOutput::LogOpening::kOpened) {
      const bool isLink = opening == LineOutput::LogOpening::kLink;
      const std::wstring text = isLink ? GetTextWith(L"cmd.error.loglink", link)
                                       : request.logPath + L": " + FormatSystemError(GetLastError());
      output.Write(text);
      showWithoutConsole(text, MB_ICONERROR);
      return isLink ? kExitLogIsLink : kExitBadArguments;
    }
  }
  if (request.command == Command::kUsage) showWithoutConsole(GetText(L"cmd.usage"), MB_ICONINFORMATION);

  UnattendedSink sink([&output](const std::wstring& line) { output.Write(line); }, Now);
  Platform& process = DefaultPlatform();
  Platform platform{process.system, process.files, sink, process.threads, sink};
  CAppContext context(platform);
  const bool withWindow = !request.quiet && (request.command == Command::kInstall || request.command == Command::kRemove);
  if (!withWindow) return RunUnattended(context, request, sink);

  // The run on a thread of its own while this thread keeps the progress window alive.
  HWND window = OpenProgressWindow();
  output.SetWindow(window);
  int exitCode = kExitDone;
  std::thread run([&] {
    exitCode = RunUnattended(context, request, sink);
    PostMessageW(window, kRunEnded, 0, 0);
  });
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  run.join();
  // The last line is painted and stays readable for a moment.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(1500);
  output.SetWindow(nullptr);
  DestroyWindow(window);
  return exitCode;
}
