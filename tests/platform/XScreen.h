// The X server of DISPLAY seen from outside the program: its root window's
// pixels and the pointer, for the screen display's test. Kept apart because
// the X library's names clash with the platform's.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class XScreen {
public:
    // Null when DISPLAY names no server that can be opened.
    static std::unique_ptr<XScreen> Open();
    ~XScreen();

    int Depth() const;
    // The top-left width x height pixels of the root window, 0x00RRGGBB,
    // after every request of every client so far has been carried out.
    std::vector<std::uint32_t> Read(int width, int height) const;
    // Moves the pointer to a root window point, as a user would.
    void MovePointer(int x, int y) const;

private:
    explicit XScreen(void* display) : display_(display) {}
    void* display_;
};
