// The short-lived message window: the text in a plain window at the top-left corner of the
// screen, on a thread of its own that pumps its messages for about six seconds and then ends,
// taking the window with it. The caller goes on at once.
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace quelfi::platform {
namespace {

const char* const kWindowClass = "QuelFI32Mensagem";
constexpr int kPumpRounds = 1000;
constexpr DWORD kPumpPauseMs = 6;
constexpr int kCharacterWidth = 10;
constexpr int kWindowHeight = 120;

LRESULT CALLBACK messageWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        RECT area;
        ::GetClientRect(window, &area);
        const auto* text =
            reinterpret_cast<const std::string*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (text)
            ::TextOutA(dc, kCharacterWidth, (area.bottom - area.top) / 3, text->c_str(),
                       static_cast<int>(text->size()));
        ::EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// What the window's thread takes over: the text, and a reference to the module holding this code.
struct WindowJob {
    std::string text;
    HMODULE self = nullptr;
};

DWORD WINAPI messageWindowThread(LPVOID parameter) {
    std::unique_ptr<WindowJob> job(static_cast<WindowJob*>(parameter));
    const HMODULE self = job->self;
    const std::string* text = &job->text;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = messageWindowProcedure;
    windowClass.hInstance = self;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassA(&windowClass);  // already there from an earlier message: fine
    const int width = static_cast<int>(text->size() + 4) * kCharacterWidth;
    HWND window = ::CreateWindowExA(0, kWindowClass, "", WS_OVERLAPPED, 0, 0, width, kWindowHeight,
                                    nullptr, nullptr, self, nullptr);
    if (window) {
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(text));
        ::ShowWindow(window, SW_SHOWNORMAL);
        ::SetForegroundWindow(window);
        ::UpdateWindow(window);
        for (int round = 0; round < kPumpRounds; ++round) {
            MSG message;
            while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&message);
                ::DispatchMessageA(&message);
            }
            ::Sleep(kPumpPauseMs);
        }
        ::DestroyWindow(window);
    }
    job.reset();
    // The thread held the library loaded while it ran (see showTransientMessage); a process that
    // unloads the library meanwhile really unloads it only now.
    if (self) ::FreeLibraryAndExitThread(self, 0);
    return 0;
}

}  // namespace

void Platform::showTransientMessage(const std::string& text) {
    // A reference to the module that holds this code, so that it stays loaded while the window's
    // thread runs in it; the thread gives the reference back as it ends.
    auto job = std::make_unique<WindowJob>();
    job->text = text;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCSTR>(&messageWindowThread), &job->self))
        job->self = nullptr;
    const HMODULE self = job->self;
    HANDLE thread = ::CreateThread(nullptr, 0, messageWindowThread, job.get(), 0, nullptr);
    if (!thread) {
        if (self) ::FreeLibrary(self);
        return;
    }
    job.release();
    ::CloseHandle(thread);
}

}  // namespace quelfi::platform
