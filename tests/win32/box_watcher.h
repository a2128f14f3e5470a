// Answers message boxes that the code under test opens on this thread: a
// helper thread waits for a top-level window with the given caption,
// records its text and presses its OK button.
#ifndef TQ_TESTS_BOX_WATCHER_H
#define TQ_TESTS_BOX_WATCHER_H

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

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
    void Watch()
    {
        while (!Stop) {
            HWND box = FindWindowA("#32770", Caption);
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
