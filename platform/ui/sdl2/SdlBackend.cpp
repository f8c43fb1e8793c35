#include "platform/ui/sdl2/SdlBackend.h"

#include "platform/HostText.h"

#include "platform/ui/sdl2/PixelScale.h"
#include "platform/ui/sdl2/SdlInput.h"
#include "platform/ui/sdl2/SdlScreen.h"
#include "platform/ui/sdl2/X11WakeErrors.h"

#include <algorithm>

namespace {

// How long the display thread sleeps in SDL's wait when nothing wakes it.
constexpr int kLongestWait = 100;

void PrepareSdl() {
    sdl.SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0"); // nearest pixel, never blurred
    // The toolkit draws every pixel; the renderer only copies them. The
    // software renderer needs no graphics driver and its threads, and gives
    // the same pixels everywhere. SDL_RENDER_DRIVER in the environment wins.
    sdl.SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    sdl.SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    sdl.SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    sdl.SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    sdl.SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1"); // the process's signals stay its own
}

RECT Clipped(const RECT& changed, int width, int height) {
    RECT clipped{std::max<LONG>(changed.left, 0), std::max<LONG>(changed.top, 0),
                 std::min<LONG>(changed.right, width), std::min<LONG>(changed.bottom, height)};
    if (clipped.right < clipped.left)
        clipped.right = clipped.left;
    if (clipped.bottom < clipped.top)
        clipped.bottom = clipped.top;
    return clipped;
}

} // namespace

std::unique_ptr<SdlBackend> SdlBackend::Open(int scaleSetting, std::string* error) {
    if (!SdlLibrary::Load(error))
        return nullptr;
    std::unique_ptr<SdlBackend> backend(new SdlBackend);
    std::promise<std::string> opened;
    std::future<std::string> result = opened.get_future();
    backend->thread_ =
        std::thread(&SdlBackend::ThreadMain, backend.get(), scaleSetting, std::move(opened));
    *error = result.get();
    if (!error->empty()) {
        backend->thread_.join();
        backend->ended_ = true;
        return nullptr;
    }
    return backend;
}

SdlBackend::~SdlBackend() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    if (ended_)
        return;
    SDL_Event wake{};
    wake.type = wakeEvent_;
    sdl.SDL_PushEvent(&wake);
    thread_.join();
}

void SdlBackend::ThreadMain(int scaleSetting, std::promise<std::string> opened) {
    PrepareSdl();
    if (sdl.SDL_Init(SDL_INIT_VIDEO) != 0) {
        opened.set_value(std::string("cannot open the display: ") + sdl.SDL_GetError());
        return;
    }
    IgnoreLateWakeErrors();
    float dotsPerInch = 0;
    if (sdl.SDL_GetDisplayDPI(0, &dotsPerInch, nullptr, nullptr) != 0)
        dotsPerInch = 0;
    scale_.store(ChooseScale(scaleSetting, dotsPerInch));
    wakeEvent_ = sdl.SDL_RegisterEvents(1);
    sdl.SDL_StartTextInput(); // an input method's committed text arrives as SDL_TEXTINPUT
    opened.set_value(std::string());
    Serve();
    sdl.SDL_Quit();
    std::lock_guard<std::mutex> guard(lock_);
    ended_ = true;
    handledSignal_.notify_all();
}

void SdlBackend::Serve() {
    SdlScreen screen(scale_.load());
    SdlInput input(screen);
    std::uint64_t batchEnd = 0;
    while (RunCommands(screen, &batchEnd)) {
        screen.Present();
        {
            std::lock_guard<std::mutex> guard(lock_);
            handled_ = batchEnd;
        }
        handledSignal_.notify_all();
        SDL_Event event;
        if (!sdl.SDL_WaitEventTimeout(&event, kLongestWait))
            continue;
        do {
            if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED)
                screen.Exposed(event.window.windowID);
            else
                input.Handle(event);
        } while (sdl.SDL_PollEvent(&event));
    }
}

bool SdlBackend::RunCommands(SdlScreen& screen, std::uint64_t* batchEnd) {
    std::deque<Command> batch;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (stopping_)
            return false;
        batch.swap(commands_);
        *batchEnd = posted_;
    }
    for (Command& command : batch)
        command(screen);
    return true;
}

void SdlBackend::Post(Command command) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (stopping_)
            return;
        commands_.push_back(std::move(command));
        ++posted_;
    }
    SDL_Event wake{};
    wake.type = wakeEvent_;
    sdl.SDL_PushEvent(&wake);
}

namespace {

// The answer of a box shown on the display thread. It is given when the box
// is answered, and -1 when the command is dropped unrun (a display that is
// closing): the last copy of the command going away gives it then.
class BoxAnswer {
public:
    ~BoxAnswer() { Give(-1); }
    void Give(int answer) {
        std::lock_guard<std::mutex> guard(lock_);
        if (given_)
            return;
        given_ = true;
        answer_ = answer;
        signal_.notify_all();
    }
    int Wait() {
        std::unique_lock<std::mutex> guard(lock_);
        signal_.wait(guard, [this] { return given_; });
        return answer_;
    }

private:
    std::mutex lock_;
    std::condition_variable signal_;
    bool given_ = false;
    int answer_ = -1;
};

// Keeps the answer for the waiter and gives -1 when the command goes unrun.
class BoxCommandGuard {
public:
    explicit BoxCommandGuard(std::shared_ptr<BoxAnswer> answer) : answer_(std::move(answer)) {}
    ~BoxCommandGuard() { answer_->Give(-1); }
    BoxCommandGuard(const BoxCommandGuard&) = delete;
    BoxCommandGuard& operator=(const BoxCommandGuard&) = delete;
    void Give(int answer) const { answer_->Give(answer); }

private:
    std::shared_ptr<BoxAnswer> answer_;
};

} // namespace

// SDL's box runs on the display thread, which it holds until the user
// answers; the caller waits for the answer.
int SdlBackend::ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                               const std::vector<std::u16string>& buttons, int defaultButton) {
    auto answer = std::make_shared<BoxAnswer>();
    auto guard = std::make_shared<BoxCommandGuard>(answer);
    const std::string message = HostText::FromWide(text.c_str());
    const std::string title = HostText::FromWide(caption.c_str());
    std::vector<std::string> labels;
    for (const std::u16string& label : buttons)
        labels.push_back(HostText::FromWide(label.c_str()));
    Post([=](SdlScreen&) {
        std::vector<SDL_MessageBoxButtonData> data;
        for (std::size_t i = 0; i < labels.size(); ++i)
            data.push_back({static_cast<int>(i) == defaultButton
                                ? static_cast<Uint32>(SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT)
                                : 0u,
                            static_cast<int>(i), labels[i].c_str()});
        const SDL_MessageBoxData box{
            SDL_MESSAGEBOX_INFORMATION,    nullptr,     title.c_str(), message.c_str(),
            static_cast<int>(data.size()), data.data(), nullptr};
        int chosen = -1;
        if (sdl.SDL_ShowMessageBox(&box, &chosen) != 0)
            chosen = -1;
        guard->Give(chosen);
    });
    guard.reset();
    return answer->Wait();
}

void SdlBackend::Flush() {
    Post([](SdlScreen&) {});
    std::unique_lock<std::mutex> guard(lock_);
    const std::uint64_t target = posted_;
    handledSignal_.wait(guard, [&] { return handled_ >= target || ended_ || stopping_; });
}

// [SECTION] The window system's calls: the headless copy at once, the SDL
// window on the display thread.

void SdlBackend::WindowCreated(HWND hwnd, const RECT& rect, const std::u16string& title) {
    mirror_.WindowCreated(hwnd, rect, title);
    Post([=](SdlScreen& screen) { screen.Created(hwnd, rect, title); });
}

void SdlBackend::WindowStyled(HWND hwnd, DWORD style, DWORD) {
    Post([=](SdlScreen& screen) { screen.Styled(hwnd, style); });
}

void SdlBackend::WindowMoved(HWND hwnd, const RECT& rect) {
    mirror_.WindowMoved(hwnd, rect);
    Post([=](SdlScreen& screen) { screen.Moved(hwnd, rect); });
}

void SdlBackend::WindowShown(HWND hwnd, bool visible) {
    mirror_.WindowShown(hwnd, visible);
    Post([=](SdlScreen& screen) { screen.Shown(hwnd, visible); });
}

void SdlBackend::WindowTitleChanged(HWND hwnd, const std::u16string& title) {
    mirror_.WindowTitleChanged(hwnd, title);
    Post([=](SdlScreen& screen) { screen.Titled(hwnd, title); });
}

void SdlBackend::StackingChanged(const std::vector<HWND>& topFirst) {
    mirror_.StackingChanged(topFirst);
    Post([=](SdlScreen& screen) { screen.Stacked(topFirst); });
}

// Only the changed part travels to the display thread: the window system
// may change its pixels as soon as the call returns.
void SdlBackend::WindowPixels(HWND hwnd, const RECT& changed, const std::uint32_t* pixels,
                              int width, int height) {
    mirror_.WindowPixels(hwnd, changed, pixels, width, height);
    const RECT part = Clipped(changed, width, height);
    std::vector<std::uint32_t> copy;
    copy.reserve(static_cast<std::size_t>(part.right - part.left) * (part.bottom - part.top));
    for (LONG y = part.top; y < part.bottom; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * width;
        copy.insert(copy.end(), row + part.left, row + part.right);
    }
    Post([=, copy = std::move(copy)](SdlScreen& screen) {
        screen.Pixels(hwnd, part, copy, width, height);
    });
}

void SdlBackend::WindowDestroyed(HWND hwnd) {
    mirror_.WindowDestroyed(hwnd);
    Post([=](SdlScreen& screen) { screen.Destroyed(hwnd); });
}

void SdlBackend::CursorChanged(int cursorId) {
    mirror_.CursorChanged(cursorId);
    Post([=](SdlScreen& screen) { screen.Cursor(cursorId); });
}

void SdlBackend::CompositionPlaced(HWND hwnd, POINT at, int fontHeight) {
    mirror_.CompositionPlaced(hwnd, at, fontHeight);
    Post([=](SdlScreen& screen) { screen.Composition(hwnd, at, fontHeight); });
}

bool SdlBackend::SaveScreen(const std::string& hostPath) const {
    return mirror_.SaveScreen(hostPath);
}
