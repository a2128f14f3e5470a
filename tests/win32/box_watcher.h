// Answers message boxes that the code under test opens on this thread: a
// helper thread waits for a top-level window of this process with the given caption,
// records its text and presses its OK button.
#ifndef TQ_TESTS_BOX_WATCHER_H
#define TQ_TESTS_BOX_WATCHER_H

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

// A box of this process with that caption: other test programs on the same
// display show boxes of the same caption.
inline HWND FindOwnBox(const char* caption)
{
    for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", caption); box;
         box = FindWindowExA(nullptr, box, "#32770", caption)) {
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        if (process == GetCurrentProcessId())
            return box;
    }
    return nullptr;
}

class BoxWatcher {
public:
    explicit BoxWatcher(const char* caption) : Caption(caption), Thread([this] { Watch(); }) {}
    ~BoxWatcher()
    {
        Stop = true;
        if (Thread.joinable())
            Thread.join();
    }
    // The texts of every box answered so far, one per line.
    std::string Texts()
    {
        Stop = true;
        if (Thread.joinable())
            Thread.join();
        return Seen;
    }

private:
    HWND OwnBox() const { return FindOwnBox(Caption); }
    void Watch()
    {
        while (!Stop) {
            HWND box = OwnBox();
            if (box && IsWindowVisible(box)) {
                char text[512] = "";
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the message box's text control
                Seen += text;
                Seen += "\n";
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                while (!Stop && IsWindow(box))
                    Sleep(5);
            }
            Sleep(5);
        }
    }
    const char* Caption;
    std::atomic<bool> Stop{false};
    std::string Seen;
    std::thread Thread;
};

#endif
